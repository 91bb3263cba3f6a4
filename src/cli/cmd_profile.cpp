// kelvarin-cli profile: a standard profile as a section file, and the lists of the
// profiles the program knows.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "cli/cli_command.h"
#include "files/atomic_file.h"
#include "files/installed_data.h"
#include "files/profile_catalogue.h"
#include "files/profile_sections.h"
#include "files/section_file.h"
#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "util/text.h"

namespace {

struct ProfileOptions {
  bool list = false;
  std::string at, units;
  int rotate = 0;
  std::vector<std::string> words;  // NAME (possibly in several words) and OUT.sec, or FAMILY
};

bool LoadCatalogue(ProfileCatalogue& catalogue) {
  const std::string folder = FindProfileFolder(RunningProgramFolder());
  std::string problem;
  if (folder.empty()) problem = "the profile tables (share/kelvarin/profiles) are not installed";
  if (problem.empty() && ReadProfileCatalogue(folder, catalogue, problem)) return true;
  std::fprintf(stderr, "kelvarin-cli profile: %s\n", problem.c_str());
  return false;
}

CliExit List(const ProfileCatalogue& catalogue, const std::vector<std::string>& words) {
  if (words.size() > 1) {
    std::fputs("kelvarin-cli profile: --list takes at most one family\n", stderr);
    return ExitBadUsage;
  }
  if (words.empty()) {
    for (const ProfileFamily& family : catalogue.families)
      for (const ProfileSize& size : family.sizes) std::printf("%s\n", size.name.c_str());
    return ExitDone;
  }
  const ProfileFamily* family = FindProfileFamily(catalogue, words[0]);
  if (family == nullptr) {
    std::string names;
    for (const ProfileFamily& f : catalogue.families) names += (names.empty() ? "" : ", ") + f.name;
    std::fprintf(stderr, "kelvarin-cli profile: no family \"%s\"; the families are %s\n",
                 words[0].c_str(), names.c_str());
    return ExitBadUsage;
  }
  for (const ProfileSize& size : family->sizes) std::printf("%s\n", size.name.c_str());
  return ExitDone;
}

CliExit RunProfile(const ProfileOptions& options) {
  ProfileCatalogue catalogue;
  if (!LoadCatalogue(catalogue)) return ExitRefusedFile;
  if (options.list) return List(catalogue, options.words);
  if (options.words.size() < 2) {
    std::fputs("kelvarin-cli profile: NAME and OUT.sec are required\n", stderr);
    return ExitBadUsage;
  }
  std::string name;
  for (std::size_t k = 0; k + 1 < options.words.size(); ++k) name += options.words[k] + " ";
  const std::string& out = options.words.back();
  const ProfileMatch match = FindProfile(catalogue, name);
  if (match.size == nullptr) {
    std::string nearest;
    for (const std::string& n : NearestProfileNames(catalogue, name, 5))
      nearest += (nearest.empty() ? "" : ", ") + n;
    std::fprintf(stderr, "kelvarin-cli profile: unknown profile \"%s\"; the nearest are %s\n",
                 TrimBlanks(name).c_str(), nearest.c_str());
    return ExitBadUsage;
  }
  ProfilePlacement placement;
  placement.turn = options.rotate;
  if (!options.at.empty() && !ReadProfilePoint(options.at, placement.x, placement.y)) {
    std::fprintf(stderr, "kelvarin-cli profile: --at \"%s\" is not X,Y\n", options.at.c_str());
    return ExitBadUsage;
  }
  placement.unitsGiven = !options.units.empty();
  if (placement.unitsGiven) ReadLengthUnit(options.units, placement.units);

  HeadlessPlatform platform;
  SetPlatform(&platform);
  ResetProgramState();
  const std::string refusal = AddProfile(*match.family, *match.size, placement);
  const std::vector<std::uint8_t> bytes = refusal.empty() ? EncodeSectionFile()
                                                          : std::vector<std::uint8_t>{};
  const int sections = Table.sectionCount, points = Table.nodeCount;
  SetPlatform(nullptr);
  if (!refusal.empty()) {
    std::fprintf(stderr, "kelvarin-cli profile: %s\n", refusal.c_str());
    return ExitBadUsage;
  }
  std::string reason;
  if (!WriteFileAtomically(out, bytes.data(), bytes.size(), reason)) {
    std::fprintf(stderr, "%s: cannot write the section file: %s\n", out.c_str(), reason.c_str());
    return ExitRefusedFile;
  }
  const LengthUnit units = placement.unitsGiven ? placement.units : match.family->units;
  std::printf("%s: %s, %d section%s, %d points, in %s\n", out.c_str(), match.size->name.c_str(),
              sections, sections == 1 ? "" : "s", points, LengthUnitText(units));
  return ExitDone;
}

}  // namespace

CliCommand AddProfileCommand(CLI::App& cli) {
  auto options = std::make_shared<ProfileOptions>();
  CLI::App* command = cli.add_subcommand(
      "profile", "a standard profile (\"IPE 300\", \"L 100x100x10\", \"W14x90\"; case and "
                 "blanks do not matter) as a section file; with --list, the names one a line");
  command->add_flag("--list", options->list, "list the profiles (of FAMILY only, if given)");
  command->add_option("--at", options->at,
                      "where the centre of the profile's bounding box goes; default 0,0")
      ->type_name("X,Y");
  command->add_option("--rotate", options->rotate, "a counter-clockwise turn in degrees; default 0")
      ->type_name("0|90|180|270")
      ->check(CLI::IsMember({0, 90, 180, 270}));
  command->add_option("--units", options->units,
                      "the units of the file; default the family's own (EN mm, AISC in)")
      ->type_name("mm|cm|m|in")
      ->check(CLI::IsMember({"mm", "cm", "m", "in"}, CLI::ignore_case));
  command->add_option("words", options->words, "NAME OUT.sec, or with --list an optional FAMILY")
      ->type_name("");
  return {command, [options] { return RunProfile(*options); }};
}
