#include "app/program_info.h"

#include "files/installed_data.h"
#include "files/section_file.h"

std::string FindHelpPage(const std::string& programFolder) {
  return FindInstalledData(programFolder, HelpPageName, InstalledKind::File);
}

std::string VersionText() {
  // The version the files and the About box carry: "Velmora 1.2.3" from "1.2.3" on.
  return "kelvarin " + std::string(ProgramVersionText) + "\n";
}

std::string UsageText() {
  return "Usage: kelvarin [--help | --version] [FILE]\n"
         "Computes the exact properties of plane cross-sections built from polygons,\n"
         "circles, arc segments, radial blocks and merge data.\n"
         "\n"
         "  FILE        a section file (.sec) to open at start\n"
         "  --help      show this text and exit\n"
         "  --version   show the version and exit\n"
         "\n"
         "The settings (Velmora.ini) are kept in Tessivane/Velmora/ under the user's\n"
         "data folder ($XDG_DATA_HOME, or ~/.local/share), where the file dialogs start.\n";
}

ProgramArguments ReadProgramArguments(const std::vector<std::string>& args) {
  ProgramArguments result;
  bool options = true;
  for (const std::string& arg : args) {
    if (options && arg == "--") {
      options = false;
      continue;
    }
    if (options && (arg == "--help" || arg == "-h")) {
      result.action = ProgramArguments::ShowUsage;
      return result;
    }
    if (options && arg == "--version") {
      result.action = ProgramArguments::ShowVersion;
      return result;
    }
    if (options && arg.size() > 1 && arg[0] == '-') {
      result.action = ProgramArguments::Refuse;
      result.error = "kelvarin: unknown option " + arg + "\nTry 'kelvarin --help'.\n";
      return result;
    }
    result.fileText += (result.fileText.empty() ? "" : " ") + arg;
  }
  return result;
}
