#include "qt/template_dialog.h"

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "qt/program_icon.h"
#include <QWindow>
#include "qt/qt_platform.h"

MeasureText MeasureIn(const QFont& font) {
  return [metrics = QFontMetrics(font)](const std::string& text) {
    return metrics.horizontalAdvance(ToQt(text));
  };
}

QFont ProgramDialogFont() {
  QFont font = QApplication::font();
  font.setPointSize(8);
  return font;
}

namespace {

class FramePlacer : public QObject {
 public:
  FramePlacer(QWidget* dialog, std::function<QPoint(const QSize&)> where)
      : QObject(dialog), dialog_(dialog), where_(std::move(where)) {
    dialog->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        if (QWindow* window = dialog_->windowHandle(); window != nullptr && !watchingWindow_) {
          window->installEventFilter(this);
          watchingWindow_ = true;
        }
        Place();
        break;
      case QEvent::Expose:
      case QEvent::Move:
      case QEvent::Resize:
        Place();
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Place() {
    QWindow* window = dialog_->windowHandle();
    if (placed_ || window == nullptr || !window->isExposed()) return;
    const QMargins frame = window->frameMargins();
    if (frame.isNull()) {
      // Not framed yet, or no window manager at all: look again a little later.
      if (++tries_ <= 25) QTimer::singleShot(20, this, [this] { Place(); });
      return;
    }
    placed_ = true;
    const QRect now = window->frameGeometry();
    const QPoint want = where_(now.size());
    if (now.topLeft() != want)
      window->setPosition(want + QPoint(frame.left(), frame.top()));
  }

  QWidget* dialog_;
  std::function<QPoint(const QSize&)> where_;
  bool watchingWindow_ = false;
  bool placed_ = false;
  int tries_ = 0;
};

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
  setFont(ProgramDialogFont());
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
        // At the icon's own size, as the platform shows an icon control: stretched
        // to the control's rectangle it would reach the title beside it.
        auto* icon = new QLabel(this);
        const int side = style()->pixelMetric(QStyle::PM_LargeIconSize);
        r.setSize({side, side});
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
    const QRect area = owner != nullptr ? ScreenFrame(owner)
                       : QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, px.width, px.height);
    at = area.center() - QPoint(px.width / 2, px.height / 2);
    move(at);
    KeepCentredOn(this, owner);
  } else {
    at = owner->mapToGlobal(QPoint(px.x, px.y));
    move(at);
    KeepFrameAt(this, [at](const QSize&) { return at; });
  }
}

QRect ScreenFrame(const QWidget* window) {
  const QWidget* top = window->window();
  return top->windowHandle() != nullptr ? top->windowHandle()->frameGeometry() : top->frameGeometry();
}

void KeepFrameAt(QWidget* dialog, std::function<QPoint(const QSize&)> where) {
  new FramePlacer(dialog, std::move(where));
}

void KeepCentredOn(QWidget* dialog, const QWidget* owner) {
  QPointer<const QWidget> watched(owner);
  KeepFrameAt(dialog, [watched](const QSize& frame) {
    const QRect area = watched != nullptr ? ScreenFrame(watched)
                       : QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect();
    return area.topLeft() + QPoint((area.width() - frame.width()) / 2,
                                   (area.height() - frame.height()) / 2);
  });
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
