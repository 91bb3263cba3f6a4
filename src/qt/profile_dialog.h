// The "Add Profile" dialog: the families, the sizes of the family chosen (narrowed
// by a filter: "300" leaves the 300s), the chosen size's dimensions, and where, how
// turned and in which units the profile goes.
#pragma once

#include <QDialog>

#include "platform/platform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class ProfileDialog : public QDialog {
  Q_OBJECT
 public:
  ProfileDialog(ProfileRequest request, QWidget* owner);

  QListWidget* Families() const { return families_; }
  QLineEdit* Filter() const { return filter_; }
  QListWidget* Sizes() const { return sizes_; }
  QLabel* Dimensions() const { return dimensions_; }
  QLineEdit* PointX() const { return x_; }
  QLineEdit* PointY() const { return y_; }
  QComboBox* Turn() const { return turn_; }
  QComboBox* Units() const { return units_; }
  QPushButton* OkButton() const { return ok_; }

  // After Ok: the choice, in the request the dialog was opened with. False when it
  // was closed otherwise.
  bool Chosen(ProfileRequest& request) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowFamily(int family, int size);
  void ApplyFilter();
  void ShowSize();
  void UpdateOk();
  int ChosenSize() const;
  bool FamilyMatches(int family, const QString& key) const;
  bool ReadPoint(double& x, double& y) const;

  ProfileRequest request_;
  QListWidget* families_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QListWidget* sizes_ = nullptr;
  QLabel* dimensions_ = nullptr;
  QLineEdit* x_ = nullptr;
  QLineEdit* y_ = nullptr;
  QComboBox* turn_ = nullptr;
  QComboBox* units_ = nullptr;
  QPushButton* ok_ = nullptr;
};
