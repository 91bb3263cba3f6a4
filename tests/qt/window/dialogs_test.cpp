// The program's own dialogs and the output window, driven by keys and clicks
// without running their modal loops.
#include <QMenuBar>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "app/dispatch.h"
#include "app/menu_ids.h"
#include "output/output_window.h"
#include "qt/message_dialogs.h"
#include "qt/output_view.h"
#include "qt/profile_dialog.h"
#include "qt/template_dialog.h"
#include "window_fixture.h"

namespace {

// The result a message dialog of the style gives for a key, or for a click on
// button i when key is 0.
int MessageResultOf(MessageStyle style, int key, int button = -1) {
  MessageDialogWindow dialog("text", style, "title", nullptr);
  dialog.show();
  if (key != 0) {
    QTest::keyClick(&dialog, static_cast<Qt::Key>(key));
  } else {
    dialog.Button(button)->click();
  }
  EXPECT_FALSE(dialog.isVisible());
  return dialog.result();
}

}  // namespace

TEST(MessageDialogTest, ButtonSetsGiveTheirCodes) {
  // A lone Ok gives 1; Escape and the close box give 7 whatever the set.
  EXPECT_EQ(MessageResultOf(MsgOk, Qt::Key_Return), ResultOk);
  EXPECT_EQ(MessageResultOf(MsgOk, Qt::Key_Escape), ResultNo);
  // Ok and Cancel give 6 and 7, not 1 and 2.
  EXPECT_EQ(MessageResultOf(MsgOkCancel, 0, 0), ResultYes);
  EXPECT_EQ(MessageResultOf(MsgOkCancel, 0, 1), ResultNo);
  // Only the Cancel button of Yes/No/Cancel gives 2; Escape gives 7, Enter 6.
  EXPECT_EQ(MessageResultOf(MsgYesNoCancel, 0, 2), ResultCancel);
  EXPECT_EQ(MessageResultOf(MsgYesNoCancel, Qt::Key_Escape), ResultNo);
  EXPECT_EQ(MessageResultOf(MsgYesNoCancel | MsgIconQuestion, Qt::Key_Return), ResultYes);
  EXPECT_EQ(MessageResultOf(MsgYesNo | MsgIconQuestion, 0, 1), ResultNo);

  // The widgets stand where the layout puts them.
  MessageDialogWindow dialog("Begin again?", MsgYesNo | MsgIconWarning, "Clear Screen", nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Clear Screen");
  ASSERT_EQ(dialog.ButtonCount(), 2);
  EXPECT_EQ(dialog.Button(0)->text(), "&Yes");
  EXPECT_EQ(dialog.Button(0)->geometry(), QRect(10, 50, 60, 30));
  EXPECT_EQ(dialog.Button(1)->geometry(), QRect(75, 50, 60, 30));
  EXPECT_TRUE(dialog.Button(0)->isDefault());
  ASSERT_NE(dialog.IconLabel(), nullptr);
  EXPECT_EQ(dialog.IconLabel()->geometry(), QRect(10, 5, 32, 32));
  EXPECT_EQ(dialog.TextLabel()->x(), 50);
  MessageDialogWindow plain("a\r\nb", MsgOk, "", nullptr);
  EXPECT_EQ(plain.TextLabel()->text(), "\na\nb") << "the text starts a line down";
  EXPECT_EQ(plain.TextLabel()->x(), 10);
  EXPECT_EQ(plain.IconLabel(), nullptr);
  EXPECT_EQ(plain.Button(0)->geometry(), QRect(30, 50, 80, 30));
}

TEST(InputDialogTest, CancelGivesEmptyTextAndOkTheTypedOne) {
  for (int key : {int(Qt::Key_Escape), 0}) {
    InputDialogWindow dialog("Section number:", "Delete Section", "", nullptr);
    dialog.show();
    QTest::keyClicks(dialog.Edit(), "12");
    if (key != 0) {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
      dialog.close();  // the close box
    }
    EXPECT_EQ(dialog.Answer(), "");
  }
  InputDialogWindow dialog("Magnification factor:", "", "2", nullptr);
  dialog.show();
  EXPECT_EQ(dialog.Edit()->text(), "2");
  QTest::keyClick(dialog.Edit(), Qt::Key_End);
  QTest::keyClicks(dialog.Edit(), "5");
  QTest::keyClick(dialog.Edit(), Qt::Key_Return);
  EXPECT_EQ(dialog.Answer(), "25");
}

TEST(ListChoiceDialogTest, OkGivesTheChosenItemCancelNone) {
  const std::vector<std::string> items = {"Section: 1 outline entity", "Dims: 4 outline entities",
                                          "All layers: 30 outline entities, 12 other entities"};
  {
    ListChoiceDialog dialog("Import DXF", "Which layer?", items, nullptr);
    dialog.show();
    ASSERT_EQ(dialog.List()->count(), 3);
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    // Every item reads whole: nothing to scroll sideways.
    QApplication::processEvents();
    EXPECT_FALSE(dialog.List()->horizontalScrollBar()->isVisible());
    QTest::keyClick(dialog.List(), Qt::Key_Down);
    dialog.OkButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Chosen(), 1);
  }
  {
    ListChoiceDialog dialog("Import DXF", "Which layer?", items, nullptr);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.Chosen(), -1);
  }
  {
    // A double click chooses and closes.
    ListChoiceDialog dialog("Import DXF", "Which layer?", items, nullptr);
    dialog.show();
    QWidget* viewport = dialog.List()->viewport();
    const QPoint at = dialog.List()->visualItemRect(dialog.List()->item(1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Chosen(), 1);
  }
}

ProfileRequest SmallCatalogue() {
  ProfileRequest r;
  r.families = {{"IPE", "EN 10365", "mm", {"IPE 200", "IPE 300", "IPE 330"}},
                {"HEB", "EN 10365", "mm", {"HEB 200", "HEB 300"}},
                {"W", "AISC", "in", {"W8x10", "W14x90"}}};
  r.dimensions = [](int f, int k) { return std::vector<std::string>{"f" + std::to_string(f) + "k" + std::to_string(k)}; };
  return r;
}

TEST(ProfileDialogTest, TheKeyboardFiltersAndChoosesTheMouseToo) {
  ProfileRequest request = SmallCatalogue();
  {
    ProfileDialog dialog(request, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.Sizes()->currentItem()->text(), "IPE 200");
    EXPECT_TRUE(dialog.Dimensions()->text().contains("f0k0"));
    // Typing "3" leaves IPE 300 and 330; Down in the box goes to the next size shown.
    dialog.Filter()->setFocus();
    QTest::keyClicks(dialog.Filter(), "3");
    EXPECT_TRUE(dialog.Sizes()->item(0)->isHidden());
    EXPECT_EQ(dialog.Sizes()->currentItem()->text(), "IPE 300");
    // A filter the family cannot match moves to one that can, and back.
    dialog.Filter()->setText("heb3");
    EXPECT_EQ(dialog.Families()->currentRow(), 1);
    EXPECT_EQ(dialog.Sizes()->currentItem()->text(), "HEB 300");
    dialog.Filter()->setText("ipe3");
    EXPECT_EQ(dialog.Sizes()->currentItem()->text(), "IPE 300");
    dialog.Filter()->setText("3");
    // Nothing matching holds Ok back, and so does a point that is not a number.
    QTest::keyClicks(dialog.Filter(), "9");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QTest::keyClick(dialog.Filter(), Qt::Key_Backspace);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.PointX()->setText("12,5");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.PointX()->setText("12.5");
    ASSERT_TRUE(dialog.OkButton()->isEnabled());
    QTest::keyClick(dialog.Filter(), Qt::Key_Down);
    EXPECT_EQ(dialog.Sizes()->currentItem()->text(), "IPE 330");
    EXPECT_TRUE(dialog.Dimensions()->text().contains("f0k2"));
    dialog.Turn()->setCurrentIndex(3);
    QTest::keyClick(dialog.Filter(), Qt::Key_Return);
    ASSERT_TRUE(dialog.Chosen(request));
    EXPECT_EQ(request.family, 0);
    EXPECT_EQ(request.size, 2);
    EXPECT_EQ(request.x, 12.5);
    EXPECT_EQ(request.turn, 270);
    EXPECT_EQ(request.units, "mm");
  }
  {
    // A click on a family shows its sizes in its own units; a double click adds.
    ProfileDialog dialog(request, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.Sizes()->currentItem()->text(), "IPE 330");  // opens on the last choice
    QListWidget* families = dialog.Families();
    QTest::mouseClick(families->viewport(), Qt::LeftButton, {},
                      families->visualItemRect(families->item(2)).center());
    EXPECT_EQ(dialog.Units()->currentText(), "in");
    QWidget* viewport = dialog.Sizes()->viewport();
    const QPoint at = dialog.Sizes()->visualItemRect(dialog.Sizes()->item(1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(dialog.Chosen(request));
    EXPECT_EQ(request.family, 2);
    EXPECT_EQ(request.size, 1);
  }
  {
    ProfileDialog dialog(request, nullptr);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.Chosen(request));
  }
}

TEST_F(WindowTest, OutputWindowScrollsByItsPage) {
  window_->RunCommand([] {
    for (int i = 1; i <= 25; ++i) AppendOutputLine("line " + std::to_string(i));
    ShowOutputWindow(250, 300, "Kelvarin");
  });
  OutputWindow* output = platform_->OutputWindowShown();
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->windowTitle(), "Kelvarin");
  EXPECT_TRUE(output->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(output->isModal());
  // "&To Printer " on the window's own menu bar and in its context menu.
  ASSERT_EQ(output->MenuBar()->actions().size(), 1);
  EXPECT_EQ(output->MenuBar()->actions()[0]->text(), "&To Printer ");
  EXPECT_TRUE(output->actions().contains(output->MenuBar()->actions()[0]));

  // 20 rows of 25 lines: page 3, positions 1 to 6.
  const int menu = output->MenuBar()->sizeHint().height();
  output->resize(250, menu + 20 * output->LineHeight() + output->LineHeight() / 2);
  ASSERT_EQ(output->VisibleRows(), 20);
  QScrollBar* bar = output->VerticalBar();
  ASSERT_TRUE(bar->isVisible());
  EXPECT_FALSE(output->HorizontalBar()->isVisible());
  EXPECT_EQ(bar->pageStep(), 3);
  EXPECT_EQ(bar->minimum(), 1);
  EXPECT_EQ(bar->maximum(), 6);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(output->TopLine(), 4);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(output->TopLine(), 6);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(output->TopLine(), 6);

  // Large enough for everything: no bars, back to the first line.
  output->resize(400, 30 * output->LineHeight());
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(output->TopLine(), 1);

  // The close box gives the window up: the lines go, the open flag clears.
  output->close();
  EXPECT_FALSE(Output.open);
  EXPECT_TRUE(Output.lines.empty());
}

TEST(TemplateDialogTest, PreferencesAndAboutInDialogUnits) {
  TemplateDialog prefs(PreferencesDialogTemplate({5, true}), nullptr);
  EXPECT_EQ(prefs.windowTitle(), "Preferences");
  const DialogBaseUnits base = prefs.BaseUnits();
  ASSERT_GT(base.x, 0);
  EXPECT_EQ(prefs.size(), QSize(DialogUnitsToPixels({0, 0, 120, 90}, base).width,
                                DialogUnitsToPixels({0, 0, 120, 90}, base).height));
  auto* list = prefs.findChild<QComboBox*>("control108");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 7);
  EXPECT_EQ(list->currentText(), " 5");
  auto* check = prefs.findChild<QCheckBox*>("control109");
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->isChecked());
  auto* ok = prefs.findChild<QPushButton*>("control1");
  ASSERT_NE(ok, nullptr);
  const DialogRect at = DialogUnitsToPixels({10, 45, 50, 20}, base);
  EXPECT_EQ(ok->geometry(), QRect(at.x, at.y, at.width, at.height));

  // The About box's links: a hand over them, a click reports which one.
  AboutBoxContent content{"About Velmora", "Kelvarin", " for Linux", "1.2.3", "someone",
                          "mail@kelvarin.invalid", "https://kelvarin.invalid"};
  TemplateDialog about(AboutBoxTemplate(content), nullptr);
  std::vector<int> clicked;
  about.OnLinkClicked([&](int i) { clicked.push_back(i); });
  about.show();
  const int email = about.ControlCount() - 2;
  QWidget* link = about.Control(email);
  EXPECT_EQ(static_cast<QLabel*>(link)->text(), "mail@kelvarin.invalid");
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(link->font().underline());
  QTest::mouseClick(link, Qt::LeftButton);
  QTest::mouseClick(about.Control(email + 1), Qt::LeftButton);
  EXPECT_EQ(clicked, std::vector<int>({email, email + 1}));
  EXPECT_TRUE(about.isVisible()) << "the box stays open";
}

namespace {

// Pixels between the end of a label's text and the control on its right.
int GapAfterText(const QLabel* label, const QWidget* right) {
  const int textEnd = label->x() + label->fontMetrics().horizontalAdvance(label->text());
  return right->x() - textEnd;
}

}  // namespace

TEST(DialogSpacingTest, NoPromptOrIconTouchesItsNeighbour) {
  // The input dialog's prompts against their edit boxes.
  for (const char* prompt : {"Section number:", "Line(m-n):", "x0, y0, angle:",
                             "Magnification factor:"}) {
    InputDialogWindow dialog(prompt, "", "", nullptr);
    EXPECT_GE(GapAfterText(dialog.PromptLabel(), dialog.Edit()), 3) << prompt;
  }
  // Preferences: "Significant digits:" against its list.
  TemplateDialog prefs(PreferencesDialogTemplate({3, false}), nullptr);
  auto* label = qobject_cast<QLabel*>(prefs.Control(0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Significant digits:");
  EXPECT_GE(GapAfterText(label, prefs.Control(1)), 3);
  // About: the icon against the title beside it.
  AboutBoxContent content{"About Velmora", "Kelvarin", " for Linux", "1.2.3", "The team",
                          "mail@kelvarin.invalid", "https://kelvarin.invalid"};
  TemplateDialog about(AboutBoxTemplate(content), nullptr);
  const QWidget* icon = about.Control(0);
  const QWidget* title = about.Control(1);
  EXPECT_GE(title->x() - (icon->x() + icon->width()), 3);
  EXPECT_EQ(icon->width(), about.style()->pixelMetric(QStyle::PM_LargeIconSize));
}

TEST_F(WindowTest, HelpWindowClosesOnEscape) {
  const std::string page = DataFolder() + "help.html";
  QFile file(QString::fromStdString(page));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html><body>Help</body></html>");
  file.close();
  platform_->ShowHelp(page, HelpViewer::HelpWindow);
  QTextBrowser* help = platform_->HelpWindowShown();
  ASSERT_NE(help, nullptr);
  QTest::keyClick(help, Qt::Key_Escape);
  EXPECT_EQ(platform_->HelpWindowShown(), nullptr);
}

// Torsion and Warping works on a worker thread: the command returns at once, the
// window goes on taking commands, and the result arrives in the output window.
TEST_F(WindowTest, TorsionResultArrivesWhileTheWindowStaysUsable) {
  for (const char* node : {"0, 0", "20, 0", "20, 10", "0, 10"}) {
    window_->InputLine()->setText(node);
    Key(Qt::Key_Return);
  }
  Type("c");
  window_->Action(MenuTorsion)->trigger();
  EXPECT_FALSE(window_->CommandRunning());
  window_->Action(MenuWithoutNodes)->trigger();  // a command meanwhile that edits nothing
  QElapsedTimer clock;
  clock.start();
  while (platform_->OutputWindowShown() == nullptr && clock.elapsed() < 20000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  OutputWindow* output = platform_->OutputWindowShown();
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->windowTitle(), "Torsion and Warping");
  ASSERT_GT(Output.lines.size(), 2u);
  EXPECT_EQ(Output.lines[2].find(" J    \t=   "), 0u) << Output.lines[2];
}

TEST_F(WindowTest, SectionModuliWindowShowsItsValuesWhole) {
  // A large plate: moduli of eight digits before the decimals.
  for (const char* node : {"0, 0", "3000, 0", "3000, 2000", "0, 2000"}) {
    window_->InputLine()->setText(node);
    Key(Qt::Key_Return);
  }
  Type("c");
  window_->Action(MenuSectionModuli)->trigger();
  OutputWindow* output = platform_->OutputWindowShown();
  ASSERT_NE(output, nullptr);
  ASSERT_EQ(output->windowTitle(), "Section Moduli");
  EXPECT_FALSE(output->HorizontalBar()->isVisible());
  // No ink in the last character cell before the right edge (or the scroll bar): a
  // value cut by the edge would leave some there.
  const QImage picture = output->grab().toImage();
  const int right = output->width() - (output->VerticalBar()->isVisible() ? output->VerticalBar()->width() : 0);
  const int top = output->MenuBar()->height();
  int ink = 0, text = 0;
  for (int y = top; y < picture.height(); ++y)
    for (int x = 0; x < right; ++x) {
      const bool dark = qGray(picture.pixel(x, y)) < 128;
      text += dark;
      ink += dark && x >= right - output->CharWidth();
    }
  EXPECT_GT(text, 500) << "the lines are painted";
  EXPECT_EQ(ink, 0);
}
