// The dispatch tables: one row per Ok heading that has a branch of its own, and one
// per menu command.
#include <array>

#include "app/commands.h"
#include "app/dispatch.h"
#include "app/menu_ids.h"
#include "app/print_commands.h"

namespace {

struct OkBranchEntry {
  Heading heading;
  OkBranch branch;
};

const OkBranchEntry OkBranches[] = {
    {Heading::PolygonSection, PolygonBranch},
    {Heading::Fillets, FilletsBranch},
    {Heading::CircleSection, EnterSectionBranch},
    {Heading::ArcSegment, EnterSectionBranch},
    {Heading::MergeData, EnterSectionBranch},
    {Heading::RadialBlock, EnterSectionBranch},
    {Heading::EditData, EditDataBranch},
    {Heading::ChangeValues, ChangeValuesBranch},
    {Heading::IdentifySection, IdentifySectionBranch},
    {Heading::Build, BuildBranch},
    {Heading::PhantomPoints, PhantomBranch},
    {Heading::ViewLogFile, ViewLogFileBranch},
};

const MenuCommandEntry MenuCommands[] = {
    {MenuOpenFile, OpenFileCommand, AfterCloseFileDialog | AfterRedraw | AfterRefresh},
    {MenuSave, SaveCommand, AfterNothing},
    {MenuSaveAs, SaveAsCommand, AfterCloseFileDialog},
    {MenuImportDxf, ImportDxfCommand, AfterCloseFileDialog | AfterRedraw | AfterRefresh},
    {MenuAddProfile, AddProfileMenuCommand, AfterRedraw | AfterRefresh},
    {MenuPrint, PrintResults, AfterNothing},
    {MenuPreferences, PreferencesCommand, AfterNothing},
    {MenuExit, ExitCommand, AfterNothing},
    {MenuBeginAgain, BeginAgainCommand, AfterNothing},
    {MenuEditData, SelectEditDataItem, AfterRefresh},
    {MenuSectionWeights, SelectSectionWeightsItem, AfterRefresh},
    {MenuDeleteSection, DeleteSectionCommand, AfterNothing},
    {MenuRestoreSection, RestoreSectionCommand, AfterNothing},
    {MenuXReflection, XReflectionMenuCommand, AfterRedraw | AfterRefresh},
    {MenuYReflection, YReflectionMenuCommand, AfterRedraw | AfterRefresh},
    {MenuRemovePhantoms, RemovePhantomsCommand, AfterRedraw | AfterRefresh},
    {MenuLineProperties, LinePropertiesCommand, AfterNothing},
    {MenuAboutCentroid, AboutCentroidCommand, AfterNothing},
    {MenuAboutOtherAxes, AboutOtherAxesCommand, AfterNothing},
    {MenuSectionModuli, SectionModuliCommand, AfterNothing},
    {MenuTorsion, TorsionCommand, AfterNothing},
    {MenuNormal, NormalViewCommand, AfterRedraw | AfterRefresh},
    {MenuWithoutNodes, WithoutNodesCommand, AfterRedraw},
    {MenuPrincipalAxes, PrincipalAxesCommand, AfterRedraw},
    {MenuOneSection, OneSectionCommand, AfterNothing},  // redraws itself when the number is valid
    {MenuIdentifySection, SelectIdentifySectionItem, AfterRefresh},
    {MenuFillNetSection, FillNetSectionCommand, AfterRedraw},
    // Redraws and refreshes itself, unless the factor is refused.
    {MenuMagnify, MagnifyCommand, AfterNothing},
    {MenuShowPhantoms, ShowPhantomsCommand, AfterRedraw},
    {MenuHidePhantoms, HidePhantomsCommand, AfterRedraw},
    {MenuLogFile, LogFileCommand, AfterNothing},
    {MenuHelp, HelpCommand, AfterNothing},
    {MenuAbout, AboutCommand, AfterNothing},
};

}  // namespace

OkBranch FindOkBranch(Heading heading) {
  for (const OkBranchEntry& e : OkBranches)
    if (heading == e.heading) return e.branch;
  return nullptr;
}

const MenuCommandEntry* FindMenuCommand(CommandId id) {
  for (const MenuCommandEntry& e : MenuCommands)
    if (e.id == id) return &e;
  return nullptr;
}
