// What the view shows, and the extent the last redraw computed.
#pragma once

struct ViewOptions {
  bool hideNodeNumbers = false;    // View / Without Nodes
  bool showPrincipalAxes = false;  // View / Principal Axes; dropped when results are stale
  int oneSection = 0;              // 0 = all sections, n = only section n
  int highlight = 0;               // 0 none, n identify section n, -1 fill net-section
  double magnification = 0;        // 0 = not magnified
  double panX = 0, panY = 0;       // view-centre shift, world units, while magnified
  bool ShowPhantoms = true;        // phantom-point numbers drawn
  int lastIdentified = 0;          // section Identify showed last; 0 = start from 1
  friend bool operator==(const ViewOptions&, const ViewOptions&) = default;
};

struct ViewExtent {
  double xmin = 1e99, xmax = -1e99, ymin = 1e99, ymax = -1e99;
  friend bool operator==(const ViewExtent&, const ViewExtent&) = default;
};

extern ViewOptions View;
extern ViewExtent Extent;
