// kelvarin-cli shear: the shear flow over the depth of a section file's net
// material as CSV.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/computed_file.h"
#include "model/cut.h"
#include "model/moduli.h"
#include "model/properties.h"

namespace {

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
  if (const char* reason = NoShapeReason(model)) {
    std::fprintf(stderr, "%s: the shear flow is unavailable: %s\n", options.file.file.c_str(), reason);
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
