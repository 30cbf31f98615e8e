// Start-up of the game window: from creating the Qt host and the engine on the demo game to the
// first frame the drawing area paints, inside one process and as a whole program launch. Runs
// on Qt's offscreen platform unless QT_QPA_PLATFORM names another (xcb for a real display). The
// references in the same run are a bare Qt window of the same size painting its first frame, in
// the process and launched, which no engine work can beat.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/shell/engine.h"
#include "qt/qt_host.h"

#ifndef VESPIN_GAME_DIR
#error "VESPIN_GAME_DIR names the demo game's folder"
#endif

namespace vespin {
namespace {

const std::filesystem::path kGame = VESPIN_GAME_DIR;

// Notes the time of the first paint of the widget it watches.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QElapsedTimer& clock, bool announce = false)
        : m_clock(clock), m_announce(announce) {}
    qint64 at_ns = -1;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint || at_ns >= 0) return false;
        at_ns = m_clock.nsecsElapsed();
        // Said at once: the rest of the loop turn (the first idle pass) is not start-up.
        if (m_announce) {
            std::printf("first frame\n");
            std::fflush(stdout);
        }
        return false;
    }

  private:
    QElapsedTimer& m_clock;
    bool m_announce;
};

// The time to the first paint itself, not to the end of the loop turn that saw it (an idle pass
// lasts at least 30 ms and would hide what start-up costs).
void BM_QtStartupToFirstFrame(benchmark::State& state) {
    if (!std::filesystem::exists(kGame / "vg_data.vsp")) {
        state.SkipWithError("the demo game is not built");
        return;
    }
    QTemporaryDir settings;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QtHost host(settings.filePath("settings.ini"));
        FirstPaint first(clock);
        host.Window().Area().installEventFilter(&first);
        Engine engine(host, kGame);
        while (first.at_ns < 0)
            engine.Step();
        state.SetIterationTime(static_cast<double>(first.at_ns) / 1e9);
        host.CloseWindow();
    }
}
BENCHMARK(BM_QtStartupToFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

// A whole program start, as a player has it: this program run again with --first-frame-only,
// timed from its launch to the line it prints at the first frame (loading the libraries, making
// the QApplication, the host and the engine, showing the window).
void LaunchToFirstFrame(benchmark::State& state, const char* mode) {
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
        bool reported = child.waitForReadyRead(10000);
        qint64 ns = clock.nsecsElapsed();
        child.waitForFinished(20000);
        if (!reported || !child.readAllStandardOutput().startsWith("first frame")) {
            state.SkipWithError("the child did not report its first frame");
            return;
        }
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
    }
}
void BM_QtProcessLaunchToFirstFrame(benchmark::State& state) {
    if (!std::filesystem::exists(kGame / "vg_data.vsp")) {
        state.SkipWithError("the demo game is not built");
        return;
    }
    LaunchToFirstFrame(state, "--first-frame-only");
}
BENCHMARK(BM_QtProcessLaunchToFirstFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

// Reference: the same launch of a program that shows only a bare window.
void BM_ReferenceBareProcessLaunchToFirstFrame(benchmark::State& state) {
    LaunchToFirstFrame(state, "--bare-first-frame-only");
}
BENCHMARK(BM_ReferenceBareProcessLaunchToFirstFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

// The child's side: one start, one line at the first frame, then out.
int FirstFrameOnly(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir settings;
    QElapsedTimer clock;
    clock.start();
    QtHost host(settings.filePath("settings.ini"));
    FirstPaint first(clock, true);
    host.Window().Area().installEventFilter(&first);
    Engine engine(host, kGame);
    while (first.at_ns < 0)
        engine.Step();
    host.CloseWindow();
    return 0;
}

class BareWindow : public QWidget {
  public:
    BareWindow() { setFixedSize(800, 624); }
    int painted = 0;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::black);
        painted += 1;
    }
};

int BareFirstFrameOnly(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.show();
    while (window.painted == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::printf("first frame\n");
    std::fflush(stdout);
    return 0;
}

void BM_ReferenceBareWindowFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        BareWindow window;
        window.show();
        while (window.painted == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}
BENCHMARK(BM_ReferenceBareWindowFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vespin

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The sound device opens on the first idle pass; here it writes nowhere.
    QTemporaryDir al_folder;
    std::string al_conf = al_folder.filePath("alsoft.conf").toStdString();
    std::ofstream(al_conf) << "[general]\ndrivers=wave\n[wave]\nfile=/dev/null\n";
    setenv("ALSOFT_CONF", al_conf.c_str(), 1);
    if (argc == 2 && std::string_view(argv[1]) == "--first-frame-only")
        return vespin::FirstFrameOnly(argc, argv);
    if (argc == 2 && std::string_view(argv[1]) == "--bare-first-frame-only")
        return vespin::BareFirstFrameOnly(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
