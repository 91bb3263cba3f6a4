// kelvarin: the desktop program. `kelvarin [FILE.sec]` opens the main window (with
// the file); --version and --help print and exit without needing a display.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "qt/main_window.h"
#include "qt/qt_platform.h"

#ifndef KELVARIN_VERSION
#define KELVARIN_VERSION "0"
#endif

namespace {

const char* const Usage =
    "Usage: kelvarin [FILE.sec]\n"
    "\n"
    "Computes the exact properties of a plane cross-section built from polygons,\n"
    "circles, arc segments, radial blocks and typed-in areas. Opens the section file\n"
    "FILE.sec when one is named (the whole command line, without quotes, is the name).\n"
    "\n"
    "Options:\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

// KELVARIN_EXIT_AFTER_PAINT=1: the program ends as soon as its main window has been
// painted once (start-up timing). Its standard output then gets the milliseconds
// from the start of main to that paint.
class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe(QWidget* window, QElapsedTimer sinceStart) : timer_(sinceStart) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      watched->removeEventFilter(this);
      // After this paint has reached the window: the next turn of the loop.
      QTimer::singleShot(0, qApp, [this] {
        std::printf("first paint after %lld ms\n", static_cast<long long>(timer_.elapsed()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  QElapsedTimer timer_;
  bool done_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("kelvarin %s\n", KELVARIN_VERSION);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(Usage, stdout);
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kelvarin"));
  QApplication::setApplicationVersion(QStringLiteral(KELVARIN_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("kelvarin"));

  // The arguments Qt left, without the program's own path, are the file name.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }

  QtPlatform platform;
  SetPlatform(&platform);
  MainWindow window(platform);
  std::unique_ptr<FirstPaintProbe> probe;
  if (qEnvironmentVariableIntValue("KELVARIN_EXIT_AFTER_PAINT") != 0)
    probe = std::make_unique<FirstPaintProbe>(&window, sinceStart);
  window.show();
  window.StartUp(commandLine);
  const int status = QApplication::exec();
  SetPlatform(nullptr);
  return status;
}
