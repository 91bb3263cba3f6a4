// The main window on the offscreen platform: its controls at start-up, keys through
// the window, clicks on the BuildPanel, the sync with the main panel, closing.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QTest>
#include <QWindow>

#include "app/dispatch.h"
#include "app/window_actions.h"
#include "construct/entry_state.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "qt/graphic_view.h"
#include "qt/output_view.h"
#include "qt/profile_dialog.h"
#include "qt/raster_canvas.h"
#include "window_fixture.h"

namespace {

QRect RectOf(const QWidget* w) { return w->geometry(); }

// Clicks and double-clicks on a BuildPanel item (1..35), delivered to the window
// as the window system does: the press gives the list the focus first.
void ClickItem(QListWidget* list, int item, bool twice = false) {
  QListWidgetItem* it = list->item(item - 1);
  list->scrollToItem(it);
  const QPoint at = list->viewport()->mapTo(list->window(), list->visualItemRect(it).center());
  QWindow* window = list->window()->windowHandle();
  if (twice) {
    QTest::mouseDClick(window, Qt::LeftButton, {}, at);
  } else {
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
  }
}

}  // namespace

TEST(MainWindowGeometryTest, WorkAreaGivesHeightAndSquareView) {
  // 1000 pixels of work area: a 900-pixel window, 1050 wide before the menu and
  // the status bar take their share of the height.
  MainWindowGeometry g = ComputeMainWindowGeometry(1000, 0, 0);
  EXPECT_EQ(g.windowHeight, 900);
  EXPECT_EQ(g.width, 1050);
  g = ComputeMainWindowGeometry(1000, 25, 20);
  EXPECT_EQ(g.clientHeight, 875);
  EXPECT_EQ(g.g, 855);
  EXPECT_EQ(g.width, 150 + 855);
  // 0.9 of 1005 is 904.5: the nearest integer.
  EXPECT_EQ(ComputeMainWindowGeometry(1005, 0, 0).windowHeight, 905);
}

TEST(MainWindowGeometryTest, TheFrameComesOffTheWindowHeight) {
  // The outer window is 0.9 of the work area; a 21-pixel frame leaves the rest.
  const MainWindowGeometry g = ComputeMainWindowGeometry(1024, 25, 20, 21);
  EXPECT_EQ(g.windowHeight, 922);
  EXPECT_EQ(g.clientHeight, 922 - 21 - 25);
  EXPECT_EQ(g.width, 150 + 922 - 21 - 25 - 20);
}

TEST(PanelLabelTest, LongNumbersAreRoundedToFit) {
  const QFontMetrics metrics(PanelFont(QFont()));
  const QString angle = "How far at 123.456789012345 deg";
  const QString shown = TextToFit(angle, metrics, 140);
  EXPECT_LE(metrics.horizontalAdvance(shown), 140);
  EXPECT_TRUE(shown.startsWith("How far at 123.")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(" deg")) << shown.toStdString();
  EXPECT_EQ(TextToFit("Fillets", metrics, 140), "Fillets");
  // Nothing to round: cut with an ellipsis.
  const QString cut = TextToFit(QString(60, 'w'), metrics, 130);
  EXPECT_LE(metrics.horizontalAdvance(cut), 130);
  EXPECT_TRUE(cut.endsWith(QChar(0x2026)));
}

TEST_F(WindowTest, StartsWithItsControlsInPlace) {
  MainWindow& w = *window_;
  EXPECT_EQ(w.windowTitle(), "Kelvarin");
  const MainWindowGeometry& g = w.Geometry();
  EXPECT_EQ(w.size(), QSize(g.width, g.windowHeight - g.frameHeight));
  if (g.frameHeight > 0) {
    EXPECT_EQ(w.frameGeometry().height(), g.windowHeight) << "0.9 of the work area, frame included";
  }
  EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the window keeps its size";
  EXPECT_EQ(w.centralWidget()->height(), g.clientHeight);
  const int G = g.g;
  EXPECT_EQ(RectOf(w.BuildPanel()), QRect(0, 0, 150, G - 115));
  EXPECT_EQ(RectOf(w.View()), QRect(150, 0, G, G));
  EXPECT_EQ(RectOf(w.Frame()), QRect(0, G - 120, 150, 123));
  EXPECT_EQ(RectOf(w.HeadingLabel()), QRect(5, G - 108, 140, 15));
  EXPECT_EQ(RectOf(w.ModeLabel()), QRect(15, G - 93, 130, 15));
  EXPECT_EQ(RectOf(w.InputLine()), QRect(15, G - 70, 120, 18));
  EXPECT_EQ(RectOf(w.OkButton()), QRect(50, G - 45, 50, 25));
  EXPECT_EQ(RectOf(w.StatusBar()), QRect(0, G, g.width, g.statusHeight));
  EXPECT_EQ(w.PromptLabel()->width(), 150);
  EXPECT_EQ(w.StatusPart2()->x(), 150);

  // The canvas covers the view's drawing area in device pixels.
  const qreal ratio = w.View()->devicePixelRatioF();
  EXPECT_EQ(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                       ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                       : 1.0);
  EXPECT_EQ(w.View()->Canvas().Width(), qRound(w.View()->contentsRect().width() * ratio));
  EXPECT_EQ(w.View()->Canvas().Height(), qRound(w.View()->contentsRect().height() * ratio));

  EXPECT_EQ(w.BuildPanel()->count(), 35);
  EXPECT_EQ(w.BuildPanel()->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(w.BuildPanel()->currentRow(), 2);
  EXPECT_EQ(w.HeadingLabel()->text(), "Polygon Section");
  EXPECT_EQ(w.ModeLabel()->text(), "absolute coordinates");
  EXPECT_EQ(w.InputLine()->text(), "0, 0");
  EXPECT_EQ(w.InputLine()->selectedText(), "0, 0");
  EXPECT_EQ(w.PromptLabel()->text(), "x , y");
  EXPECT_EQ(w.OkButton()->text(), "&Ok");
  EXPECT_FALSE(w.OkButton()->isDefault());
  EXPECT_FALSE(w.OkButton()->autoDefault());
  EXPECT_EQ(QApplication::focusWidget(), w.InputLine());
}

TEST_F(WindowTest, MenusMirrorTheMenuTable) {
  const QList<QAction*> titles = window_->menuBar()->actions();
  QStringList names;
  for (QAction* a : titles) names << a->text();
  EXPECT_EQ(names, QStringList({"&File", "&Edit", "&Calculate", "&View", "&Help"}));
  int items = 0, separators = 0;
  for (QAction* a : titles)
    for (QAction* item : a->menu()->actions()) (item->isSeparator() ? separators : items)++;
  EXPECT_EQ(items, 33);
  EXPECT_EQ(separators, 2);

  EXPECT_EQ(window_->Action(MenuSaveAs)->text(), "Save&As");
  EXPECT_EQ(window_->Action(MenuBeginAgain)->text(), "&Begin Again\tF9");
  EXPECT_EQ(window_->Action(MenuAboutOtherAxes)->text(), "About &Other Axes\tShft + F3");
  EXPECT_EQ(window_->Action(MenuLogFile)->text(), "&Log File\tCtrl+L");
  // Labels only: the keys belong to the keyboard hook.
  EXPECT_TRUE(window_->Action(MenuAboutCentroid)->shortcut().isEmpty());
  EXPECT_FALSE(window_->Action(MenuAboutCentroid)->isEnabled());
  EXPECT_FALSE(window_->Action(MenuAboutOtherAxes)->isEnabled());
  EXPECT_TRUE(window_->Action(MenuLineProperties)->isEnabled());

  // MenuOpen holds while a menu is shown, so that the hook keeps out of its keys.
  QMenu* file = titles[0]->menu();
  file->popup(window_->mapToGlobal(QPoint(0, 0)));
  EXPECT_TRUE(Dispatch.MenuOpen);
  file->hide();
  EXPECT_FALSE(Dispatch.MenuOpen);

  // Caption changes and check marks follow the panel after a command.
  window_->RunCommand([] {
    SetMenuCaption(MenuXReflection, "X-reflection");
    CheckMenuItem(MenuWithoutNodes, true);
  });
  EXPECT_EQ(window_->Action(MenuXReflection)->text(), "X-reflection");
  EXPECT_TRUE(window_->Action(MenuWithoutNodes)->isChecked());
  window_->Action(MenuNormal)->trigger();  // View / Normal removes the marks
  EXPECT_FALSE(window_->Action(MenuWithoutNodes)->isChecked());
  EXPECT_FALSE(window_->Action(MenuWithoutNodes)->isCheckable());
}

TEST_F(WindowTest, SquareTypedAndClosedWithKeys) {
  Key(Qt::Key_Return);  // node 1 at the "0, 0" the window starts with
  for (const char* node : {"10, 0", "10, 10", "0, 10"}) {
    Type(node);
    EXPECT_EQ(window_->InputLine()->text(), node) << "digits, commas and blanks are typed";
    Key(Qt::Key_Return);
    EXPECT_EQ(window_->InputLine()->text(), "");
  }
  EXPECT_EQ(Table.nodeCount, 4);
  EXPECT_FALSE(window_->Action(MenuAboutCentroid)->isEnabled());
  Type("c");  // closes the open polygon; the letter never reaches the line
  EXPECT_EQ(Table.sectionCount, 1);
  EXPECT_EQ(Table.sections[1].flags & Complete, Complete);
  EXPECT_EQ(window_->InputLine()->text(), "");
  EXPECT_TRUE(window_->Action(MenuAboutCentroid)->isEnabled());
  EXPECT_TRUE(Shared.FileChanged);

  // F3: the report in the output window, which Escape closes again.
  Key(Qt::Key_F3);
  OutputWindow* output = platform_->OutputWindowShown();
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(Output.open);
  QTest::keyClick(output->windowHandle(), Qt::Key_Escape);
  EXPECT_FALSE(Output.open);
  EXPECT_EQ(platform_->OutputWindowShown(), nullptr);
}

TEST_F(WindowTest, OneEnterIsOneOk) {
  for (const char* node : {"0, 0", "10, 0", "10, 10"}) {
    window_->InputLine()->setText(node);
    Key(Qt::Key_Return);
  }
  ASSERT_EQ(Table.nodeCount, 3);
  // Under "undo last node" every Ok removes a node, even with an empty line.
  ClickItem(window_->BuildPanel(), 8);
  EXPECT_EQ(window_->ModeLabel()->text().trimmed(), "undo last node");
  EXPECT_EQ(QApplication::focusWidget(), window_->InputLine());
  Key(Qt::Key_Return);
  EXPECT_EQ(Table.nodeCount, 2);

  // A line starting with a direction letter is not submitted by Enter.
  ClickItem(window_->BuildPanel(), 3);
  window_->InputLine()->setText("d5");
  Key(Qt::Key_Return);
  EXPECT_EQ(Table.nodeCount, 2);
  EXPECT_EQ(window_->InputLine()->text(), "d5");
  // Enter on the focused Ok button is no Ok either: only the hook turns Enter into Ok.
  window_->OkButton()->setFocus();
  window_->InputLine()->setText("20, 20");
  Key(Qt::Key_Return);
  EXPECT_EQ(Table.nodeCount, 2);
}

TEST_F(WindowTest, DoubleClickOnTheBuildPanelIsOk) {
  for (const char* node : {"0, 0", "5, 0", "5, 5"}) {
    window_->InputLine()->setText(node);
    window_->OkButton()->click();
  }
  ASSERT_EQ(Table.nodeCount, 3);
  ClickItem(window_->BuildPanel(), 8, /*twice=*/true);
  EXPECT_EQ(Table.nodeCount, 2);
  EXPECT_EQ(window_->HeadingLabel()->text(), "Polygon Section");
  // A single click chooses the item and hands the focus back to the line.
  ClickItem(window_->BuildPanel(), 4);
  EXPECT_EQ(Table.nodeCount, 2);
  EXPECT_EQ(window_->ModeLabel()->text().trimmed(), "relative coordinates");
  EXPECT_EQ(window_->PromptLabel()->text(), "x ; y");
  EXPECT_EQ(QApplication::focusWidget(), window_->InputLine());
}

TEST_F(WindowTest, PanelAndWidgetsSyncBothWays) {
  // A line typed in the InputLine is copied back before the hook sees the key:
  // Enter submits what the user typed, not what the panel held.
  window_->InputLine()->setText("7, 7");
  Key(Qt::Key_Return);
  EXPECT_EQ(Table.nodeCount, 1);
  EXPECT_FLOAT_EQ(Table.nodes[1].x, 7.0f);

  // Widgets into the panel: the typed text, its selection and the list choice.
  window_->InputLine()->setText("12, 34");
  window_->InputLine()->setSelection(4, 2);
  window_->CopyWidgetsToPanel();
  EXPECT_EQ(Panel.inputLine, "12, 34");
  EXPECT_EQ(Panel.selectionStart, 4);
  EXPECT_EQ(Panel.selectionEnd, 6);

  // The panel onto the widgets: every text, the selection, the list and the focus.
  window_->RunCommand([] {
    Panel.heading = "Edit data";
    Panel.modeLabel = "mode text";
    Panel.inputLine = "1, 2, 3";
    Panel.selectionStart = 3;
    Panel.selectionEnd = 7;
    Panel.promptLabel = "node, section";
    Panel.status2 = "/tmp/x.sec";
    Panel.selectedItem = PanelItem::EditData;
    Panel.focus = Focus::BuildPanel;
  });
  EXPECT_EQ(window_->HeadingLabel()->text(), "Edit data");
  EXPECT_EQ(window_->ModeLabel()->text(), "mode text");
  EXPECT_EQ(window_->InputLine()->selectedText(), "2, 3");
  EXPECT_EQ(window_->PromptLabel()->text(), "node, section");
  EXPECT_EQ(window_->StatusPart2()->text(), "/tmp/x.sec");
  EXPECT_EQ(window_->BuildPanel()->currentRow(), 14);
  EXPECT_EQ(QApplication::focusWidget(), window_->BuildPanel());
  EXPECT_EQ(Panel.focus, Focus::BuildPanel) << "the sync's own focus move is no user action";
}

TEST_F(WindowTest, CloseAsksAndHonoursTheThreeAnswers) {
  window_->InputLine()->setText("0, 0");
  Key(Qt::Key_Return);
  ASSERT_TRUE(Shared.FileChanged);

  platform_->Answer(ResultCancel);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Table.nodeCount, 1) << "Cancel keeps the window and the data";
  ASSERT_EQ(platform_->Shown().size(), 1u);
  EXPECT_EQ(platform_->Shown()[0].caption, "Save File");
  EXPECT_EQ(platform_->Shown()[0].text, "File has changed...\nSave the file?");

  // Yes with a file name writes it, and the window goes.
  const std::string file = DataFolder() + "closing.sec";
  Shared.CurrentFile = file;
  platform_->Answer(ResultYes);
  EXPECT_TRUE(window_->close());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));

  // No: the window goes without writing.
  Restart("");
  window_->InputLine()->setText("0, 0");
  Key(Qt::Key_Return);
  Shared.CurrentFile = DataFolder() + "not-written.sec";
  platform_->Answer(ResultNo);
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(platform_->Shown().size(), 1u);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Shared.CurrentFile)));
  // With nothing changed nothing is asked.
  Restart("");
  EXPECT_TRUE(window_->close());
  EXPECT_TRUE(platform_->Shown().empty());
}

TEST_F(WindowTest, ClosingWithTheOutputWindowOpenClosesIt) {
  window_->RunCommand([] {
    AppendOutputLine("a line");
    ShowOutputWindow(250, 300, "Kelvarin");
  });
  ASSERT_NE(platform_->OutputWindowShown(), nullptr);
  EXPECT_TRUE(window_->close());
  EXPECT_FALSE(Output.open);
  EXPECT_EQ(platform_->OutputWindowShown(), nullptr);
}

// Add Profile from the menu while the output window (always on top) is open: the
// dialog comes up above it, the keyboard alone chooses, and the profile is drawn.
TEST_F(WindowTest, AddProfileComesUpAboveTheOutputWindowAndAddsFromTheKeyboard) {
  window_->RunCommand([] {
    AppendOutputLine("a line");
    ShowOutputWindow(250, 300, "Kelvarin");
  });
  ASSERT_NE(platform_->OutputWindowShown(), nullptr);
  bool above = false;
  QString shown;
  QTimer answer;
  answer.setInterval(10);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<ProfileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isActiveWindow()) return;  // keys go to the active window
    answer.stop();
    above = (dialog->windowFlags() & Qt::WindowStaysOnTopHint) != 0;
    QTest::keyClick(dialog, Qt::Key_F, Qt::AltModifier);  // to the families
    QTest::keyClicks(QApplication::focusWidget(), "HEB");
    QTest::keyClick(dialog, Qt::Key_T, Qt::AltModifier);  // to the filter box
    QTest::keyClicks(QApplication::focusWidget(), "300");
    shown = dialog->Dimensions()->text();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    if (dialog->isVisible()) dialog->reject();
  });
  answer.start();
  window_->Action(MenuAddProfile)->trigger();
  EXPECT_TRUE(above);
  EXPECT_TRUE(shown.startsWith("HEB 300")) << shown.toStdString();
  ASSERT_EQ(Table.sectionCount, 1);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_FALSE(Dispatch.FileDialogOpen);
}

TEST_F(WindowTest, BadFilesOnTheCommandLineLeaveAnEmptyStart) {
  platform_->Answer(ResultOk);
  Restart(std::string("\"") + KELVARIN_TEST_DATA + "/bad_kind.sec\"");
  ASSERT_FALSE(platform_->Shown().empty());
  EXPECT_EQ(platform_->Shown().back().kind, "box");
  EXPECT_EQ(Table.sectionCount, 0);
  EXPECT_EQ(window_->HeadingLabel()->text(), "Polygon Section");

  platform_->Answer(ResultOk);
  Restart(DataFolder() + "missing.sec");
  ASSERT_EQ(platform_->Shown().size(), 1u);
  EXPECT_EQ(platform_->Shown()[0].text, "File not found");
  EXPECT_EQ(platform_->Shown()[0].caption, "File spec: " + DataFolder() + "missing.sec");
  EXPECT_EQ(window_->InputLine()->text(), "0, 0");

  // A good file, quoted: loaded, drawn, and the line emptied.
  Restart(std::string("\"") + KELVARIN_TEST_DATA + "/square.sec\"");
  EXPECT_EQ(Table.sectionCount, 1);
  EXPECT_EQ(window_->InputLine()->text(), "");
  const QImage& picture = window_->View()->Canvas().Image();
  int dark = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) dark += qGray(picture.pixel(x, y)) < 128;
  EXPECT_GT(dark, 100) << "the section is drawn on the view's canvas";
}

TEST_F(WindowTest, HundredsOfFastKeysKeepWindowAndPanelTogether) {
  const int keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                      Qt::Key_Down, Qt::Key_1, Qt::Key_5, Qt::Key_Comma, Qt::Key_Space,
                      Qt::Key_U, Qt::Key_C, Qt::Key_P, Qt::Key_D, Qt::Key_L, Qt::Key_A,
                      Qt::Key_Minus, Qt::Key_Backspace, Qt::Key_Tab};
  QRandomGenerator random(11);
  for (int i = 0; i < 600; ++i) {
    const int key = keys[random.bounded(int(std::size(keys)))];
    // Modal dialogs the keys open (Data Error, Clear Screen...) are answered No.
    for (int k = 0; k < 3; ++k) platform_->Answer(ResultNo);
    Key(key, random.bounded(5) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
  }
  // After the storm the widgets still show the panel exactly.
  EXPECT_EQ(window_->InputLine()->text().toStdString(), Panel.inputLine);
  EXPECT_EQ(window_->HeadingLabel()->text().toStdString(), Panel.heading);
  EXPECT_EQ(window_->BuildPanel()->currentRow() + 1, ItemNumber(Panel.selectedItem));
  EXPECT_LE(Table.nodeCount, 250);
}

TEST_F(WindowTest, OpenOfABadFileKeepsTheDrawingAndExitEndsTheProgram) {
  Key(Qt::Key_Return);  // a node at (0, 0): the tables have changed
  ASSERT_EQ(Table.nodeCount, 1);
  platform_->Answer(std::string(KELVARIN_TEST_DATA) + "/bad_kind.sec");
  platform_->Answer(ResultNo);  // do not save the changes
  platform_->Answer(ResultOk);  // the reader's refusal
  window_->Action(MenuOpenFile)->trigger();
  const std::vector<ShownDialog>& shown = platform_->Shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].kind, "open");
  EXPECT_EQ(shown[0].caption, "Open File");
  EXPECT_EQ(shown[1].caption, "Save File");
  EXPECT_EQ(Table.nodeCount, 1) << "a refused file keeps what was drawn";
  EXPECT_FALSE(Dispatch.FileDialogOpen);
  EXPECT_EQ(QApplication::focusWidget(), window_->InputLine());

  // File / Exit runs the close protocol: No, and the window goes.
  platform_->Answer(ResultNo);
  window_->Action(MenuExit)->trigger();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(platform_->QuitRequested());
}

namespace {

// Every text of the two labels is shown whole and within the label.
void ExpectPanelLabelsInFull(const MainWindow& w, const std::string& when) {
  for (auto [label, text] : {std::pair{w.HeadingLabel(), &Panel.heading},
                             std::pair{w.ModeLabel(), &Panel.modeLabel}}) {
    EXPECT_EQ(label->text().toStdString(), *text) << when;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
        << when << ": \"" << *text << "\"";
    EXPECT_TRUE(label->toolTip().isEmpty()) << when;
  }
}

}  // namespace

TEST_F(WindowTest, HeadingAndModeTextsShowInFull) {
  MainWindow& w = *window_;
  for (int i = 1; i <= BuildPanelCount; ++i) {
    w.RunCommand([i] { ClickBuildPanelItem(ItemAt(i)); });
    ExpectPanelLabelsInFull(w, "item " + std::to_string(i));
  }
  // The questions of pending steps, with angles of ordinary length.
  const std::pair<PendingStepKind, double> steps[] = {
      {StepUp, 0}, {StepDown, 0}, {StepLeft, 0}, {StepRight, 0}, {StepRightAngle, 0},
      {StepFixedRadius, 0}, {StepAngle, 135}, {StepAngle, -337.5}, {StepAngle, 22.75}};
  for (auto [step, angle] : steps) {
    w.RunCommand([step, angle] {
      Entry.PendingStep = step;
      Entry.LastAngle = angle;
      RefreshPanel();
    });
    ExpectPanelLabelsInFull(w, "step " + std::to_string(step) + " at " + std::to_string(angle));
  }
  w.RunCommand([] { Entry.PendingStep = StepNone; ClickBuildPanelItem(PanelItem::CircleSection); });

  // A full table: 99 circles and a polygon of 151 nodes, so that Edit data shows
  // "node 250, section 100".
  auto ok = [&w](const std::string& line) {
    w.InputLine()->setText(QString::fromStdString(line));
    w.OkButton()->click();
  };
  for (int i = 0; i < 99; ++i) ok(std::to_string(i) + ", 0, 1");
  w.RunCommand([] { ClickBuildPanelItem(PanelItem::AbsoluteCoordinates); });
  for (int i = 0; i < 151; ++i) ok(std::to_string(i) + ", " + std::to_string(i % 2 + 5));
  ASSERT_EQ(Table.nodeCount, 250);
  Key(Qt::Key_U);
  ExpectPanelLabelsInFull(w, "undo");
  Key(Qt::Key_C);  // closes the polygon
  ExpectPanelLabelsInFull(w, "close");
  ASSERT_EQ(Table.sections[100].flags & Complete, Complete);
  w.RunCommand([] { ClickBuildPanelItem(PanelItem::EditData); });
  ok("250");
  EXPECT_EQ(Panel.heading, "Change values");
  EXPECT_EQ(Panel.modeLabel, "node 250, section 100");
  ExpectPanelLabelsInFull(w, "Edit data");
}

TEST_F(WindowTest, AnAngleOfManyDigitsIsRoundedWithTheWholeTextAsTooltip) {
  window_->RunCommand([] {
    Entry.PendingStep = StepAngle;
    Entry.LastAngle = 123.456789012345;
    RefreshPanel();
  });
  QLabel* heading = window_->HeadingLabel();
  EXPECT_LE(heading->fontMetrics().horizontalAdvance(heading->text()), heading->contentsRect().width());
  EXPECT_TRUE(heading->text().startsWith("How far at 123.4")) << heading->text().toStdString();
  EXPECT_EQ(heading->toolTip().toStdString(), Panel.heading);
  EXPECT_NE(heading->text().toStdString(), Panel.heading);
}

TEST_F(WindowTest, FileNotFoundIsShownOverTheStartedPanelCentredOnTheWindow) {
  platform_->realMessageBoxes = true;
  std::string heading, mode, line;
  QRect box, owner;
  // Answers the real box once it is up, after noting what the window showed.
  QTimer answer;
  answer.setInterval(10);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || window_ == nullptr) return;
    heading = window_->HeadingLabel()->text().toStdString();
    mode = window_->ModeLabel()->text().toStdString();
    line = window_->InputLine()->text().toStdString();
    box = modal->frameGeometry();
    owner = window_->frameGeometry();
    QTest::keyClick(modal, Qt::Key_Return);
    answer.stop();
  });
  answer.start();
  Restart(DataFolder() + "missing.sec");
  ASSERT_EQ(platform_->Shown().size(), 1u);
  EXPECT_EQ(platform_->Shown()[0].text, "File not found");
  EXPECT_EQ(heading, "Polygon Section");
  EXPECT_EQ(mode, "absolute coordinates");
  EXPECT_EQ(line, "0, 0");
  EXPECT_NEAR(box.center().x(), owner.center().x(), 1);
  EXPECT_NEAR(box.center().y(), owner.center().y(), 1);
}
