#include "qt/view_picture.h"

#include "app/report_window.h"
#include "platform/platform.h"
#include "model/properties.h"
#include "qt/raster_canvas.h"
#include "view/redraw_view.h"
#include "view/view_options.h"

QImage RenderViewPicture(Platform& platform, const ViewPictureOptions& options) {
  RasterCanvas canvas(options.size, options.size);
  Canvas* const windowCanvas = platform.ViewCanvas();
  platform.SetViewCanvas(&canvas);
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
  return canvas.Image();
}
