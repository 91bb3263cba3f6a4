// kelvarin-cli draw: the view of a section file as a PNG picture, without a display.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "cli/cli_command.h"
#include "files/section_file.h"
#include "headless/headless_platform.h"
#include "model/shared_state.h"
#include "qt/view_picture.h"

namespace {

constexpr const char* Usage =
    "draw [--size N] [--fill] [--axes] [--no-numbers] FILE.sec OUT.png";

int Fail(const std::string& message) {
  std::fprintf(stderr, "kelvarin-cli draw: %s\nusage: kelvarin-cli %s\n", message.c_str(), Usage);
  return 2;
}

int RunDraw(const std::vector<std::string>& args) {
  ViewPictureOptions options;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--fill") {
      options.fill = true;
    } else if (a == "--axes") {
      options.axes = true;
    } else if (a == "--no-numbers") {
      options.noNumbers = true;
    } else if (a == "--size") {
      if (i + 1 >= args.size()) return Fail("--size needs a number of pixels");
      char* end = nullptr;
      long n = std::strtol(args[++i].c_str(), &end, 10);
      if (end == args[i].c_str() || *end != '\0' || n < 16 || n > 8000)
        return Fail("--size must be a whole number from 16 to 8000");
      options.size = static_cast<int>(n);
    } else if (a.size() > 1 && a[0] == '-') {
      return Fail("unknown option '" + a + "'");
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Fail("needs a section file and a picture file");

  // No display is needed: Qt's offscreen platform unless the caller chose one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kelvarin-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  HeadlessPlatform platform;
  // What the program would have shown in a message box goes to standard error.
  platform.SetListener([](const PlatformEvent& e) {
    if (e.kind == PlatformEvent::MessageBox || e.kind == PlatformEvent::MessageDialog)
      std::fprintf(stderr, "%s: %s\n", e.caption.c_str(), e.text.c_str());
  });
  SetPlatform(&platform);
  ResetTables();
  Shared.CurrentFile = files[0];
  if (!ReadSectionFile()) {
    std::fprintf(stderr, "kelvarin-cli draw: cannot read section file '%s'\n", files[0].c_str());
    return 1;
  }
  QImage picture = RenderViewPicture(platform, options);
  if (!picture.save(QString::fromStdString(files[1]), "PNG")) {
    std::fprintf(stderr, "kelvarin-cli draw: cannot write '%s'\n", files[1].c_str());
    return 1;
  }
  return 0;
}

const CliRegistration registration{{"draw", Usage, RunDraw}};

}  // namespace
