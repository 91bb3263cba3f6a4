#include "app/report_window.h"

#include <string>

#include "files/log_listing.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "output/output_window.h"

void ComputeProperties() {
  CloseOutputWindow();
  if (PrepareReport()) ShowReport();
}

void ComputePropertiesSilently() {
  Calc.calcMode = CalcSilent;
  if (!Shared.ResultsCurrent) ComputeProperties();
  // Also when nothing was computed: a silent mode left behind would make the next
  // About Centroid silent too.
  Calc.calcMode = CalcIdle;
}

void ShowReport() {
  for (int i = 0; i <= 7; ++i) AppendOutputLine(Calc.reportLines[i]);
  AppendOutputLine("");
  AppendOutputLine("");
  for (int i = 8; i <= 12; ++i) AppendOutputLine(Calc.reportLines[i]);
  ShowOutputWindow(250, 300, "Kelvarin");
}

void ShowLogFile() {
  CloseOutputWindow();
  for (const std::string& line : LogLines()) AppendOutputLine(line);
  ShowOutputWindow(400, 200, "Log File");
}
