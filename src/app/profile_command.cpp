// File / Add Profile: a standard profile from the installed tables, added to the
// drawing beside what is there.
#include <string>
#include <utility>
#include <vector>

#include "app/commands.h"
#include "files/profile_catalogue.h"
#include "files/profile_sections.h"
#include "platform/platform.h"

namespace {

constexpr const char* Caption = "Add Profile";

// The tables as read from where the program is installed, read again only when that
// place changes; null, after saying why, when they cannot be read.
const ProfileCatalogue* Catalogue() {
  static ProfileCatalogue catalogue;
  static std::string readFrom;
  const std::string folder = FindProfileFolder(GetPlatform().ProgramFolder());
  std::string problem;
  if (folder.empty()) {
    problem = "The profile tables (share/kelvarin/profiles) are not installed.";
  } else if (folder != readFrom) {
    ProfileCatalogue read;
    if (ReadProfileCatalogue(folder, read, problem)) {
      catalogue = std::move(read);
      readFrom = folder;
    }
  }
  if (!problem.empty()) {
    PlatformMessageBox(problem, Caption, MsgOk | MsgIconError);
    return nullptr;
  }
  return &catalogue;
}

bool Holds(const ProfileCatalogue& catalogue, int family, int size) {
  return family >= 0 && family < static_cast<int>(catalogue.families.size()) && size >= 0 &&
         size < static_cast<int>(catalogue.families[family].sizes.size());
}

}  // namespace

void AddProfileMenuCommand() {
  if (RefusedWhilePolygonOpen()) return;
  const ProfileCatalogue* catalogue = Catalogue();
  if (catalogue == nullptr) return;
  // The dialog opens on the size added last: a second profile is often a neighbour.
  static std::string lastAdded;

  ProfileRequest request;
  for (std::size_t f = 0; f < catalogue->families.size(); ++f) {
    const ProfileFamily& family = catalogue->families[f];
    ProfileDialogFamily shown{family.name, family.standard, LengthUnitText(family.units), {}};
    for (std::size_t k = 0; k < family.sizes.size(); ++k) {
      shown.sizes.push_back(family.sizes[k].name);
      if (family.sizes[k].name == lastAdded) {
        request.family = static_cast<int>(f);
        request.size = static_cast<int>(k);
      }
    }
    request.families.push_back(std::move(shown));
  }
  request.dimensions = [catalogue](int family, int size) {
    if (!Holds(*catalogue, family, size)) return std::vector<std::string>{};
    const ProfileFamily& f = catalogue->families[family];
    return ProfileDimensionLines(f, f.sizes[size]);
  };
  if (!GetPlatform().AddProfileDialog(request)) return;  // nothing changed
  if (!Holds(*catalogue, request.family, request.size)) return;

  const ProfileFamily& family = catalogue->families[request.family];
  const ProfileSize& size = family.sizes[request.size];
  ProfilePlacement placement;
  placement.x = request.x;
  placement.y = request.y;
  placement.turn = request.turn;
  placement.unitsGiven = !request.units.empty() && ReadLengthUnit(request.units, placement.units);
  const std::string refusal = AddProfile(family, size, placement);
  if (!refusal.empty()) {
    PlatformMessageBox(refusal, Caption, MsgOk | MsgIconWarning);
    return;  // the tables are as they were
  }
  lastAdded = size.name;
}
