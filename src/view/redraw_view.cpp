#include "view/redraw_view.h"

#include <algorithm>

#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "view/section_drawing.h"
#include "view/view_options.h"

namespace {

bool Shown(int s) {
  const Section& sec = Table.sections[s];
  if (sec.flags & (Deleted | Off)) return false;
  return View.oneSection == 0 || View.oneSection == s;
}

// The extent of the shown sections and of every phantom point.
ViewExtent ComputeExtent() {
  ViewExtent e;  // starts at ±1e99, i.e. empty
  for (int s = 1; s <= Table.sectionCount; ++s) {
    if (!Shown(s)) continue;
    const Section& sec = Table.sections[s];
    if (KindOf(sec) == SectionKind::MergeData) {
      // A lone merge-data section has no size of its own: show 2 x 2 around it.
      if (Table.nodeCount == 1) {
        const MergeDataView m(Table.params[sec.firstNode]);
        e = {m.centroidX() - 1.0, m.centroidX() + 1.0, m.centroidY() - 1.0, m.centroidY() + 1.0};
      }
      continue;
    }
    ExtendBySection(e, s);
  }
  for (int k = Table.lowestPhantom; k <= TopNode; ++k)
    ExtendByPoint(e, Table.nodes[k].x, Table.nodes[k].y);
  return e;
}

void SetViewMapping(Canvas& canvas, const ViewExtent& e) {
  double w = 0.625 * (e.xmax - e.xmin), h = 0.625 * (e.ymax - e.ymin);
  if (w == 0) w = 0.5;
  if (h == 0) h = 0.5;
  double s = std::max(w, h);
  double cx = (e.xmax + e.xmin) / 2, cy = (e.ymax + e.ymin) / 2;
  if (View.magnification != 0) {
    s /= View.magnification;
    cx += View.panX;
    cy += View.panY;
  }
  canvas.SetMapping(cx - s, cy + s, cx + s, cy - s);
}

}  // namespace

ViewDrawn RedrawView() {
  ViewDrawn drawn;
  // A highlight at normal size keeps the previous mapping and writes no numbers.
  const bool keepMapping = View.highlight != 0 && View.magnification == 0;
  bool numbers = false;
  if (!keepMapping) {
    if (!Shared.ResultsCurrent) View.showPrincipalAxes = false;
    drawn.mappingComputed = true;
    drawn.principalAxes = View.showPrincipalAxes;
    numbers = !View.hideNodeNumbers;
    // Phantom points set out before any section are drawn on their own.
    if (Table.sectionCount == 0 && Table.lowestPhantom > TopNode) {
      drawn.emptyTable = true;
      return drawn;
    }
    Extent = ComputeExtent();
  }

  Canvas* canvas = GetPlatform().ViewCanvas();
  if (canvas == nullptr) {
    View.highlight = 0;
    return drawn;
  }
  if (!keepMapping) SetViewMapping(*canvas, Extent);

  canvas->Clear(White);
  canvas->SetTextColour(Black);
  canvas->SetLineWidth(1);

  const int highlight = View.highlight;
  const bool markSeeds = View.magnification != 0 && highlight != 0;
  for (int pass = 1; pass <= 2; ++pass) {
    for (int s = 1; s <= Table.sectionCount; ++s) {
      if (!Shown(s)) continue;
      float weight = Table.sections[s].weight;
      if ((pass == 1 && weight < 0) || (pass == 2 && weight > 0)) continue;

      SectionStyle style;
      style.numbers = numbers;
      if (highlight == -1) {
        style.colour = pass == 1 ? LightGrey : White;
        style.filled = true;
      } else if (highlight == s) {
        style.colour = LightGrey;
        style.filled = true;
      }
      canvas->SetLineWidth(style.filled ? 2 : 1);
      WorldPoint seed{};
      bool hasSeed = DrawSection(*canvas, s, style, Extent, seed);
      // The "x" shows where each filled section's fill started.
      if (markSeeds && hasSeed && style.filled) canvas->Text(seed, "x");
    }
  }
  canvas->SetLineWidth(1);
  View.highlight = 0;

  canvas->SetTextColour(Blue);
  if (View.ShowPhantoms && numbers) {
    for (int k = TopNode; k >= Table.lowestPhantom; --k)
      canvas->Text({Table.nodes[k].x, Table.nodes[k].y}, NumberText(k));
  }
  canvas->SetTextColour(Black);

  // With nothing shown the extent is empty and the axes would have no size.
  if (View.showPrincipalAxes && Extent.xmin <= Extent.xmax) DrawPrincipalAxes(*canvas, Extent);
  return drawn;
}
