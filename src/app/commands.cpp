#include "app/commands.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/report_window.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "analysis/torsion_analysis.h"
#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/node_input.h"
#include "construct/point_slots.h"
#include "files/log_listing.h"
#include "model/cut.h"
#include "model/moduli.h"
#include "model/other_axes.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "model/properties.h"
#include "model/report.h"
#include "model/section_table.h"
#include "platform/platform.h"

void RefuseLine(OkCommandState& ok, const std::string& message, const char* caption,
                MessageStyle icon) {
  PlatformMessageBox(message, caption, icon);
  ok.ended = true;
}

bool StorableValues(OkCommandState& ok, std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(static_cast<float>(v))) {
      RefuseLine(ok, "Values out of range");
      return false;
    }
  }
  return true;
}

void PolygonBranch(OkCommandState& ok) {
  const NodeInputResult result = ApplyNodeInput(ok.mode, ok.line);
  if (result.newSection) {
    EnableMenuItem(MenuAboutCentroid, false);
    EnableMenuItem(MenuAboutOtherAxes, false);
  }
  switch (result.outcome) {
    case NodeInputResult::Closed:
      SelectBuildPanelItem(PanelItem::PolygonSection);
      Panel.modeLabel.clear();
      SetStatusText("", 1);
      break;
    case NodeInputResult::Placed:
      // From now on each line is read by its own form.
      Panel.modeTaken = true;
      Panel.modeLabel.clear();
      SetStatusText("", 1);
      break;
    case NodeInputResult::Refused:
      // The step is dropped, but the typed line stays for correction.
      RefreshPanel();
      Panel.inputLine = ok.rawLine;
      Panel.selectionStart = 0;
      Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
      ok.ended = true;
      break;
    case NodeInputResult::Failed:
      RefreshPanel();
      ok.ended = true;
      break;
    default:
      break;
  }
}

void ViewLogFileBranch(OkCommandState& ok) {
  ShowLogFile();
  SelectBuildPanelItem(PanelItem::RelativeCoordinates);
  RefreshPanel();
  ok.ended = true;
}

void SelectEditDataItem() { SelectBuildPanelItem(PanelItem::EditData); }
void SelectSectionWeightsItem() { SelectBuildPanelItem(PanelItem::SectionWeights); }
void SelectIdentifySectionItem() { SelectBuildPanelItem(PanelItem::IdentifySection); }

void LinePropertiesCommand() {
  const std::string answer = CleanLine(InputDialog("Line(m-n):", "Line Properties"));
  if (answer.empty()) return;  // cancelled
  const std::size_t dash = answer.find('-');
  const int m = RoundToInt(ReadNumber(std::string_view(answer).substr(0, dash)));
  const int n = dash == std::string::npos
                    ? 0
                    : RoundToInt(ReadNumber(std::string_view(answer).substr(dash + 1)));
  // Point 0 is the origin.
  const std::string_view typedM = std::string_view(answer).substr(0, dash);
  const std::string_view typedN =
      dash == std::string::npos ? std::string_view() : std::string_view(answer).substr(dash + 1);
  for (auto [k, typed] : {std::pair{m, typedM}, std::pair{n, typedN}}) {
    if (!NamesPoint(k, /*excludePending=*/false)) {
      PlatformMessageBox(PointMissingMessage(typed), "Input Error", MsgIconWarning);
      return;
    }
  }
  const LineProps line = LineProperties(m, n);
  MessageDialog("Length:  " + FormatValue(line.length, "#.000") + "\r\n" + "Angle:    " +
                    FormatValue(line.angleDeg, "#.000"),
                MsgOk | MsgIconInformation, "Line Properties");
}

void AboutCentroidCommand() { ComputeProperties(); }

void AboutOtherAxesCommand() {
  const std::string answer = InputDialog("x0, y0, angle:", "Other Axes");
  if (answer.empty()) return;
  const std::string line = CleanLine(answer);
  ComputePropertiesSilently();
  OtherAxes(FieldNumber(line, ",", 0), FieldNumber(line, ",", 1), FieldNumber(line, ",", 2));
}

namespace {

// A window width that shows every line whole in the output window's 10-point
// fixed-pitch font: 8-pixel cells, tab stops every ten cells, a margin of two cells
// and room for the vertical scroll bar. Never narrower than the report's 250.
int OutputWidthFor(const std::vector<std::string>& lines) {
  int widest = 0;
  for (const std::string& line : lines) {
    int columns = 0;
    for (char c : line) columns = c == '\t' ? (columns / 10 + 1) * 10 : columns + 1;
    widest = std::max(widest, columns);
  }
  return std::max(250, (widest + 2) * 8 + 20);
}

}  // namespace

// Computes silently when needed, then shows the moduli in the output window with
// the chosen decimals, in a window as wide as its values. Like About Centroid it
// does nothing while the last polygon is open.
void SectionModuliCommand() {
  if (!(Table.sections[Table.sectionCount].flags & Complete)) return;
  ComputePropertiesSilently();
  const ModuliSet moduli = ComputeModuli();
  CloseOutputWindow();
  const std::vector<std::string> lines = ModuliReportLines(moduli, Shared.SigDigits);
  for (const std::string& line : lines) AppendOutputLine(line);
  ShowOutputWindow(OutputWidthFor(lines), 300, "Section Moduli");
}

// Computes silently when needed, then runs the finite-element analysis on a copy of
// the outlines off the main thread; the result is shown when it arrives, unless the
// tables have changed meanwhile (it would describe a section no longer drawn).
void TorsionCommand() {
  if (!(Table.sections[Table.sectionCount].flags & Complete)) return;
  ComputePropertiesSilently();
  auto model = std::make_shared<const CutModel>(BuildCutModel());
  auto drawn = std::make_shared<const SectionTable>(Table);
  auto result = std::make_shared<TorsionAnalysis>();
  GetPlatform().RunInBackground(
      "Torsion and Warping",
      [model, result] { *result = AnalyseTorsion(*model, DefaultPoisson, DefaultTorsionAccuracy); },
      [drawn, result] {
        if (!(Table == *drawn)) return;
        CloseOutputWindow();
        const std::vector<std::string> lines = TorsionReportLines(*result, Shared.SigDigits);
        for (const std::string& line : lines) AppendOutputLine(line);
        ShowOutputWindow(OutputWidthFor(lines), 300, "Torsion and Warping");
      });
}

void LogFileCommand() { ShowLogFile(); }
