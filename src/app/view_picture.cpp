#include "app/view_picture.h"

#include "app/report_window.h"
#include "platform/platform.h"
#include "view/redraw_view.h"
#include "view/view_options.h"

void DrawViewPicture(Platform& platform, Canvas& picture, const ViewPictureOptions& options) {
  Canvas* const windowCanvas = platform.ViewCanvas();
  platform.SetViewCanvas(&picture);
  View.hideNodeNumbers = options.noNumbers;
  if (options.axes) {
    ComputePropertiesSilently();
    View.showPrincipalAxes = true;
  }
  RedrawView();
  if (options.fill) {
    // Fill Net-Section: a one-shot highlight over the picture just drawn.
    View.highlight = -1;
    RedrawView();
  }
  platform.SetViewCanvas(windowCanvas);
}
