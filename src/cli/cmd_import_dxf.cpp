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

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

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

  std::printf("%s: %s (%s, %s, %s), %s, %s, %s\n", options.section.c_str(),
              Count(result.sections, "section", "sections").c_str(),
              Count(result.polygons, "polygon", "polygons").c_str(),
              Count(result.circles, "circle", "circles").c_str(),
              Count(result.arcSegments, "arc segment", "arc segments").c_str(),
              Count(result.fillets, "fillet", "fillets").c_str(),
              Count(result.holes, "hole", "holes").c_str(),
              Count(result.points, "point", "points").c_str());
  if (result.insUnits >= 0) {
    std::printf("units: %s ($INSUNITS %d)\n", result.units.c_str(), result.insUnits);
  } else {
    std::printf("units: not given\n");
  }
  if (!result.leftOut.empty()) {
    std::printf("not read: %s\n", DxfLeftOutList(result.leftOut).c_str());
  }
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
