// The drawing plugin of kelvarin-cli: the raster canvas and the PDF job, on Qt's
// offscreen platform unless the caller chose one.
#include "platform/render_plugin.h"

#include "qt/gui_application.h"
#include "qt/pdf_print_job.h"
#include "qt/raster_canvas.h"

namespace {

Canvas* NewPicture(int width, int height) {
  EnsureGuiApplication();
  return new RasterCanvas(width, height);
}

bool SavePicture(Canvas& picture, const char* pngFile) {
  return static_cast<RasterCanvas&>(picture).Image().save(QString::fromUtf8(pngFile), "PNG");
}

PrintJob* NewPdfJob(const char* pdfFile) {
  EnsureGuiApplication();
  return new PdfPrintJob(pdfFile);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const RenderPlugin* KelvarinRenderPlugin() {
  static const RenderPlugin plugin{RenderPluginVersion, NewPicture, SavePicture, NewPdfJob};
  return &plugin;
}
