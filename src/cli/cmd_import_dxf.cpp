// kelvarin-cli import-dxf: a DXF drawing's closed outlines as a section file.
#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "cli/cli_command.h"
#include "files/atomic_file.h"
#include "files/dxf_import.h"
#include "files/section_file.h"
#include "headless/headless_platform.h"

namespace {

struct ImportOptions {
  DxfImportOptions dxf;
  std::string drawing, section;
};

CliExit RunImportDxf(const ImportOptions& options) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  ResetProgramState();
  const DxfImportResult result = ImportDxfFile(options.drawing, options.dxf, ResetTables);
  if (!result.imported) {
    SetPlatform(nullptr);
    std::fprintf(stderr, "%s: %s\n", options.drawing.c_str(), result.refusal.c_str());
    return ExitRefusedFile;
  }
  // Written as Save writes it, but the settings (the desktop's last file) are left
  // alone: the file was made here, not saved from the program.
  const std::vector<std::uint8_t> bytes = EncodeSectionFile();
  SetPlatform(nullptr);
  std::string reason;
  if (!WriteFileAtomically(options.section, bytes.data(), bytes.size(), reason)) {
    std::fprintf(stderr, "%s: cannot write the section file: %s\n", options.section.c_str(),
                 reason.c_str());
    return ExitRefusedFile;
  }

  const std::vector<std::string> report = DxfImportReport(result);
  std::printf("%s: %s\n", options.section.c_str(), report[0].c_str());
  for (std::size_t i = 1; i < report.size(); ++i) std::printf("%s\n", report[i].c_str());
  return ExitDone;
}

// A transform for --scale: a finite number above zero.
const CLI::Validator PositiveScale(
    [](std::string& text) -> std::string {
      double v = 0;
      std::size_t used = 0;
      try {
        v = std::stod(text, &used);
      } catch (...) {
        used = 0;
      }
      if (used == 0 || used != text.size() || !std::isfinite(v) || v <= 0) {
        return "'" + text + "' is not a number above zero";
      }
      return "";
    },
    "", "positive number");

}  // namespace

CliCommand AddImportDxfCommand(CLI::App& cli) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* command = cli.add_subcommand(
      "import-dxf", "the closed outlines of a DXF drawing as a section file");
  command->add_option("--layer", options->dxf.layer,
                      "only the entities on this layer (any case); default every layer")
      ->type_name("NAME");
  command->add_option("--scale", options->dxf.scale,
                      "multiplies every coordinate and radius; default 1")
      ->type_name("F")
      ->check(PositiveScale);
  command->add_option("IN.dxf", options->drawing, "the DXF file to read")->type_name("")->required();
  command->add_option("OUT.sec", options->section, "the section file to write")
      ->type_name("")
      ->required();
  return {command, [options] { return RunImportDxf(*options); }};
}
