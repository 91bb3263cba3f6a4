// kelvarin-cli moduli: the section moduli of a section file, as the output window
// shows them, or as JSON; and kelvarin-cli shear: the shear flow over the depth as
// CSV.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/report_window.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/properties_json.h"
#include "model/moduli.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

// Reads the file and computes its properties silently; false (with the exit code)
// when there is nothing to compute.
bool ComputeFile(CliSession& session, const CliFileOptions& options, CliExit& exit) {
  if (options.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.digits);
  if (!session.ReadFile(options.file)) {
    exit = ExitRefusedFile;
    return false;
  }
  const int last = Table.sectionCount;
  if (last == 0 || !(Table.sections[last].flags & Complete)) {
    std::fprintf(stderr, "%s: %s\n", options.file.c_str(),
                 last == 0 ? "the file holds no sections; there is nothing to report"
                           : "the last section is an unclosed polygon; close it first");
    exit = ExitNothingToReport;
    return false;
  }
  ComputePropertiesSilently();
  session.PrintMessages(stderr);
  return true;
}

CliExit RunModuli(const CliFileOptions& options) {
  CliSession session(options.dataFolder);
  CliExit exit = ExitDone;
  if (!ComputeFile(session, options, exit)) return exit;
  const ModuliSet moduli = ComputeModuli();
  if (options.json) {
    if (!moduli.unavailable.empty())
      std::fprintf(stderr, "%s: some moduli are unavailable: %s\n", options.file.c_str(),
                   moduli.unavailable.c_str());
    std::printf("%s\n", ModuliJson(moduli).c_str());
    return ExitDone;
  }
  for (const std::string& line : ModuliReportLines(moduli, Shared.SigDigits))
    std::printf("%s\n", line.c_str());
  return ExitDone;
}

struct ShearOptions {
  CliFileOptions file;
  std::string axis = "x";
  int steps = 20;
  int digits = 17;  // significant digits of the numbers
};

std::string Number(double v, int digits) {
  if (!std::isfinite(v)) return "";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
  return buffer;
}

CliExit RunShear(const ShearOptions& options) {
  CliSession session(options.file.dataFolder);
  CliExit exit = ExitDone;
  if (!ComputeFile(session, options.file, exit)) return exit;
  const ShearAxis axis = options.axis == "y" ? ShearAxis::Y : ShearAxis::X;
  const CutModel model = BuildCutModel();
  if (model.shapeless || model.elements.empty()) {
    std::fprintf(stderr, "%s: the shear flow is unavailable: %s\n", options.file.file.c_str(),
                 model.shapeless ? "merge data carries no shape" : "no section with a shape is counted");
    return ExitNothingToReport;
  }
  const PropertySet& p = Calc.props;
  const std::vector<ShearPoint> profile = ShearProfile(model, p, axis, options.steps);
  if (profile.empty()) {
    std::fprintf(stderr, "%s: the shear flow is unavailable: no net material is counted\n",
                 options.file.file.c_str());
    return ExitNothingToReport;
  }
  auto number = [&options](double v) { return Number(v, options.digits); };
  std::printf("level,width,Q,tau_per_V\n");
  for (const ShearPoint& s : profile)
    std::printf("%s,%s,%s,%s\n", number(s.level).c_str(), number(s.width).c_str(),
                number(s.Q).c_str(), number(s.tauPerV).c_str());
  // The largest stress of the profile and of the cut through the centroid.
  const CutDirection d = axis == ShearAxis::X ? ProjectCut(model, 0, 1) : ProjectCut(model, 1, 0);
  ShearPoint best = ShearAt(d, p, axis, axis == ShearAxis::X ? p.yBar : p.xBar);
  for (const ShearPoint& s : profile)
    if (std::isfinite(s.tauPerV) && !(std::fabs(s.tauPerV) <= std::fabs(best.tauPerV))) best = s;
  std::fprintf(stderr, "maximum tau_per_V %s at level %s\n", number(best.tauPerV).c_str(),
               number(best.level).c_str());
  return ExitDone;
}

}  // namespace

CliCommand AddModuliCommand(CLI::App& cli) {
  auto options = std::make_shared<CliFileOptions>();
  CLI::App* command = cli.add_subcommand(
      "moduli", "radii of gyration, elastic and plastic section moduli, plastic neutral axes "
                "and perimeter, as the output window shows them or as JSON. Wplx is taken "
                "about the line y = yPNA and Wply about x = xPNA; u is the Imax axis at the "
                "principal angle, v the Imin axis");
  command->add_flag("--json", options->json,
                    "the values as one JSON object, 17 significant digits (null where unavailable)");
  AddFileOptions(*command, *options);
  return {command, [options] { return RunModuli(*options); }};
}

CliCommand AddShearCommand(CLI::App& cli) {
  auto options = std::make_shared<ShearOptions>();
  CLI::App* command = cli.add_subcommand(
      "shear", "the shear flow over the depth of the net material as CSV: level, cut width, "
               "first moment Q of the part beyond the cut about the centroidal axis, and "
               "Q/(I t); the maximum on stderr");
  command->add_option("--axis", options->axis, "cuts parallel to x (default) or to y")
      ->check(CLI::IsMember({"x", "y"}));
  command->add_option("--steps", options->steps, "intervals over the depth (default 20)")
      ->transform(WholeNumber)
      ->check(CLI::Range(1, 100000));
  command->add_option("--digits", options->digits,
                      "significant digits of the numbers, 1 to 17 (default 17)")
      ->type_name("N")
      ->transform(WholeNumber)
      ->check(CLI::Range(1, 17));
  AddFileArguments(*command, options->file);
  return {command, [options] { return RunShear(*options); }};
}
