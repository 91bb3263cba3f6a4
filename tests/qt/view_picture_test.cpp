// The whole picture: RenderViewPicture of a table with every kind, checked by
// pixels and against golden images.
#include "qt/view_picture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/pieces.h"
#include "model/properties.h"
#include "qt/gui_application.h"
#include "qt/raster_canvas.h"
#include "view/redraw_view.h"
#include "view/view_tables.h"

namespace viewtest {
namespace {

// A filleted I-section with a bored web, a tube beside it, the three arc-segment
// forms, a radial block, merge data and two phantom points.
void BuildShowcase() {
  AddPolygon({{-100, 0}, {100, 0}, {100, 15}, {5, 15}, {5, 285}, {100, 285},
              {100, 300}, {-100, 300}, {-100, 285}, {-5, 285}, {-5, 15}, {-100, 15}});
  for (int n : {4, 5, 10, 11}) SetFillet(12, n);
  AddCircle(0, 150, 4, -1);
  AddCircle(200, 220, 40);
  AddCircle(200, 220, 30, -1);
  AddArcSegment(180, 40, 50, 0, 90, 15);
  AddArcSegment(300, 40, 50, 90, 180, -1);
  AddArcSegment(320, 0, 60, 30, 120, 0);
  AddRadialBlock(300, 150, 60, 45, 25, 20);
  AddMergeData(-150, 150, 100);
  AddPhantom(-150, 300);
  AddPhantom(350, -20);
}

// KELVARIN_REGENERATE set to anything but 0: failed golden comparisons write new
// expected files instead.
bool Regenerating() {
  QByteArray value = qgetenv("KELVARIN_REGENERATE");
  return !value.isEmpty() && value != "0";
}

// Compares with tests/data/golden/NAME.png; on a difference (or when the golden
// picture is missing) writes NAME.actual.png and NAME.diff.png (differing pixels in
// red) to the build folder's golden-failures, or regenerates NAME.png.
void ExpectGolden(const QImage& actual, const QString& name) {
  const QString golden = QStringLiteral(KELVARIN_TEST_DATA "/golden/") + name + ".png";
  const QString failures = QStringLiteral(KELVARIN_GOLDEN_FAILURES "/") + name;
  QFile::remove(failures + ".actual.png");
  QFile::remove(failures + ".diff.png");
  QImage expected(golden);
  QImage a = actual.convertToFormat(QImage::Format_RGB32);
  bool same = !expected.isNull() && expected.size() == a.size();
  QImage diff(a.size(), QImage::Format_RGB32);
  diff.fill(Qt::white);
  int differing = 0;
  if (same) {
    QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if ((a.pixel(x, y) & 0xffffff) != (e.pixel(x, y) & 0xffffff)) {
          ++differing;
          diff.setPixel(x, y, qRgb(255, 0, 0));
        }
    same = differing == 0;
  }
  if (same) return;
  if (Regenerating()) {
    EXPECT_TRUE(a.save(golden)) << "cannot write " << golden.toStdString();
    return;
  }
  QDir().mkpath(KELVARIN_GOLDEN_FAILURES);
  a.save(failures + ".actual.png");
  diff.save(failures + ".diff.png");
  EXPECT_FALSE(expected.isNull()) << "no golden picture " << golden.toStdString()
                                  << "; the actual one is " << failures.toStdString()
                                  << ".actual.png";
  EXPECT_EQ(differing, 0) << "pixels differ from " << golden.toStdString() << "; see "
                          << failures.toStdString() << ".actual.png and .diff.png";
}

class ViewPictureTest : public ViewFixture {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  void SetUp() override {
    ViewFixture::SetUp();
    platform.SetViewCanvas(nullptr);
    BuildShowcase();
  }
  QRgb PixelAt(const QImage& image, double x, double y) {
    // The same mapping as the view: redraw once on a canvas of the same size.
    RasterCanvas probe(image.width(), image.height());
    platform.SetViewCanvas(&probe);
    View.highlight = 0;
    bool hide = View.hideNodeNumbers;
    RedrawView();
    View.hideNodeNumbers = hide;
    platform.SetViewCanvas(nullptr);
    int px, py;
    EXPECT_TRUE(probe.PixelOf({x, y}, px, py));
    return image.pixel(px, py) & 0xffffff;
  }
};

TEST_F(ViewPictureTest, PlainPictureHasOutlinesOnWhite) {
  QImage picture = RenderViewPicture(platform, {500, false, false, true});
  ASSERT_EQ(picture.size(), QSize(500, 500));
  EXPECT_EQ(PixelAt(picture, 0, 100), 0xffffffu);     // inside the web, not filled
  int black = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) black += (picture.pixel(x, y) & 0xffffff) == 0;
  EXPECT_GT(black, 1500);
  EXPECT_EQ(PixelAt(picture, 270, 70), 0xffffffu);    // inside the circular segment
  EXPECT_EQ(platform.ViewCanvas(), nullptr);
  ExpectGolden(picture, "showcase_plain");
}

TEST_F(ViewPictureTest, FilledPictureShowsTheNetSection) {
  QImage picture = RenderViewPicture(platform, {500, true, false, true});
  EXPECT_EQ(PixelAt(picture, 0, 100), 0xc0c0c0u);    // web
  EXPECT_EQ(PixelAt(picture, -50, 7), 0xc0c0c0u);    // flange
  EXPECT_EQ(PixelAt(picture, 0, 150), 0xffffffu);    // bored hole
  EXPECT_EQ(PixelAt(picture, 200, 220), 0xffffffu);  // bore of the tube
  EXPECT_EQ(PixelAt(picture, 200, 255), 0xc0c0c0u);  // wall of the tube
  EXPECT_EQ(PixelAt(picture, -50, 150), 0xffffffu);  // beside the web
  EXPECT_EQ(PixelAt(picture, 270, 70), 0xc0c0c0u);   // inside the circular segment
  ExpectGolden(picture, "showcase_filled");
}

TEST_F(ViewPictureTest, NumbersAndAxesAsTheWindowShowsThem) {
  QImage picture = RenderViewPicture(platform, {800, false, true, false});
  EXPECT_TRUE(View.showPrincipalAxes);
  EXPECT_TRUE(Shared.ResultsCurrent);
  // Blue phantom-point numbers are there.
  int blue = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) blue += (picture.pixel(x, y) & 0xffffff) == 0x0000ff;
  EXPECT_GT(blue, 20);
  // The golden picture also pins the text: the view's font and its glyphs.
  ExpectGolden(picture, "showcase_numbers_axes");
}

}  // namespace
}  // namespace viewtest
