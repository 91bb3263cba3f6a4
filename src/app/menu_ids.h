// Control and command identifiers of the main window.
#pragma once

enum class ControlId : int {
  BuildPanel = 101,
  Frame = 102,
  PanelHeading = 103,
  ModeLabel = 104,
  InputLine = 105,
  GraphicView = 106,
  Ok = 107,
  StatusBar = 110,
};

// The commands of WM_COMMAND: the Ok button and the menu items.
enum CommandId : int {
  CommandOk = static_cast<int>(ControlId::Ok),
  MenuOpenFile = 201,
  MenuSave = 202,
  MenuSaveAs = 203,
  MenuImportDxf = 207,
  MenuPrint = 204,
  MenuPreferences = 205,
  MenuExit = 206,
  MenuBeginAgain = 301,
  MenuEditData = 302,
  MenuSectionWeights = 303,
  MenuDeleteSection = 304,
  MenuRestoreSection = 305,
  MenuXReflection = 306,
  MenuYReflection = 307,
  MenuRemovePhantoms = 308,
  MenuLineProperties = 401,
  MenuAboutCentroid = 402,
  MenuAboutOtherAxes = 403,
  MenuSectionModuli = 404,
  MenuNormal = 501,
  MenuWithoutNodes = 502,
  MenuPrincipalAxes = 503,
  MenuOneSection = 504,
  MenuIdentifySection = 505,
  MenuFillNetSection = 506,
  MenuMagnify = 507,
  MenuShowPhantoms = 508,
  MenuHidePhantoms = 509,
  MenuLogFile = 510,
  MenuHelp = 601,
  MenuAbout = 602,
};
