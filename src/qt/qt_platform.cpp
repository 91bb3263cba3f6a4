#include "qt/qt_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QListWidget>
#include <QPointer>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QThreadPool>
#include <QPrinter>
#include <QPrinterInfo>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QMessageBox>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>

#include "app/dispatch.h"
#include "output/about_box.h"
#include "output/dialog_layout.h"
#include "platform/data_folder.h"
#include "qt/message_dialogs.h"
#include "qt/profile_dialog.h"
#include "qt/output_view.h"
#include "qt/program_icon.h"
#include "qt/printer_job.h"
#include "qt/template_dialog.h"

namespace {

// The help page's window: Escape closes it, as it closes the output window.
class HelpBrowser : public QTextBrowser {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      close();
      return;
    }
    QTextBrowser::keyPressEvent(event);
  }
};

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QTextBrowser* QtPlatform::HelpWindowShown() const {
  return help_ != nullptr && help_->isVisible() ? help_.get() : nullptr;
}

void QtPlatform::CloseSideWindows() {
  CloseOutputWindow();
  if (help_ != nullptr) help_->close();
}

void QtPlatform::BeforeDialog() {
  if (beforeDialog_) beforeDialog_();
}

QWidget* QtPlatform::DialogParent() const {
  // A dialog asked for from the output window belongs to it: the window manager
  // stacks it over its parent, and the output window is always on top.
  QWidget* active = QApplication::activeWindow();
  if (output_ != nullptr && active == output_.get()) return active;
  return owner_;
}

void QtPlatform::KeepAbove(QWidget* dialog) {
  dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

OutputWindow* QtPlatform::OutputWindowShown() const {
  return output_ != nullptr && output_->isVisible() ? output_.get() : nullptr;
}

MessageResult QtPlatform::MessageBox(const std::string& text, const std::string& caption,
                                     MessageStyle style) {
  BeforeDialog();
  QWidget* parent = DialogParent();
  QMessageBox box(parent);
  KeepCentredOn(&box, parent);
  box.setWindowTitle(ToQt(caption));
  box.setText(ToQt(text));
  switch (IconOf(style)) {
    case MsgIconError: box.setIcon(QMessageBox::Critical); break;
    case MsgIconQuestion: box.setIcon(QMessageBox::Question); break;
    case MsgIconWarning: box.setIcon(QMessageBox::Warning); break;
    case MsgIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  switch (ButtonSetOf(style)) {
    case MsgOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MsgYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MsgYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  KeepAbove(&box);
  switch (box.exec()) {
    case QMessageBox::Yes: return ResultYes;
    case QMessageBox::No: return ResultNo;
    case QMessageBox::Cancel: return ResultCancel;
    default: return ResultOk;
  }
}

MessageResult QtPlatform::MessageDialog(const std::string& message, MessageStyle style,
                                        const std::string& title, bool beep, int x, int y) {
  // Owned by the window that is active now (none is possible).
  BeforeDialog();
  MessageDialogWindow dialog(message, style, title, QApplication::activeWindow(), x, y);
  KeepAbove(&dialog);
  if (beep) Beep(IconOf(style));
  return static_cast<MessageResult>(dialog.exec());
}

std::string QtPlatform::InputDialog(const std::string& prompt, const std::string& title,
                                    const std::string& defaultAnswer) {
  BeforeDialog();
  InputDialogWindow dialog(prompt, title, defaultAnswer, owner_);
  KeepAbove(&dialog);
  dialog.exec();
  return dialog.Answer();
}

int QtPlatform::ChooseFromList(const std::string& caption, const std::string& prompt,
                               const std::vector<std::string>& items) {
  ListChoiceDialog dialog(caption, prompt, items, owner_);
  dialog.exec();
  return dialog.Chosen();
}

void QtPlatform::ShowOutputWindow(int width, int height, const std::string& title) {
  if (output_ == nullptr) output_ = std::make_unique<OutputWindow>();
  output_->Open(width, height, ToQt(title));
}

void QtPlatform::CloseOutputWindow() {
  if (output_ != nullptr && output_->isVisible()) output_->CloseQuietly();
}

void QtPlatform::ShowResultDialog(const std::string& caption,
                                  const std::vector<std::string>& lines) {
  BeforeDialog();
  TemplateDialog dialog(ResultDialogTemplate(caption, lines), owner_);
  KeepAbove(&dialog);
  resultDialog_ = &dialog;
  dialog.exec();
  resultDialog_ = nullptr;
}

void QtPlatform::CloseResultDialog() {
  if (resultDialog_ != nullptr) resultDialog_->reject();
}

namespace {

// "Sect Files (*.sec)|*.sec|All Files (*.*)|*.*" as Qt's name filters.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    // Qt reads the patterns from the parentheses; "*.*" means every file.
    QString description = parts[i].section(QLatin1Char('('), 0, 0).trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns == QLatin1String("*.*")) patterns = QStringLiteral("*");
    filters << description + " (" + patterns + ")";
  }
  return filters;
}

}  // namespace

bool QtPlatform::FileDialog(FileDialogRequest& request, std::string& path, bool save) {
  BeforeDialog();
  QFileDialog dialog(DialogParent(), ToQt(request.title));
  // A desktop's native dialog cannot be kept above the output window: Qt's own is.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && (request.flags & OfnFileMustExist) ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
  dialog.setDirectory(request.folder.empty() ? QDir::currentPath() : ToQt(request.folder));
  const QStringList filters = NameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQt(request.defaultExtension));
  if (!(request.flags & OfnOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.initialName.empty()) dialog.selectFile(ToQt(request.initialName));

  // The keyboard hook keeps out of the dialog's keys; the command that asked says
  // when its file dialog work is over.
  const bool wasOpen = Dispatch.FileDialogOpen;
  Dispatch.FileDialogOpen = true;
  KeepAbove(&dialog);
  const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  Dispatch.FileDialogOpen = wasOpen;
  path = chosen ? FromQt(QDir::toNativeSeparators(dialog.selectedFiles().front())) : "";
  return chosen;
}

bool QtPlatform::OpenFileDialog(FileDialogRequest& request, std::string& path) {
  return FileDialog(request, path, false);
}

bool QtPlatform::SaveFileDialog(FileDialogRequest& request, std::string& path) {
  return FileDialog(request, path, true);
}

std::string QtPlatform::AppDataFolder() { return UserDataFolder(); }

std::string QtPlatform::ProgramFolder() {
  const QString folder = QCoreApplication::applicationDirPath();
  return folder.isEmpty() ? std::string() : FromQt(folder) + "/";
}

bool QtPlatform::ShowPreferencesDialog(PreferenceValues& values) {
  BeforeDialog();
  TemplateDialog dialog(PreferencesDialogTemplate(values), owner_);
  KeepAbove(&dialog);
  if (dialog.exec() != QDialog::Accepted) return false;  // the close box changes nothing
  auto* list = dialog.findChild<QComboBox*>(QStringLiteral("control108"));
  auto* check = dialog.findChild<QCheckBox*>(QStringLiteral("control109"));
  const int digits = list != nullptr ? DigitsOfListEntry(FromQt(list->currentText())) : -1;
  if (digits >= 0) values.sigDigits = digits;
  if (check != nullptr) values.openLastFile = check->isChecked();
  return true;
}

bool QtPlatform::AddProfileDialog(ProfileRequest& request) {
  BeforeDialog();
  ProfileDialog dialog(request, owner_);
  KeepAbove(&dialog);
  dialog.exec();
  return dialog.Chosen(request);
}

void QtPlatform::ShowAboutBox(const AboutBoxContent& content) {
  BeforeDialog();
  const DialogTemplate t = AboutBoxTemplate(content);
  TemplateDialog dialog(t, owner_);
  KeepAbove(&dialog);
  dialog.setWindowIcon(ProgramIcon());
  dialog.CloseOnEnter();
  // The links are the template's last two controls: e-mail, then web.
  const int firstLink = static_cast<int>(t.controls.size()) - 2;
  dialog.OnLinkClicked([&content, firstLink](int i) {
    AboutLinkClicked(content, i == firstLink ? AboutLink::Email : AboutLink::Web);
  });
  dialog.exec();
}

void QtPlatform::ShowHelp(const std::string& path, HelpViewer viewer) {
  const QUrl url = QUrl::fromLocalFile(ToQt(path));
  if (viewer == HelpViewer::Desktop) {
    QDesktopServices::openUrl(url);
    return;
  }
  if (help_ == nullptr) {
    help_ = std::make_unique<HelpBrowser>();
    help_->setObjectName(QStringLiteral("HelpWindow"));
    help_->setWindowTitle(QStringLiteral("Kelvarin Help"));
    help_->setWindowIcon(ProgramIcon());
    help_->setOpenExternalLinks(true);
    help_->setAttribute(Qt::WA_QuitOnClose, false);
    // A page wide enough for its tables, as tall as the screen allows, centred.
    const QRect area = QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 800, 800);
    help_->resize(std::min(640, area.width()), std::min(720, area.height() * 17 / 20));
    help_->move(area.center() - help_->rect().center());
  }
  help_->setSource(url);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void QtPlatform::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(ToQt(url))); }

void QtPlatform::Beep(int) { QApplication::beep(); }

void QtPlatform::RunInBackground(const std::string& title, std::function<void()> work,
                                 std::function<void()> done) {
  // A busy indicator that shows itself after 0.2 s, beside a window that stays usable.
  QPointer<QProgressDialog> progress =
      new QProgressDialog(QString::fromStdString(title + "..."), QStringLiteral("Cancel"), 0, 0, owner_);
  progress->setWindowTitle(QString::fromStdString(title));
  progress->setWindowModality(Qt::NonModal);
  progress->setMinimumDuration(200);
  progress->setAttribute(Qt::WA_DeleteOnClose);
  progress->setValue(0);  // starts the 0.2 s clock
  auto cancelled = std::make_shared<bool>(false);
  QObject::connect(progress, &QProgressDialog::canceled, progress, [cancelled, progress] {
    *cancelled = true;
    if (progress) progress->close();
  });
  QObject* context = owner_ != nullptr ? static_cast<QObject*>(owner_) : qApp;
  // The global pool is waited for when the application ends; a result that arrives
  // after its window has gone is dropped with the window.
  QThreadPool::globalInstance()->start([this, work = std::move(work), done = std::move(done),
                                        cancelled, progress, context]() mutable {
    work();
    QMetaObject::invokeMethod(
        context,
        [this, done = std::move(done), cancelled, progress] {
          if (*cancelled) return;
          if (progress) {
            // Closing the indicator emits its canceled(): it must not drop the result.
            progress->disconnect();
            progress->close();
          }
          if (betweenCommands_) {
            betweenCommands_(done);
          } else {
            done();
          }
        },
        Qt::QueuedConnection);
  });
}

// The installed printers, then a PDF entry unless a PDF printer is installed
// already, so that a machine without printers can still print.
std::vector<std::string> QtPlatform::PrinterNames() {
  std::vector<std::string> names;
  bool pdf = false;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    names.push_back(FromQt(info.printerName()));
    pdf = pdf || info.printerName().contains(QStringLiteral("PDF"), Qt::CaseInsensitive);
  }
  if (!pdf) names.push_back("Print to PDF");
  return names;
}

std::string QtPlatform::DefaultPrinterName() { return FromQt(QPrinterInfo::defaultPrinterName()); }

std::string QtPlatform::ChoosePrinterDialog(const std::vector<std::string>& names,
                                            int preselected) {
  BeforeDialog();
  TemplateDialog dialog(ChoosePrinterDialogTemplate(names, preselected), owner_);
  KeepAbove(&dialog);
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("control101"));
  if (dialog.exec() != QDialog::Accepted || list == nullptr || list->currentItem() == nullptr)
    return "";
  return FromQt(list->currentItem()->text());
}

// The platform's own print dialog; printing to a file is the PDF entry, whose file
// the program asks for itself.
std::string QtPlatform::PlatformPrintDialog() {
  BeforeDialog();
  QPrinter printer;
  QPrintDialog dialog(&printer, DialogParent());
  KeepAbove(&dialog);
  if (dialog.exec() != QDialog::Accepted) return "";
  if (printer.outputFormat() == QPrinter::PdfFormat) return "Print to PDF";
  return FromQt(printer.printerName());
}

std::unique_ptr<PrintJob> QtPlatform::StartPrintJob(const std::string& printerName,
                                                    const std::string& pdfFile) {
  auto job = std::make_unique<QtPrintJob>(printerName, pdfFile);
  if (job->PrinterName().empty()) return nullptr;
  return job;
}
