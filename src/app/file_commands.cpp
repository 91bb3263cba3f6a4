// The File and Help menus: Open, Save, Save As, Preferences, Exit and the close
// protocol, Help and About.
#include <filesystem>
#include <system_error>

#include "app/commands.h"
#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/program_info.h"
#include "app/program_state.h"
#include "construct/entry_state.h"
#include "files/dxf_import.h"
#include "files/section_file.h"
#include "files/settings.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/about_box.h"
#include "output/output_window.h"
#include "platform/platform.h"
#include "view/view_options.h"

namespace {

constexpr const char* SectionFileFilter = "Sect Files (*.sec)|*.sec|All Files (*.*)|*.*";

FileDialogRequest SectionFileRequest(const char* title, const std::string& initialName,
                                     unsigned flags) {
  return {title, initialName, Shared.DataFolder, SectionFileFilter, "sec", flags};
}

// Everything Open changes before the file is known to be good, so that a refused
// file leaves the drawing, its file name and its flags as they were.
struct OpenSnapshot {
  SectionTable table = Table;
  SharedState shared = Shared;
  EntryState entry = Entry;
  ViewOptions view = View;
  std::map<CommandId, MenuItemState> menus = Panel.menu;

  void Restore() const {
    Table = table;
    Shared = shared;
    Entry = entry;
    View = view;
    Panel.menu = menus;
  }
};

}  // namespace

// Before the tables are replaced (Open, Import DXF): asks to save unsaved changes.
// False when the user wanted them saved and they could not be (the write failed and
// said so, or Save As was cancelled): then nothing may replace them.
bool SaveBeforeReplacing() {
  if (!Shared.FileChanged) return true;
  const MessageResult answer = PlatformMessageBox(
      "File has changed...Save it now?\n(or the changes will be lost when the new file is loaded) ",
      "Save File", MsgYesNo | MsgIconQuestion);
  if (answer != ResultYes) return true;
  if (Shared.CurrentFile.empty()) {
    MainWindowCommand(MenuSaveAs);  // the changes have no file yet: ask for one
  } else {
    WriteSectionFile();
  }
  if (Shared.FileChanged) return false;
  Dispatch.FileDialogOpen = true;  // Save As closed it; the caller's own work goes on
  return true;
}

void OpenFileCommand() {
  Dispatch.FileDialogOpen = true;
  FileDialogRequest request = SectionFileRequest(
      "Open File", "", OfnFileMustExist | OfnCreatePrompt | OfnExtensionDifferent | OfnLongNames);
  std::string path;
  if (!GetPlatform().OpenFileDialog(request, path)) return;

  if (!SaveBeforeReplacing()) return;

  const OpenSnapshot before;
  Shared.CurrentFile = path;
  ResetTables();
  if (!ReadSectionFile()) before.Restore();  // the reader has said why
}

void SaveCommand() {
  if (Shared.CurrentFile.empty()) {
    MainWindowCommand(MenuSaveAs);
    return;
  }
  if (PlatformMessageBox("Save file now?", "Save File", MsgYesNo | MsgIconQuestion) != ResultYes)
    return;
  Shared.FileChanged = true;  // so that the writer writes even when nothing changed
  WriteSectionFile();         // writes the settings too; a failure keeps FileChanged
}

void SaveAsCommand() {
  Dispatch.FileDialogOpen = true;
  FileDialogRequest request = SectionFileRequest("Save File", Shared.CurrentFile,
                                                 OfnOverwritePrompt | OfnHideReadOnly | OfnLongNames);
  std::string path;
  if (!GetPlatform().SaveFileDialog(request, path)) return;
  const std::string previous = Shared.CurrentFile;
  Shared.CurrentFile = path;
  Shared.FileChanged = true;
  if (!WriteSectionFile()) {
    // Nothing was written there: the tables still belong to the file they came from.
    Shared.CurrentFile = previous;
  }
  SetStatusText("", 2);
}

void PreferencesCommand() {
  PreferenceValues values{Shared.SigDigits, Shared.OpenLastFile != 0};
  if (!GetPlatform().ShowPreferencesDialog(values)) return;
  // The list offers 0 to 6 only.
  if (values.sigDigits < 0 || values.sigDigits > 6) return;
  Shared.SigDigits = static_cast<std::uint8_t>(values.sigDigits);
  Shared.OpenLastFile = values.openLastFile ? 1 : 0;
  if (SettingsFilePath().empty()) {
    PlatformMessageBox("There is no data folder: the preferences apply until the program ends.",
                       "Preferences", MsgOk | MsgIconWarning);
    return;
  }
  WriteSettings();  // reports its own failure
}

int SaveIfChanged() {
  if (!Shared.FileChanged) return 0;
  int answer = PlatformMessageBox("File has changed...\nSave the file?", "Save File",
                                  MsgYesNoCancel | MsgIconQuestion);
  if (answer == ResultNo) return 0;
  if (answer != ResultYes) return 1;
  if (!Shared.CurrentFile.empty()) {
    WriteSectionFile();
  } else {
    MainWindowCommand(MenuSaveAs);
  }
  // Save As may have been cancelled, or the write may have failed (it said so):
  // then the changes still exist only in memory and must not be dropped.
  return Shared.FileChanged ? 1 : 0;
}

bool SystemClose() {
  if (SaveIfChanged() != 0) return false;  // cancelled, or the changes could not be saved
  CloseOutputWindow();
  MainWindowDestroyed();
  GetPlatform().QuitProgram();
  return true;
}

void ExitCommand() { SystemClose(); }

void HelpCommand() {
  std::error_code error;
  // Without a data folder the name would be looked up in the working folder.
  if (!Shared.DataFolder.empty() && std::filesystem::is_regular_file(Dispatch.HelpFile, error)) {
    GetPlatform().ShowHelp(Dispatch.HelpFile, HelpViewer::Desktop);
    return;
  }
  const std::string page = FindHelpPage(GetPlatform().ProgramFolder());
  if (page.empty()) {
    PlatformMessageBox(std::string("The help page ") + HelpPageName + " is not installed.", "Help",
                       MsgOk | MsgIconWarning);
    return;
  }
  GetPlatform().ShowHelp(page, HelpViewer::HelpWindow);
}

void AboutCommand() { ShowAboutBox(); }

namespace {

// "Section: 2 outline entities, 1 other entity" for the list of layers.
std::string LayerItem(const std::string& name, int outlines, int others) {
  auto count = [](int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? " entity" : " entities");
  };
  return name + ": " + count(outlines, "outline") + (others > 0 ? ", " + count(others, "other") : "");
}

}  // namespace

void ImportDxfCommand() {
  Dispatch.FileDialogOpen = true;
  FileDialogRequest request{"Import DXF", "", Shared.DataFolder,
                            "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*", "dxf",
                            OfnFileMustExist | OfnHideReadOnly | OfnLongNames};
  std::string path;
  if (!GetPlatform().OpenFileDialog(request, path)) return;
  std::string text, refusal;
  std::vector<DxfLayerCount> layers;
  if (ReadDxfFileText(path, text, refusal)) layers = DxfLayers(text, refusal);
  if (!refusal.empty()) {
    PlatformMessageBox(refusal, "Import DXF", MsgOk | MsgIconError);
    return;
  }
  // Outlines on more than one layer (dimension lines beside the section, say): the
  // user chooses the layer, or all of them.
  DxfImportOptions options;
  std::vector<const DxfLayerCount*> choices;
  int outlines = 0, others = 0;
  for (const DxfLayerCount& layer : layers) {
    if (layer.outlines > 0) choices.push_back(&layer);
    outlines += layer.outlines;
    others += layer.others;
  }
  if (choices.size() > 1) {
    std::vector<std::string> items;
    for (const DxfLayerCount* layer : choices)
      items.push_back(LayerItem(layer->name, layer->outlines, layer->others));
    items.push_back(LayerItem("All layers", outlines, others));
    const int chosen = GetPlatform().ChooseFromList(
        "Import DXF",
        "The drawing has outlines on " + std::to_string(choices.size()) +
            " layers. Import the outlines of which layer?",
        items);
    if (chosen < 0) return;  // nothing changed
    if (chosen < static_cast<int>(choices.size())) options.layer = choices[chosen]->name;
  }
  if (!SaveBeforeReplacing()) return;
  const DxfImportResult r = ImportDxf(text, options, ResetTables);
  if (!r.imported) {
    PlatformMessageBox(r.refusal, "Import DXF", MsgOk | MsgIconError);
    return;  // nothing changed
  }
  // The same report as the command-line tool's.
  std::string message = "Imported";
  if (!options.layer.empty()) message += " from layer \"" + options.layer + "\":";
  const std::vector<std::string> report = DxfImportReport(r);
  for (std::size_t i = 0; i < report.size(); ++i) message += (i == 0 ? " " : "\n") + report[i];
  PlatformMessageBox(message, "Import DXF", MsgOk | MsgIconInformation);
}
