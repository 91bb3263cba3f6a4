// The raster canvas renders text through Qt's font machinery, which needs a
// QGuiApplication. Tests and benchmarks share one, created on first use on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#pragma once

#include <QGuiApplication>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

// Qt wants a private runtime folder and warns on standard error when
// XDG_RUNTIME_DIR is unset (under cron, ssh or CI). Standard error is for what the
// user must read, so a private folder of our own is named instead.
inline void EnsureRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const std::string path = "/tmp/kelvarin-runtime-" + std::to_string(getuid());
  struct stat st{};
  const bool made = mkdir(path.c_str(), 0700) == 0;
  // Only a folder of ours that nobody else may enter will do.
  if (made || (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
               (st.st_mode & 077) == 0))
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(path));
}

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeFolder();
  static int argc = 1;
  static char name[] = "kelvarin";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the static destructors crashes.
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}
