// kelvarin-cli draw: the view of a section file as a PNG picture, without a display.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "qt/gui_application.h"
#include "qt/view_picture.h"

namespace {

struct DrawOptions {
  ViewPictureOptions view;
  std::string section, picture;
};

CliExit RunDraw(const DrawOptions& options) {
  // No display is needed: Qt's offscreen platform unless the caller chose one.
  EnsureGuiApplication();
  CliSession session("");
  if (!session.ReadFile(options.section)) {
    std::fprintf(stderr, "kelvarin-cli draw: cannot read section file '%s'\n",
                 options.section.c_str());
    return ExitRefusedFile;
  }
  const QImage picture = RenderViewPicture(session.Platform(), options.view);
  if (!picture.save(QString::fromStdString(options.picture), "PNG")) {
    std::fprintf(stderr, "kelvarin-cli draw: cannot write '%s'\n", options.picture.c_str());
    return ExitRefusedFile;
  }
  return ExitDone;
}

}  // namespace

CliCommand AddDrawCommand(CLI::App& cli) {
  auto options = std::make_shared<DrawOptions>();
  CLI::App* command = cli.add_subcommand("draw", "the view as a PNG picture");
  command->add_option("--size", options->view.size, "the picture's width and height in pixels")
      ->type_name("N")
      ->transform(WholeNumber)
      ->check(CLI::Range(16, 8000))
      ->capture_default_str();
  command->add_flag("--fill", options->view.fill, "Fill Net-Section");
  command->add_flag("--axes", options->view.axes, "the principal axes");
  command->add_flag("--no-numbers", options->view.noNumbers, "without node numbers");
  command->add_option("FILE.sec", options->section, "the section file")->type_name("")->required();
  command->add_option("OUT.png", options->picture, "the PNG file to write")->type_name("")->required();
  return {command, [options] { return RunDraw(*options); }};
}
