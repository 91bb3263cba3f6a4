// The GraphicView's picture of the current tables, drawn offscreen on a raster
// canvas.
#pragma once

#include <QImage>

#include "app/view_picture.h"

// DrawViewPicture on a raster canvas of options.size pixels square. Needs a
// QGuiApplication.
QImage RenderViewPicture(Platform& platform, const ViewPictureOptions& options);
