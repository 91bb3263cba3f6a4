// kelvarin-cli torsion: the torsion constant, the warping constant, both shear
// centres and the shear areas of a section file by finite elements, as text with
// their units of length or as JSON.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "analysis/torsion_analysis.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/computed_file.h"
#include "cli/properties_json.h"
#include "model/cut.h"

namespace {

struct TorsionOptions {
  CliFileOptions file;
  double poisson = DefaultPoisson;
  double accuracy = DefaultTorsionAccuracy;
};

void PrintValue(const char* name, double value, const char* unit, const std::string& note = "") {
  std::printf("%-4s = %.17g%s%s%s\n", name, value, *unit != 0 ? " " : "", unit, note.c_str());
}

CliExit RunTorsion(const TorsionOptions& options) {
  CliSession session(options.file.dataFolder);
  CliExit exit = ExitDone;
  if (!ComputeFile(session, options.file, exit)) return exit;
  const TorsionAnalysis t = AnalyseTorsion(BuildCutModel(), options.poisson, options.accuracy);
  if (!t.ok) std::fprintf(stderr, "%s: %s\n", options.file.file.c_str(), t.reason.c_str());
  if (options.file.json) {
    std::printf("%s\n", TorsionJson(t).c_str());
    return ExitDone;
  }
  if (!t.ok) return ExitNothingToReport;
  char ratio[64];
  PrintValue("J", t.J, "length^4");
  PrintValue("Iw", t.Iw, "length^6", "  (about the shear centre)");
  PrintValue("xs", t.xs, "length");
  PrintValue("ys", t.ys, "length");
  PrintValue("xsT", t.xsT, "length");
  PrintValue("ysT", t.ysT, "length");
  std::snprintf(ratio, sizeof ratio, "  (A/Asx = %.17g)", t.A / t.Asx);
  PrintValue("Asx", t.Asx, "length^2", ratio);
  std::snprintf(ratio, sizeof ratio, "  (A/Asy = %.17g)", t.A / t.Asy);
  PrintValue("Asy", t.Asy, "length^2", ratio);
  PrintValue("Jerr", t.Jerr, "", "  (estimated relative error of J)");
  std::printf("elements = %d\nPoisson's ratio = %.17g\n", t.elements, t.poisson);
  return ExitDone;
}

}  // namespace

CliCommand AddTorsionCommand(CLI::App& cli) {
  auto options = std::make_shared<TorsionOptions>();
  CLI::App* command = cli.add_subcommand(
      "torsion",
      "torsion constant J, warping constant Iw about the shear centre, elastic (xs, ys) and "
      "Trefftz (xsT, ysT) shear centres and shear areas Asx, Asy of the net material, by "
      "finite elements on the exact geometry, with Jerr the estimated relative error of J");
  command->add_flag("--json", options->file.json,
                    "the values as one JSON object: J, Iw, xs, ys, xsT, ysT, Asx, Asy, Jerr, "
                    "elements; 17 significant digits, null where unavailable (the reason on "
                    "stderr)");
  command->add_option("--poisson", options->poisson, "Poisson's ratio for the shear functions")
      ->type_name("NU")
      ->check(CLI::Range(-0.999, 0.5))
      ->capture_default_str();
  command->add_option("--accuracy", options->accuracy, "the relative error of J to reach")
      ->type_name("E")
      ->check(CLI::Range(1e-9, 0.1))
      ->capture_default_str();
  AddFileArguments(*command, options->file);
  return {command, [options] { return RunTorsion(*options); }};
}
