// A modal dialog built from a DialogTemplate (output/dialog_layout.h): its place,
// size and controls in dialog units, converted with the base units of the dialog's
// font. Preferences, Property Calculations and the About box are made this way.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

#include "output/dialog_layout.h"

class TemplateDialog : public QDialog {
  Q_OBJECT
 public:
  // owner: the window whose client area the position is taken in, and which a
  // centred dialog is centred on (the screen when null).
  TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* owner);

  // The widget made for control i of the template.
  QWidget* Control(int i) const { return controls_.at(i); }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  const DialogBaseUnits& BaseUnits() const { return base_; }
  // Called with the control's index when a link label is clicked.
  void OnLinkClicked(std::function<void(int)> handler) { linkClicked_ = std::move(handler); }
  // Enter closes the dialog as Escape does (a dialog without an Ok button).
  void CloseOnEnter() { closeOnEnter_ = true; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  DialogBaseUnits base_;
  std::vector<QWidget*> controls_;
  std::function<void(int)> linkClicked_;
  bool closeOnEnter_ = false;
};

// The caption of the program's dialogs: a close box, no minimize or maximize.
inline constexpr Qt::WindowFlags DialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                              Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                              Qt::WindowCloseButtonHint;

// The dialog font's text measure, for the layouts of output/dialog_layout.h.
MeasureText MeasureIn(const QFont& font);
// The font of the program's own dialogs: the desktop's face at the 8 points their
// layouts were made for (a larger face crowds a label against its neighbour).
QFont ProgramDialogFont();

// A window's frame on the screen as its platform window knows it (a widget's own
// record of its frame can lag behind the window manager's).
QRect ScreenFrame(const QWidget* window);

// Keeps a dialog's frame where it was meant to be. A window manager frames a window
// only once it is mapped, and managers differ in where they put the frame of a
// window placed before that; so once the frame is known the dialog is moved, if
// need be, so that its frame's top left corner is at where(frame size).
void KeepFrameAt(QWidget* dialog, std::function<QPoint(const QSize&)> where);
// The same for a dialog centred on the owner's frame (on the screen without one).
void KeepCentredOn(QWidget* dialog, const QWidget* owner);
