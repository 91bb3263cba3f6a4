// kelvarin: the desktop program. `kelvarin [FILE.sec]` opens the main window (with
// the file); --version and --help print and exit without needing a display.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/program_info.h"
#include "qt/gui_application.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"

namespace {

// KELVARIN_EXIT_AFTER_PAINT=1: the program closes its main window, through the
// close protocol as the close box does, as soon as the window has been painted once
// (start-up and shut-down timing). Its standard output then gets the milliseconds
// from the start of main to that paint, and the wall-clock time of the close, so
// that the caller can tell how long the process outlives its window.
class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe(QWidget* window, QElapsedTimer sinceStart) : window_(window), timer_(sinceStart) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      watched->removeEventFilter(this);
      // After this paint has reached the window: the next turn of the loop.
      QTimer::singleShot(0, qApp, [this] {
        std::printf("first paint after %lld ms\n", static_cast<long long>(timer_.elapsed()));
        window_->close();
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("window closed at %lld ns\n",
                    static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
      });
    }
    return false;
  }

 private:
  QWidget* window_;
  QElapsedTimer timer_;
  bool done_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  // --help and --version answer before anything needs a display.
  const ProgramArguments early = ReadProgramArguments({argv + 1, argv + argc});
  if (early.action == ProgramArguments::ShowVersion || early.action == ProgramArguments::ShowUsage) {
    std::fputs((early.action == ProgramArguments::ShowVersion ? VersionText() : UsageText()).c_str(),
               stdout);
    return 0;
  }

  EnsureRuntimeFolder();
  QApplication app(argc, argv);
  // The name a window manager shows for a dialog without a caption; Qt appends a
  // display name to every caption, so none is set.
  QApplication::setApplicationName(QStringLiteral("Kelvarin"));
  QApplication::setApplicationVersion(QStringLiteral(KELVARIN_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("kelvarin"));

  // Qt has taken its own options (-platform, -style...) out of argv.
  const ProgramArguments args = ReadProgramArguments({argv + 1, argv + argc});
  if (args.action == ProgramArguments::Refuse) {
    std::fputs(args.error.c_str(), stderr);
    return 1;
  }

  QtPlatform platform;
  SetPlatform(&platform);
  int status = 0;
  {
    MainWindow window(platform);
    std::unique_ptr<FirstPaintProbe> probe;
    if (qEnvironmentVariableIntValue("KELVARIN_EXIT_AFTER_PAINT") != 0)
      probe = std::make_unique<FirstPaintProbe>(&window, sinceStart);
    window.show();
    window.StartUp(args.fileText);
    if (window.isVisible()) status = QApplication::exec();
  }
  SetPlatform(nullptr);
  return status;
}
