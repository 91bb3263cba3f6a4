#include "qt/template_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "qt/program_icon.h"
#include "qt/qt_platform.h"

MeasureText MeasureIn(const QFont& font) {
  return [metrics = QFontMetrics(font)](const std::string& text) {
    return metrics.horizontalAdvance(ToQt(text));
  };
}

namespace {

QRect ToQRect(const DialogRect& r) { return {r.x, r.y, r.width, r.height}; }

QFont FontOf(const DialogFont& wanted, const QFont& dialogFont) {
  QFont font = dialogFont;
  if (!wanted.face.empty()) font.setFamily(ToQt(wanted.face));
  if (wanted.points > 0) font.setPointSize(wanted.points);
  font.setBold(wanted.bold);
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  return font;
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& t, QWidget* owner)
    : QDialog(owner, DialogFlags) {
  setWindowTitle(ToQt(t.caption));
  const QFontMetrics metrics(font());
  base_ = BaseUnitsOf(MeasureIn(font()), metrics.height());
  const DialogRect px = DialogUnitsToPixels(t.rect, base_);
  setFixedSize(px.width, px.height);

  for (const DialogControl& c : t.controls) {
    QRect r = ToQRect(DialogUnitsToPixels(c.rect, base_));
    QWidget* w = nullptr;
    switch (c.kind) {
      case DialogControlKind::Label:
      case DialogControlKind::Link: {
        auto* label = new QLabel(ToQt(c.text), this);
        label->setTextFormat(Qt::PlainText);  // "&" is no mnemonic here
        label->setFont(FontOf(c.font, font()));
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, QColor(c.colour.r, c.colour.g, c.colour.b));
        label->setPalette(p);
        if (c.kind == DialogControlKind::Link) {
          label->setCursor(Qt::PointingHandCursor);
          label->installEventFilter(this);
        }
        w = label;
        break;
      }
      case DialogControlKind::Icon: {
        auto* icon = new QLabel(this);
        icon->setPixmap(ProgramIcon().pixmap(r.size()));
        w = icon;
        break;
      }
      case DialogControlKind::DropDownList: {
        auto* list = new QComboBox(this);
        for (const std::string& item : c.items) list->addItem(ToQt(item));
        list->setCurrentIndex(c.selected);
        list->setMaxVisibleItems(static_cast<int>(c.items.size()));
        // The template's height is the open list's; closed it keeps its own.
        r.setHeight(list->sizeHint().height());
        w = list;
        break;
      }
      case DialogControlKind::ListBox: {
        auto* list = new QListWidget(this);
        for (const std::string& item : c.items) list->addItem(ToQt(item));
        list->setCurrentRow(c.selected);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        // A double-click chooses the entry as Ok does.
        connect(list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
        w = list;
        break;
      }
      case DialogControlKind::CheckBox: {
        auto* box = new QCheckBox(ToQt(c.text), this);
        box->setChecked(c.checked);
        w = box;
        break;
      }
      case DialogControlKind::Button: {
        auto* button = new QPushButton(ToQt(c.text), this);
        button->setDefault(c.id != 2);  // Enter is Ok, never Cancel
        if (c.id == 1) connect(button, &QPushButton::clicked, this, &QDialog::accept);
        if (c.id == 2) connect(button, &QPushButton::clicked, this, &QDialog::reject);
        w = button;
        break;
      }
    }
    if (c.id != 0) w->setObjectName(QStringLiteral("control%1").arg(c.id));
    w->setGeometry(r);
    controls_.push_back(w);
  }

  // Given in the owner's client area, or centred.
  QPoint at;
  if (t.centred || owner == nullptr) {
    const QRect area = owner != nullptr ? owner->frameGeometry()
                       : QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, px.width, px.height);
    at = area.center() - QPoint(px.width / 2, px.height / 2);
  } else {
    at = owner->mapToGlobal(QPoint(px.x, px.y));
  }
  move(at);
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
  if (closeOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TemplateDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && linkClicked_) {
    for (int i = 0; i < ControlCount(); ++i) {
      if (controls_[i] != watched) continue;
      // The wait cursor while the desktop takes the address.
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      linkClicked_(i);
      QGuiApplication::restoreOverrideCursor();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
