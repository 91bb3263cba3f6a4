#include "qt/message_dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "qt/qt_platform.h"

std::vector<MessageButton> MessageButtonsOf(MessageStyle style) {
  switch (ButtonSetOf(style)) {
    case MsgOkCancel: return {{"&Ok", ResultYes}, {"&Cancel", ResultNo}};
    case MsgYesNoCancel: return {{"&Yes", ResultYes}, {"&No", ResultNo}, {"Cancel", ResultCancel}};
    case MsgYesNo: return {{"&Yes", ResultYes}, {"&No", ResultNo}};
    default: return {{"&Ok", ResultOk}};
  }
}

namespace {

QStyle::StandardPixmap IconPixmap(int icon) {
  switch (icon) {
    case MsgIconError: return QStyle::SP_MessageBoxCritical;
    case MsgIconQuestion: return QStyle::SP_MessageBoxQuestion;
    case MsgIconWarning: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
  }
}

bool HasIcon(int icon) {
  return icon == MsgIconError || icon == MsgIconQuestion || icon == MsgIconWarning ||
         icon == MsgIconInformation;
}

}  // namespace

MessageDialogWindow::MessageDialogWindow(const std::string& message, MessageStyle messageStyle,
                                         const std::string& title, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setWindowTitle(ToQt(title));
  setAutoFillBackground(true);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(grey);

  auto* top = new QHBoxLayout;
  if (HasIcon(IconOf(messageStyle))) {
    icon_ = new QLabel(this);
    icon_->setPixmap(style()->standardIcon(IconPixmap(IconOf(messageStyle))).pixmap(32, 32));
    icon_->setAlignment(Qt::AlignTop);
    top->addWidget(icon_);
  }
  // CR LF pairs break the message into lines.
  QString text = ToQt(message);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text_ = new QLabel(text, this);
  top->addWidget(text_, 1);

  auto* row = new QHBoxLayout;
  for (const MessageButton& b : MessageButtonsOf(messageStyle)) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    const int result = b.result;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons_.push_back(button);
    row->addWidget(button);
  }
  row->addStretch(1);
  // Enter activates the first button, which also has the keyboard focus.
  buttons_.front()->setDefault(true);
  buttons_.front()->setFocus();

  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addLayout(row);
  setMinimumSize(220, 120);
}

void MessageDialogWindow::reject() { done(ResultNo); }

InputDialogWindow::InputDialogWindow(const std::string& prompt, const std::string& title,
                                     const std::string& defaultAnswer, QWidget* owner)
    : QDialog(owner) {
  setWindowTitle(ToQt(title));
  prompt_ = new QLabel(ToQt(prompt), this);
  edit_ = new QLineEdit(ToQt(defaultAnswer), this);
  ok_ = new QPushButton(QStringLiteral("Ok"), this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* line = new QHBoxLayout;
  line->addWidget(prompt_);
  line->addWidget(edit_, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok_);
  auto* column = new QVBoxLayout(this);
  column->addLayout(line);
  column->addLayout(row);
  setMinimumSize(190, 120);
  edit_->setFocus();
}

std::string InputDialogWindow::Answer() const {
  return result() == QDialog::Accepted ? FromQt(edit_->text()) : std::string();
}
