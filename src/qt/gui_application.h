// The raster canvas renders text through Qt's font machinery, which needs a
// QGuiApplication. Tests and benchmarks share one, created on first use on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#pragma once

#include <QGuiApplication>

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kelvarin";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the static destructors crashes.
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}
