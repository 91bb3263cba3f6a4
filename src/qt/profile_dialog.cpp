#include "qt/profile_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "qt/qt_platform.h"
#include "qt/template_dialog.h"

namespace {

const char* const UnitNames[] = {"mm", "cm", "m", "in"};
const int Turns[] = {0, 90, 180, 270};

// A name as the filter compares it: without case and blanks.
QString FilterKey(const QString& text) { return text.toLower().remove(QLatin1Char(' ')); }

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

ProfileDialog::ProfileDialog(ProfileRequest request, QWidget* owner)
    : QDialog(owner, DialogFlags), request_(std::move(request)) {
  setWindowTitle(QStringLiteral("Add Profile"));

  families_ = new QListWidget(this);
  for (const ProfileDialogFamily& family : request_.families) {
    auto* item = new QListWidgetItem(ToQt(family.name), families_);
    item->setToolTip(ToQt(family.standard));
  }
  families_->setMaximumWidth(families_->sizeHintForColumn(0) + 40);

  filter_ = new QLineEdit(this);
  filter_->setPlaceholderText(QStringLiteral("e.g. 300"));
  filter_->setClearButtonEnabled(true);
  filter_->installEventFilter(this);
  sizes_ = new QListWidget(this);
  sizes_->setMinimumWidth(sizes_->fontMetrics().horizontalAdvance(QStringLiteral("RHS-CF 400x200x16.0")) + 40);

  dimensions_ = new QLabel(this);
  dimensions_->setTextFormat(Qt::PlainText);
  dimensions_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  dimensions_->setWordWrap(true);
  dimensions_->setMinimumWidth(dimensions_->fontMetrics().horizontalAdvance(QLatin1Char('m')) * 22);
  auto* dimensionBox = new QGroupBox(QStringLiteral("Dimensions"), this);
  (new QVBoxLayout(dimensionBox))->addWidget(dimensions_);

  auto* lists = new QGridLayout;
  lists->addWidget(Buddy(QStringLiteral("&Family"), families_, this), 0, 0);
  lists->addWidget(families_, 1, 0, 2, 1);
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(Buddy(QStringLiteral("&Size"), sizes_, this));
  filterRow->addStretch();
  filterRow->addWidget(Buddy(QStringLiteral("Fil&ter"), filter_, this));
  filterRow->addWidget(filter_);
  lists->addLayout(filterRow, 0, 1);
  lists->addWidget(sizes_, 1, 1, 2, 1);
  lists->addWidget(dimensionBox, 0, 2, 3, 1);
  lists->setRowStretch(2, 1);

  x_ = new QLineEdit(QStringLiteral("0"), this);
  y_ = new QLineEdit(QStringLiteral("0"), this);
  for (QLineEdit* edit : {x_, y_}) edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-000000.000")) + 12);
  x_->setText(QLocale::c().toString(request_.x, 'g', 12));
  y_->setText(QLocale::c().toString(request_.y, 'g', 12));
  turn_ = new QComboBox(this);
  for (int turn : Turns) turn_->addItem(QString::number(turn) + QChar(0x00B0));
  units_ = new QComboBox(this);
  for (const char* unit : UnitNames) units_->addItem(QLatin1String(unit));

  auto* place = new QHBoxLayout;
  place->addWidget(new QLabel(QStringLiteral("Centre of the bounding box at"), this));
  place->addWidget(Buddy(QStringLiteral("&x"), x_, this));
  place->addWidget(x_);
  place->addWidget(Buddy(QStringLiteral("&y"), y_, this));
  place->addWidget(y_);
  place->addSpacing(16);
  place->addWidget(Buddy(QStringLiteral("T&urn"), turn_, this));
  place->addWidget(turn_);
  place->addSpacing(16);
  place->addWidget(Buddy(QStringLiteral("U&nits"), units_, this));
  place->addWidget(units_);
  place->addStretch();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(place);
  layout->addWidget(buttons);
  setTabOrder(families_, filter_);
  setTabOrder(filter_, sizes_);
  setTabOrder(sizes_, x_);
  setTabOrder(x_, y_);
  setTabOrder(y_, turn_);
  setTabOrder(turn_, units_);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(families_, &QListWidget::currentRowChanged, this, [this](int row) { ShowFamily(row, 0); });
  connect(filter_, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
  connect(sizes_, &QListWidget::currentRowChanged, this, [this] { ShowSize(); });
  connect(sizes_, &QListWidget::itemDoubleClicked, this, [this] {
    if (ok_->isEnabled()) accept();
  });
  connect(x_, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
  connect(y_, &QLineEdit::textChanged, this, [this] { UpdateOk(); });

  const int turn = static_cast<int>(std::find(std::begin(Turns), std::end(Turns), request_.turn) - Turns);
  turn_->setCurrentIndex(turn < 4 ? turn : 0);
  const bool known = request_.family >= 0 && request_.family < families_->count();
  {
    const QSignalBlocker quiet(families_);
    families_->setCurrentRow(known ? request_.family : 0);
  }
  ShowFamily(families_->currentRow(), known ? request_.size : 0);
  if (!request_.units.empty()) units_->setCurrentText(ToQt(request_.units));
  sizes_->setFocus();
  resize(sizeHint().width(), sizeHint().height() + 120);
}

// Fills the size list with the family's sizes, the given one chosen, and sets the
// units to the family's own.
void ProfileDialog::ShowFamily(int family, int size) {
  const QSignalBlocker quiet(sizes_);
  sizes_->clear();
  if (family < 0 || family >= static_cast<int>(request_.families.size())) {
    ShowSize();
    return;
  }
  const ProfileDialogFamily& f = request_.families[family];
  for (std::size_t k = 0; k < f.sizes.size(); ++k) {
    auto* item = new QListWidgetItem(ToQt(f.sizes[k]), sizes_);
    item->setData(Qt::UserRole, static_cast<int>(k));
  }
  units_->setCurrentText(ToQt(f.units));
  if (size >= 0 && size < sizes_->count()) sizes_->setCurrentRow(size);
  ApplyFilter();
}

bool ProfileDialog::FamilyMatches(int family, const QString& key) const {
  for (const std::string& size : request_.families[family].sizes)
    if (FilterKey(ToQt(size)).contains(key)) return true;
  return false;
}

// Hides the sizes the filter does not match; the chosen size stays chosen while it
// is shown, else the first one shown is chosen. A filter that no size of the chosen
// family matches moves to the first family with one: "HEB 300" typed while IPE is
// chosen goes to HEB.
void ProfileDialog::ApplyFilter() {
  const QString key = FilterKey(filter_->text());
  const int chosen = families_->currentRow();
  if (!key.isEmpty() && chosen >= 0 && !FamilyMatches(chosen, key)) {
    for (int f = 0; f < families_->count(); ++f)
      if (FamilyMatches(f, key)) {
        families_->setCurrentRow(f);  // shows the family, which filters it
        return;
      }
  }
  QListWidgetItem* first = nullptr;
  {
    const QSignalBlocker quiet(sizes_);
    for (int i = 0; i < sizes_->count(); ++i) {
      QListWidgetItem* item = sizes_->item(i);
      item->setHidden(!FilterKey(item->text()).contains(key));
      if (!item->isHidden() && first == nullptr) first = item;
    }
    QListWidgetItem* current = sizes_->currentItem();
    if (current == nullptr || current->isHidden()) sizes_->setCurrentItem(first);
  }
  if (sizes_->currentItem() != nullptr) sizes_->scrollToItem(sizes_->currentItem());
  ShowSize();
}

int ProfileDialog::ChosenSize() const {
  const QListWidgetItem* item = sizes_->currentItem();
  return item != nullptr && !item->isHidden() ? item->data(Qt::UserRole).toInt() : -1;
}

void ProfileDialog::ShowSize() {
  const int family = families_->currentRow(), size = ChosenSize();
  QString text;
  if (size >= 0 && request_.dimensions) {
    const ProfileDialogFamily& f = request_.families[family];
    text = ToQt(f.sizes[size]) + QLatin1Char('\n');
    for (const std::string& line : request_.dimensions(family, size)) text += QLatin1Char('\n') + ToQt(line);
    text += QStringLiteral("\n\n") + ToQt(f.standard);
  } else if (size < 0) {
    text = QStringLiteral("No size matches the filter.");
  }
  dimensions_->setText(text);
  UpdateOk();
}

bool ProfileDialog::ReadPoint(double& x, double& y) const {
  bool xOk = false, yOk = false;
  x = QLocale::c().toDouble(x_->text().trimmed(), &xOk);
  y = QLocale::c().toDouble(y_->text().trimmed(), &yOk);
  return xOk && yOk && std::isfinite(x) && std::isfinite(y);
}

void ProfileDialog::UpdateOk() {
  double x, y;
  ok_->setEnabled(ChosenSize() >= 0 && ReadPoint(x, y));
}

bool ProfileDialog::Chosen(ProfileRequest& request) const {
  double x, y;
  if (result() != QDialog::Accepted || ChosenSize() < 0 || !ReadPoint(x, y)) return false;
  request.family = families_->currentRow();
  request.size = ChosenSize();
  request.x = x;
  request.y = y;
  request.turn = Turns[std::max(0, turn_->currentIndex())];
  request.units = FromQt(units_->currentText());
  return true;
}

// Up and down in the filter box move through the sizes it leaves, so that the
// keyboard never has to leave the box to choose.
bool ProfileDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == filter_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
      QCoreApplication::sendEvent(sizes_, &copy);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
