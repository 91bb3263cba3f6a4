#include "qt/message_dialogs.h"

#include <QApplication>
#include <algorithm>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "output/dialog_layout.h"
#include "qt/qt_platform.h"
#include "qt/template_dialog.h"

namespace {

QStyle::StandardPixmap IconPixmap(int icon) {
  switch (icon) {
    case MsgIconError: return QStyle::SP_MessageBoxCritical;
    case MsgIconQuestion: return QStyle::SP_MessageBoxQuestion;
    case MsgIconWarning: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
  }
}

QRect ToQRect(const DialogRect& r) { return {r.x, r.y, r.width, r.height}; }

// The layouts give the whole window's size; the caption takes its share, the rest
// is the client area the controls are placed in.
QSize ClientSize(const QWidget* dialog, int width, int height) {
  return {width, height - dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight)};
}

// The owner's frame on the screen, or the screen when there is no owner.
DialogRect OwnerArea(const QWidget* owner) {
  QRect r = owner != nullptr ? ScreenFrame(owner)
            : QGuiApplication::primaryScreen() != nullptr
                ? QGuiApplication::primaryScreen()->availableGeometry()
                : QRect();
  return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

MessageDialogWindow::MessageDialogWindow(const std::string& message, MessageStyle messageStyle,
                                         const std::string& title, QWidget* owner, int x, int y)
    : QDialog(owner, DialogFlags | Qt::WindowStaysOnTopHint) {
  setWindowTitle(ToQt(title));
  setAutoFillBackground(true);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(grey);

  const MessageDialogLayout l = ComputeMessageDialogLayout(message, messageStyle, MeasureIn(font()));
  if (l.iconKind != 0) {
    icon_ = new QLabel(this);
    icon_->setPixmap(style()->standardIcon(IconPixmap(l.iconKind)).pixmap(32, 32));
    icon_->setGeometry(ToQRect(l.icon));
  }
  // The label's text starts a line down: CR LF, then the message.
  QString text = ToQt(l.labelText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text_ = new QLabel(text, this);
  text_->setTextFormat(Qt::PlainText);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QRect textRect = ToQRect(l.text);
  // Fonts with a taller line than 15 pixels still show every line.
  textRect.setHeight(std::max(textRect.height(), l.lineCount * fontMetrics().lineSpacing()));
  text_->setGeometry(textRect);

  for (const DialogButton& b : l.buttons) {
    auto* button = new QPushButton(ToQt(b.caption), this);
    button->setGeometry(ToQRect(b.rect));
    button->setDefault(b.isDefault);
    const int result = b.result;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons_.push_back(button);
    if (b.hasFocus) button->setFocus();
  }

  setFixedSize(ClientSize(this, l.width, l.height));
  const DialogRect place = PlaceMessageDialog(l.width, l.height, x, y, OwnerArea(owner));
  move(place.x, place.y);
  // Centred with the frame the window manager gives it, or where it was put.
  if (x == 0 && y == 0) {
    KeepCentredOn(this, owner);
  } else {
    KeepFrameAt(this, [place](const QSize&) { return QPoint(place.x, place.y); });
  }
}

void MessageDialogWindow::reject() { done(MessageDialogEscapeResult); }

InputDialogWindow::InputDialogWindow(const std::string& prompt, const std::string& title,
                                     const std::string& defaultAnswer, QWidget* owner)
    : QDialog(owner, DialogFlags) {
  setWindowTitle(ToQt(title));
  setFont(ProgramDialogFont());
  const InputDialogLayout l = ComputeInputDialogLayout(prompt, title, defaultAnswer,
                                                       MeasureIn(font()), OwnerArea(owner));
  prompt_ = new QLabel(ToQt(prompt.substr(0, 255)), this);
  prompt_->setTextFormat(Qt::PlainText);
  prompt_->setGeometry(ToQRect(l.prompt));
  edit_ = new QLineEdit(ToQt(defaultAnswer), this);
  edit_->setGeometry(ToQRect(l.edit));
  ok_ = new QPushButton(QStringLiteral("Ok"), this);
  ok_->setGeometry(ToQRect(l.okButton));
  // The confirm command: the button and Enter.
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  setFixedSize(ClientSize(this, l.dialog.width, l.dialog.height));
  move(l.dialog.x, l.dialog.y);
  const QPoint at(l.dialog.x, l.dialog.y);
  KeepFrameAt(this, [at](const QSize&) { return at; });
  edit_->setFocus();
}

std::string InputDialogWindow::Answer() const {
  return result() == QDialog::Accepted ? FromQt(edit_->text()) : std::string();
}

// A dialog of no fixed layout: Qt's layouts size it to its prompt and items.
ListChoiceDialog::ListChoiceDialog(const std::string& caption, const std::string& prompt,
                                   const std::vector<std::string>& items, QWidget* owner)
    : QDialog(owner, DialogFlags) {
  setWindowTitle(ToQt(caption));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(ToQt(prompt), this);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  layout->addWidget(label);
  list_ = new QListWidget(this);
  for (const std::string& item : items) list_->addItem(ToQt(item));
  if (!items.empty()) list_->setCurrentRow(0);
  // Wide enough for every item without scrolling sideways, tall enough for a dozen.
  int widest = 0;
  for (int i = 0; i < list_->count(); ++i)
    widest = std::max(widest, list_->fontMetrics().horizontalAdvance(list_->item(i)->text()));
  const int frame = 2 * list_->frameWidth();
  list_->setMinimumWidth(widest + frame + list_->verticalScrollBar()->sizeHint().width() + 12);
  if (list_->count() > 0)
    list_->setMinimumHeight(std::min(list_->count(), 12) * list_->sizeHintForRow(0) + frame + 4);
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  list_->setFocus();
}

int ListChoiceDialog::Chosen() const {
  return result() == QDialog::Accepted && list_->currentItem() != nullptr ? list_->currentRow()
                                                                          : -1;
}
