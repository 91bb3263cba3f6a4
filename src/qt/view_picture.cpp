#include "qt/view_picture.h"

#include "headless/headless_platform.h"
#include "model/properties.h"
#include "qt/raster_canvas.h"
#include "view/redraw_view.h"
#include "view/view_options.h"

QImage RenderViewPicture(HeadlessPlatform& platform, const ViewPictureOptions& options) {
  RasterCanvas canvas(options.size, options.size);
  platform.SetCanvas(&canvas);
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
  platform.SetCanvas(nullptr);
  return canvas.Image();
}
