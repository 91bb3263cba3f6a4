// The program's own modal dialogs: the message dialog with its button sets, icons
// and result codes, and the one-line input dialog, laid out in pixels from their
// measured texts (output/dialog_layout.h). Both are built on demand and shown with
// exec(); tests drive them with key events without running exec().
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class MessageDialogWindow : public QDialog {
  Q_OBJECT
 public:
  // x, y: the screen position, or both 0 to centre the dialog on its owner.
  MessageDialogWindow(const std::string& message, MessageStyle style, const std::string& title,
                      QWidget* owner, int x = 0, int y = 0);

  QPushButton* Button(int i) const { return buttons_.at(i); }
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  QLabel* TextLabel() const { return text_; }
  QLabel* IconLabel() const { return icon_; }

  // Escape and the close box give 7, whatever the button set.
  void reject() override;

 private:
  QLabel* text_ = nullptr;
  QLabel* icon_ = nullptr;
  std::vector<QPushButton*> buttons_;
};

// A list to choose one item from, under a prompt, with Ok and Cancel; the first
// item is chosen at the start, a double click chooses and closes.
class ListChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  ListChoiceDialog(const std::string& caption, const std::string& prompt,
                   const std::vector<std::string>& items, QWidget* owner);

  QListWidget* List() const { return list_; }
  QPushButton* OkButton() const { return ok_; }
  // The index of the item chosen when closed with Ok, else -1.
  int Chosen() const;

 private:
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
};

class InputDialogWindow : public QDialog {
  Q_OBJECT
 public:
  InputDialogWindow(const std::string& prompt, const std::string& title,
                    const std::string& defaultAnswer, QWidget* owner);

  QLineEdit* Edit() const { return edit_; }
  QLabel* PromptLabel() const { return prompt_; }
  QPushButton* OkButton() const { return ok_; }
  // The text when confirmed, "" when cancelled (or still open).
  std::string Answer() const;

 private:
  QLabel* prompt_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QPushButton* ok_ = nullptr;
};
