#include "qt/view_picture.h"

#include "qt/raster_canvas.h"

QImage RenderViewPicture(Platform& platform, const ViewPictureOptions& options) {
  RasterCanvas canvas(options.size, options.size);
  DrawViewPicture(platform, canvas, options);
  return canvas.Image();
}
