// The Qt platform as the program uses it on Linux: the data folder, the file
// dialogs, Choose Printer, the result dialog and the help hand-off, each reached
// through the program's own command and shown as the real Qt dialog, which a timer
// inspects and answers inside its modal loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <vector>

#include "app/dispatch.h"
#include "app/menu_ids.h"
#include "app/print_commands.h"
#include "app/program_state.h"
#include "model/other_axes.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "platform/data_folder.h"
#include "qt/qt_platform.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '"' << l.join(QStringLiteral("\", \"")).toStdString() << '"';
}

namespace {

// Answers the modal dialogs a command opens: each action takes the next dialog in
// order; a dialog its action leaves open, and any dialog beyond the actions, is
// rejected, so that a command can never wait for a user.
class ModalDialogs {
 public:
  using Action = std::function<void(QDialog&)>;
  explicit ModalDialogs(std::vector<Action> actions) : actions_(std::move(actions)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(10);
  }
  // The titles of the dialogs seen, in order.
  const QStringList& Seen() const { return seen_; }

 private:
  void Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible() || last_ == dialog) return;
    last_ = dialog;
    const std::size_t i = seen_.size();
    seen_ << dialog->windowTitle();
    if (i < actions_.size()) actions_[i](*dialog);
    if (dialog->isVisible()) dialog->reject();
  }

  std::vector<Action> actions_;
  QStringList seen_;
  QPointer<QDialog> last_;
  QTimer timer_;
};

// Stands in for the desktop's viewer of files: QDesktopServices hands it the URL of
// a file it is asked to open (a QTextBrowser's setSource slot takes a URL).
struct DesktopViewer {
  DesktopViewer() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "setSource"); }
  ~DesktopViewer() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  QTextBrowser viewer;
};

class QtPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    SetPlatform(&platform_);
    ResetProgramState();
    Shared.DataFolder = Folder();
    Dispatch.HelpFile = Folder() + "Velmora.chm";
  }
  void TearDown() override {
    platform_.CloseSideWindows();
    ResetProgramState();
    SetPlatform(nullptr);
  }
  std::string Folder() const { return dir_.path().toStdString() + "/"; }
  QString InFolder(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

  QTemporaryDir dir_;
  QtPlatform platform_;
};

// Inspects a file dialog, then answers it with the typed `name` (none: cancel).
struct FileDialogCase {
  QString title;
  QStringList filters;
  QString suffix;
  QFileDialog::AcceptMode mode;
};
ModalDialogs::Action FileDialogAction(const FileDialogCase& c, const QString& folder,
                                      const QString& name = {}) {
  return [c, folder, name](QDialog& d) {
    auto* f = qobject_cast<QFileDialog*>(&d);
    ASSERT_NE(f, nullptr) << c.title.toStdString();
    EXPECT_EQ(f->windowTitle(), c.title);
    EXPECT_EQ(f->nameFilters(), c.filters);
    EXPECT_EQ(f->defaultSuffix(), c.suffix);
    EXPECT_EQ(f->acceptMode(), c.mode);
    EXPECT_EQ(f->directory().absolutePath(), folder);
    if (c.mode == QFileDialog::AcceptOpen) {
      EXPECT_EQ(f->fileMode(), QFileDialog::ExistingFile) << "only a file that exists opens";
    } else {
      EXPECT_FALSE(f->testOption(QFileDialog::DontConfirmOverwrite)) << "overwriting asks first";
    }
    if (!name.isEmpty()) {
      // Typed into the name field, as the user would.
      auto* edit = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(edit, nullptr);
      edit->setText(name);
      d.accept();  // QFileDialog::accept, which adds the default suffix
    }
  };
}

const QStringList SectionFilters = {"Sect Files (*.sec)", "All Files (*)"};

}  // namespace

TEST(DataFolderTest, IsWhatQtGivesAsTheGenericDataLocation) {
  const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
  const QByteArray was = qgetenv("XDG_DATA_HOME");
  // The folder the Qt platform asked QStandardPaths for, cleaned and ending in '/'.
  auto qtFolder = [] {
    const QStringList all = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return all.isEmpty() ? std::string() : QDir::cleanPath(all.first()).toStdString() + "/";
  };
  QtPlatform platform;

  qputenv("XDG_DATA_HOME", "/tmp/kelvarin-xdg//share/");
  EXPECT_EQ(UserDataFolder(), "/tmp/kelvarin-xdg/share/");
  EXPECT_EQ(UserDataFolder(), qtFolder());
  EXPECT_EQ(platform.AppDataFolder(), UserDataFolder());

  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolder(), QDir::homePath().toStdString() + "/.local/share/");
  EXPECT_EQ(UserDataFolder(), qtFolder());
  EXPECT_EQ(platform.AppDataFolder(), UserDataFolder());

  if (wasSet) qputenv("XDG_DATA_HOME", was);
}

TEST_F(QtPlatformTest, FileDialogsCarryTheProgramsTitlesFiltersAndSuffix) {
  const struct {
    CommandId command;
    FileDialogCase dialog;
  } cases[] = {
      {MenuOpenFile, {"Open File", SectionFilters, "sec", QFileDialog::AcceptOpen}},
      {MenuSaveAs, {"Save File", SectionFilters, "sec", QFileDialog::AcceptSave}},
      {MenuImportDxf, {"Import DXF", {"DXF Files (*.dxf)", "All Files (*)"}, "dxf", QFileDialog::AcceptOpen}},
  };
  for (const auto& c : cases) {
    ModalDialogs dialogs({FileDialogAction(c.dialog, dir_.path())});
    MainWindowCommand(c.command);
    EXPECT_EQ(dialogs.Seen(), QStringList{c.dialog.title});
  }

  // A name typed without its suffix is saved with the default one.
  ModalDialogs dialogs({FileDialogAction(cases[1].dialog, dir_.path(), "beam")});
  MainWindowCommand(MenuSaveAs);
  EXPECT_TRUE(QFile::exists(InFolder("beam.sec")));
}

TEST_F(QtPlatformTest, ChoosePrinterOffersThePrintersAndPrintsToAPdfFile) {
  const std::vector<std::string> names = platform_.PrinterNames();
  ASSERT_FALSE(names.empty());
  // Without a PDF printer installed the program offers its own PDF entry, last.
  const auto pdfEntry = std::find(names.begin(), names.end(), "Print to PDF");
  const int pdfRow = static_cast<int>(pdfEntry - names.begin());

  auto choosePdf = [&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Choose Printer");
    auto* list = d.findChild<QListWidget*>(QStringLiteral("control101"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), static_cast<int>(names.size()));
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->text().toStdString(), names[i]);
    list->setCurrentRow(pdfRow);
    auto* ok = d.findChild<QPushButton*>(QStringLiteral("control1"));
    ASSERT_NE(ok, nullptr);
    ok->click();
  };
  const FileDialogCase pdf{"Print to PDF", {"PDF Files (*.pdf)", "All Files (*)"}, "pdf",
                           QFileDialog::AcceptSave};
  if (pdfEntry != names.end()) {
    ModalDialogs dialogs({choosePdf, FileDialogAction(pdf, dir_.path(), "page")});
    MainWindowCommand(MenuPrint);
    EXPECT_EQ(dialogs.Seen(), (QStringList{"Choose Printer", "Print to PDF"}));
    EXPECT_GT(QFileInfo(InFolder("page.pdf")).size(), 0);
    EXPECT_EQ(Printing.LastPrinter, "Print to PDF");
  }

  // The printer chosen last is chosen again; Cancel prints nothing.
  Printing.LastPrinter = names.back();
  ModalDialogs dialogs({[&](QDialog& d) {
    auto* list = d.findChild<QListWidget*>(QStringLiteral("control101"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentRow(), list->count() - 1);
    auto* cancel = d.findChild<QPushButton*>(QStringLiteral("control2"));
    ASSERT_NE(cancel, nullptr);
    cancel->click();
  }});
  EXPECT_EQ(ChoosePrinter(), "");
  EXPECT_EQ(dialogs.Seen(), QStringList{"Choose Printer"});
}

TEST_F(QtPlatformTest, OtherAxesResultShowsItsLinesUntilClosed) {
  Calc.props = PropertySet{2, 1, 2, 3, 4, 0.5, 0, 0, 0};
  Shared.ResultsCurrent = true;
  bool closedByProgram = false;
  ModalDialogs dialogs({[&](QDialog& d) {
    QStringList texts;
    for (const QLabel* label : d.findChildren<QLabel*>()) texts << label->text();
    // About the origin: Ixx + A dy², Iyy + A dx², Ixy + A dx dy.
    EXPECT_EQ(texts, (QStringList{"Ixx \t=   11.000", "Iyy \t=   6.000", "Ixy \t=   4.500"}));
    EXPECT_TRUE(d.findChildren<QPushButton*>().isEmpty()) << "closed by its close box only";
    platform_.CloseResultDialog();  // as Escape does
    closedByProgram = !d.isVisible();
  }});
  OtherAxes(0, 0, 0);
  EXPECT_EQ(dialogs.Seen(), QStringList{"Property Calculations"});
  EXPECT_TRUE(closedByProgram);
}

TEST_F(QtPlatformTest, HelpGoesToTheDesktopForAHelpFileElseToTheHelpWindow) {
  DesktopViewer desktop;
  MainWindowCommand(MenuHelp);
  QTextBrowser* help = platform_.HelpWindowShown();
  ASSERT_NE(help, nullptr) << "the program's own page";
  EXPECT_EQ(help->windowTitle(), "Kelvarin Help");
  EXPECT_EQ(help->source().fileName(), "kelvarin-help.html");
  EXPECT_TRUE(desktop.viewer.source().isEmpty()) << "nothing handed to the desktop";
  help->close();

  QFile chm(InFolder("Velmora.chm"));
  ASSERT_TRUE(chm.open(QIODevice::WriteOnly));
  chm.close();
  MainWindowCommand(MenuHelp);
  EXPECT_EQ(desktop.viewer.source(), QUrl::fromLocalFile(InFolder("Velmora.chm")));
  EXPECT_EQ(platform_.HelpWindowShown(), nullptr);
}
