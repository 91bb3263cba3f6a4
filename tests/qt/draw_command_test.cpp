// kelvarin-cli draw end to end: a section file of known bytes in, a PNG out.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "qt/gui_application.h"

namespace {

struct Bytes {
  std::vector<char> data;
  void Text(const char* s) { data.insert(data.end(), s, s + std::strlen(s)); }
  void I32(std::int32_t v) { Raw(&v, 4); }
  void F32(float v) { Raw(&v, 4); }
  void U8(std::uint8_t v) { Raw(&v, 1); }
  void Raw(const void* p, int n) {
    // The file is little-endian, as is every machine this runs on.
    const char* c = static_cast<const char*>(p);
    data.insert(data.end(), c, c + n);
  }
};

// A 10 x 10 square (slots 1-4) with a bored hole of radius 3 at (5, 5) (slot 5,
// weight -1, parameter row 1): 153 bytes.
std::vector<char> SquareWithHole() {
  Bytes b;
  b.Text("Velmora 1.2.3");
  b.I32(5);  // nodes
  b.I32(2);  // sections
  b.I32(1);  // parameter rows
  b.U8(0), b.U8(1), b.I32(1), b.I32(4), b.F32(1);
  b.U8(1), b.U8(1), b.I32(5), b.I32(1), b.F32(-1);  // lastNode holds the row number
  const float nodes[5][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  for (int i = 0; i < 5; ++i) b.F32(nodes[i][0]), b.F32(nodes[i][1]), b.I32(i == 4 ? 1 : 0);
  for (float c : {0.f, 5.f, 5.f, 3.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f}) b.F32(c);
  return b.data;
}

class DrawCommandTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    section = dir.filePath("square.sec");
    std::vector<char> bytes = SquareWithHole();
    ASSERT_EQ(bytes.size(), 153u);
    std::ofstream(section.toStdString(), std::ios::binary).write(bytes.data(), bytes.size());
  }
  int Run(const QStringList& args, QString* errors = nullptr) {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");  // the command must choose offscreen itself
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(KELVARIN_CLI), QStringList{"draw"} + args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    if (errors) *errors = QString::fromUtf8(cli.readAllStandardError());
    return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  }
  QTemporaryDir dir;
  QString section;
};

// Pixel of world (x, y) for the view of the square: extent 0..10, so the view
// spans -1.25..11.25 on both axes, y upwards.
QRgb WorldPixel(const QImage& image, double x, double y) {
  double scale = image.width() / 12.5;
  return image.pixel(int((x + 1.25) * scale), int((11.25 - y) * scale)) & 0xffffff;
}

TEST_F(DrawCommandTest, WritesThePictureOfTheFile) {
  QString out = dir.filePath("plain.png");
  ASSERT_EQ(Run({"--size", "250", "--no-numbers", section, out}), 0);
  QImage image(out);
  ASSERT_EQ(image.size(), QSize(250, 250));
  EXPECT_EQ(WorldPixel(image, 2, 2), 0xffffffu);
  // The left edge x = 0 and the hole's rim x = 2 at mid-height are drawn.
  int black = 0;
  for (int x = 0; x < 250; ++x) black += (image.pixel(x, 125) & 0xffffff) == 0;
  EXPECT_GE(black, 4);
}

TEST_F(DrawCommandTest, FillAndDefaultSize) {
  QString out = dir.filePath("filled.png");
  ASSERT_EQ(Run({"--fill", section, out}), 0);
  QImage image(out);
  ASSERT_EQ(image.size(), QSize(800, 800));
  EXPECT_EQ(WorldPixel(image, 1, 1), 0xc0c0c0u);
  EXPECT_EQ(WorldPixel(image, 9, 5), 0xc0c0c0u);
  EXPECT_EQ(WorldPixel(image, 5, 5), 0xffffffu);   // the hole
  EXPECT_EQ(WorldPixel(image, -1, 5), 0xffffffu);  // outside
}

TEST_F(DrawCommandTest, AxesNeedACalculationAndShowTheLetters) {
  QString plain = dir.filePath("a.png"), axes = dir.filePath("b.png");
  ASSERT_EQ(Run({"--no-numbers", section, plain}), 0);
  ASSERT_EQ(Run({"--no-numbers", "--axes", section, axes}), 0);
  QImage a(plain), b(axes);
  // The centroid (5, 5) lies in the hole: only the axes can darken it.
  EXPECT_EQ(WorldPixel(a, 5, 5), 0xffffffu);
  EXPECT_EQ(WorldPixel(b, 5.001, 5.001), 0u);
}

// The exit codes of bad usage are checked with the other commands' in
// tests/files/cli_report_log.cmake; here, that a refused file writes no picture.
TEST_F(DrawCommandTest, RefusedFileWritesNoPicture) {
  QString out = dir.filePath("x.png"), errors;
  EXPECT_EQ(Run({dir.filePath("missing.sec"), out}), 2);
  std::ofstream(dir.filePath("bad.sec").toStdString()) << "Something else";
  EXPECT_EQ(Run({dir.filePath("bad.sec"), out}, &errors), 2);
  EXPECT_TRUE(errors.contains("Wrong file type")) << errors.toStdString();
  EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
