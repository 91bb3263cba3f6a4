// kelvarin-cli print: the page File / Print prints, or with --log the log listing as
// the output window's "&To Printer " prints it, written to a PDF file.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "app/report_window.h"
#include "app/print_commands.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/render_plugin_loader.h"
#include "files/log_listing.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "output/print_lines.h"
#include "platform/print_job.h"
#include "view/redraw_view.h"

namespace {

struct PrintOptions {
  CliFileOptions file;
  bool log = false;
  std::string pdf;
};

CliExit RunPrint(const PrintOptions& options) {
  const RenderPlugin* plugin = OpenRenderPlugin("print");
  if (plugin == nullptr) return ExitNoDrawing;
  CliSession session(options.file.dataFolder);
  if (options.file.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.file.digits);
  if (!session.ReadFile(options.file.file)) return ExitRefusedFile;
  // The page's report refuses what report refuses; the log lists any file.
  if (options.log ? Table.sectionCount == 0 : !CliSession::Reportable(options.file.file))
    return ExitNothingToReport;

  std::vector<std::string> lines;
  if (options.log) {
    ShowLogFile();
    std::string title;
    if (!session.LastOutputWindow(title, lines)) return ExitNothingToReport;
  } else {
    RedrawView();  // the extent the window's drawing would have
  }
  const std::unique_ptr<PrintJob> pdf(plugin->newPdfJob(options.pdf.c_str()));
  PrintJob& job = *pdf;
  if (job.PrinterName().empty()) {
    std::fprintf(stderr, "kelvarin-cli print: cannot write '%s'\n", options.pdf.c_str());
    return ExitRefusedFile;
  }
  if (options.log) {
    PrintTextLines(job, lines);
  } else {
    PrintResultsPage(job);
  }
  if (!job.Finish()) {
    std::fprintf(stderr, "kelvarin-cli print: cannot write '%s'\n", options.pdf.c_str());
    return ExitRefusedFile;
  }
  return ExitDone;
}

}  // namespace

CliCommand AddPrintCommand(CLI::App& cli) {
  auto options = std::make_shared<PrintOptions>();
  CLI::App* command =
      cli.add_subcommand("print", "the printed page (or with --log the log listing) as PDF");
  command->add_flag("--log", options->log, "the log listing as the output window prints it");
  AddFileOptions(*command, options->file);
  command->add_option("OUT.pdf", options->pdf, "the PDF file to write")->type_name("")->required();
  return {command, [options] { return RunPrint(*options); }};
}
