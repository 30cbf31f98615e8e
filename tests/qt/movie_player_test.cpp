// Movies on Qt Multimedia: the panel over the drawing area, the player's answers to the engine,
// and the `movie` command played through in a game. The movies are made here with GStreamer's
// command-line tool; where it or the media backend is missing, the tests that need them skip.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <optional>

#include "qt_test_game.h"

namespace vespin {
namespace {

using test::QtGameOptions;
using test::QtTestGame;

// An AVI of Motion JPEG pictures and PCM sound, `frames` frames at 10 a second, of one of
// videotestsrc's patterns. The error text when it cannot be made.
std::optional<QString> MakeMovie(const std::filesystem::path& file, int frames,
                                 const char* pattern) {
    QString tool = QStandardPaths::findExecutable("gst-launch-1.0");
    if (tool.isEmpty()) return QStringLiteral("gst-launch-1.0 is not installed");
    std::filesystem::create_directories(file.parent_path());
    QString pipeline = QStringLiteral(
                           "videotestsrc num-buffers=%1 pattern=%2 ! "
                           "video/x-raw,width=160,height=120,framerate=10/1 ! jpegenc ! "
                           "avimux name=mux ! filesink location=%3 "
                           "audiotestsrc num-buffers=%1 samplesperbuffer=1102 ! "
                           "audio/x-raw,rate=11025,channels=1,format=S16LE ! mux.")
                           .arg(frames)
                           .arg(pattern)
                           .arg(QString::fromStdString(file.string()));
    QProcess run;
    run.start(tool, QProcess::splitCommand(pipeline));
    if (!run.waitForFinished(20000) || run.exitCode() != 0)
        return "gst-launch-1.0 failed: " + QString::fromLocal8Bit(run.readAllStandardError());
    return std::nullopt;
}

// Whether Qt Multimedia can load `file` at all here, asked of a plain QMediaPlayer, so that a
// fault of our player never passes for a missing backend.
std::optional<QString> BackendCannotLoad(const std::filesystem::path& file) {
    QMediaPlayer probe;
    probe.setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000 && probe.error() == QMediaPlayer::NoError &&
           (probe.mediaStatus() == QMediaPlayer::LoadingMedia ||
            probe.mediaStatus() == QMediaPlayer::NoMedia)) {
        QTest::qWait(10);
    }
    if (probe.mediaStatus() == QMediaPlayer::LoadedMedia) return std::nullopt;
    return "the media backend cannot load a Motion JPEG AVI here (" + probe.errorString() + ")";
}

#define SKIP_UNLESS_PLAYABLE(file, frames, pattern)                                          \
    do {                                                                                     \
        if (auto why = MakeMovie(file, frames, pattern)) GTEST_SKIP() << why->toStdString(); \
        if (auto why = BackendCannotLoad(file)) GTEST_SKIP() << why->toStdString();          \
    } while (false)

// Processes Qt's events until `done` holds or `max_ms` pass.
template <typename Pred>
bool WaitFor(Pred done, int max_ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < max_ms)
        QTest::qWait(10);
    return done();
}

// Opens `file` and lets Qt work until the player has prepared it or given up: whether the movie
// is then open. Opening itself returns at once.
bool OpenAndWait(MoviePlayer& player, const std::filesystem::path& file) {
    if (!player.Open(file)) return false;
    WaitFor([&] { return !player.Preparing(); }, 6000);
    return !player.Preparing() && player.IsOpen();
}

class NoEngine : public EngineEvents {
  public:
    void OnInput(const InputEvent& e) override { inputs.push_back(e); }
    void OnTimerTick() override {}
    std::vector<InputEvent> inputs;
};

class QtMovie : public testing::Test {
  protected:
    QtMovie() : host(dir.filePath("settings.ini")) {
        NoEngine nobody;
        host.PumpMessages(nobody);  // shows the window
    }
    std::filesystem::path File(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    MoviePanel& Panel() { return host.Window().Movie(); }

    QTemporaryDir dir;
    QtHost host;
    MoviePlayer& player = *host.Movies();
};

TEST_F(QtMovie, FilesThatCannotPlayDoNotOpen) {
    EXPECT_FALSE(player.Open(File("missing.avi")));
    test::WriteBytes(File("noise.avi"), std::vector<uint8_t>(4000, 0x5A));
    EXPECT_FALSE(OpenAndWait(player, File("noise.avi")));
    EXPECT_FALSE(player.IsOpen());
    std::filesystem::create_directory(File("folder.avi"));
    EXPECT_FALSE(player.Open(File("folder.avi")));
    // Nothing is open: starting it shows nothing and plays nothing.
    player.ShowAndPlay();
    EXPECT_FALSE(player.PanelVisible());
    EXPECT_FALSE(player.IsPlaying());
    player.Stop();
    player.Close();
}

TEST_F(QtMovie, PlaysOverTheDrawingAreaToItsEnd) {
    SKIP_UNLESS_PLAYABLE(File("red.avi"), 10, "red");  // one second
    // Opening returns before the backend has looked at the file, and shows nothing yet.
    QElapsedTimer opening;
    opening.start();
    ASSERT_TRUE(player.Open(File("red.avi")));
    EXPECT_LT(opening.elapsed(), 1000);
    EXPECT_FALSE(player.PanelVisible());
    ASSERT_TRUE(WaitFor([&] { return !player.Preparing(); }, 6000));
    ASSERT_TRUE(player.IsOpen());
    EXPECT_FALSE(player.IsPlaying());

    QElapsedTimer timer;
    timer.start();
    player.ShowAndPlay();
    EXPECT_TRUE(player.PanelVisible());
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(Panel().geometry(), host.Window().Area().geometry());
    EXPECT_EQ(host.Window().childAt(400, MainWindow::kAreaTop + 300), &Panel());

    // The small picture is stretched over the whole panel.
    ASSERT_TRUE(WaitFor([&] { return !Panel().Frame().isNull(); }, 3000));
    QImage shown = Panel().grab().toImage();
    ASSERT_EQ(shown.size(), QSize(800, 600));
    for (QPoint at : {QPoint(2, 2), QPoint(400, 300), QPoint(797, 597)}) {
        QColor c = shown.pixelColor(at);
        EXPECT_GT(c.red(), 200) << at.x();
        EXPECT_LT(c.green() + c.blue(), 80) << at.x();
    }

    ASSERT_TRUE(WaitFor([&] { return !player.IsPlaying(); }, 6000));
    EXPECT_GE(timer.elapsed(), 800);     // it played its second, not less
    EXPECT_TRUE(player.PanelVisible());  // until the engine hides it
    player.HidePanel();
    player.Close();
    EXPECT_FALSE(player.PanelVisible());

    // The player opens the next movie, and starts it from the beginning.
    ASSERT_TRUE(OpenAndWait(player, File("red.avi")));
    player.ShowAndPlay();
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    player.HidePanel();
    player.Close();
}

TEST_F(QtMovie, StopEndsAMovieAtOnceAndAClickOnThePanelIsAClickForTheEngine) {
    SKIP_UNLESS_PLAYABLE(File("long.avi"), 300, "ball");  // thirty seconds
    ASSERT_TRUE(OpenAndWait(player, File("long.avi")));
    player.ShowAndPlay();
    QTest::mouseMove(&Panel(), QPoint(30, 40));
    QTest::mouseClick(&Panel(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    NoEngine engine;
    host.PumpMessages(engine);
    // The press and the release, in the panel's pixels (moves of a real pointer may come between).
    std::vector<InputEvent> clicks;
    for (const InputEvent& e : engine.inputs)
        if (e.kind != InputKind::MouseMove) clicks.push_back(e);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].kind, InputKind::MouseDown);
    EXPECT_EQ(clicks[0].button, MouseButton::Left);
    EXPECT_EQ(clicks[0].x, 10);
    EXPECT_EQ(clicks[0].y, 20);
    EXPECT_EQ(clicks[1].kind, InputKind::MouseUp);

    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    player.HidePanel();
    player.Close();
}

// The `movie` command in a game: the engine holds while the movie plays, notices its end on its
// timer, and ends a movie at once when the panel is clicked. The path is relative to the game
// folder, with the backslash of the scripts.
TEST(QtMovieInTheGame, TheEngineWaitsForTheEndOrAClick) {
    QtGameOptions o;
    o.Scripts["main"] = "*movie movie\\short.avi\n!V001=1\n*movie movie\\long.avi\n!V001=2\n\\\n";
    QtTestGame game(std::move(o));
    SKIP_UNLESS_PLAYABLE(game.Folder() / "movie" / "short.avi", 10, "green");
    SKIP_UNLESS_PLAYABLE(game.Folder() / "movie" / "long.avi", 300, "ball");
    game.Start();
    MoviePanel& panel = game.Host().Window().Movie();
    EngineState& e = game.State();

    ASSERT_TRUE(game.RunUntil([&] { return !panel.isHidden(); }, 5000));
    EXPECT_TRUE(e.Shell.EngineBusy);
    EXPECT_TRUE(e.Shell.ToolbarLocked);
    EXPECT_EQ(e.Vars.V[1], 0);
    // A one-second movie, noticed within eleven ticks of its end.
    ASSERT_TRUE(game.RunUntil([&] { return e.Vars.V[1] == 1; }, 5000));

    ASSERT_TRUE(game.RunUntil([&] { return !panel.isHidden(); }, 5000));
    game.RunUntil([] { return false; }, 300);
    EXPECT_EQ(e.Vars.V[1], 1);
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    ASSERT_TRUE(game.RunUntil([&] { return e.Vars.V[1] == 2; }, 5000));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(panel.isHidden());
    EXPECT_FALSE(e.Shell.EngineBusy);
    EXPECT_FALSE(e.Shell.ToolbarLocked);
}

}  // namespace
}  // namespace vespin
