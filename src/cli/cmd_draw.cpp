// kelvarin-cli draw: the view of a section file as a PNG picture, without a display.
#include <cstdio>
#include <memory>
#include <string>

#include "app/view_picture.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/render_plugin_loader.h"
#include "platform/canvas.h"

namespace {

struct DrawOptions {
  ViewPictureOptions view;
  std::string section, picture;
};

CliExit RunDraw(const DrawOptions& options) {
  const RenderPlugin* plugin = OpenRenderPlugin("draw");
  if (plugin == nullptr) return ExitNoDrawing;
  CliSession session("");
  if (!session.ReadFile(options.section)) {
    std::fprintf(stderr, "kelvarin-cli draw: cannot read section file '%s'\n",
                 options.section.c_str());
    return ExitRefusedFile;
  }
  // No display is needed: the plugin draws on Qt's offscreen platform unless the
  // caller chose one.
  const std::unique_ptr<Canvas> picture(plugin->newPicture(options.view.size, options.view.size));
  DrawViewPicture(session.Platform(), *picture, options.view);
  if (!plugin->savePicture(*picture, options.picture.c_str())) {
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
