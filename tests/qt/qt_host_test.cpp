#include "qt/qt_host.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <functional>

namespace vespin {
namespace {

// Records what the host delivers, as text that is easy to compare.
class Recorder : public EngineEvents {
  public:
    void OnInput(const InputEvent& e) override {
        log.push_back(Describe(e));
        if (on_input) on_input(e);
    }
    void OnTimerTick() override { ticks += 1; }

    static std::string Describe(const InputEvent& e) {
        static const char* const kButtons[] = {"left", "right", "middle"};
        switch (e.kind) {
            case InputKind::MouseMove:
                return "move " + std::to_string(e.x) + "," + std::to_string(e.y);
            case InputKind::MouseDown:
            case InputKind::MouseUp:
                return std::string(e.kind == InputKind::MouseDown ? "down " : "up ") +
                       kButtons[static_cast<int>(e.button)] + " " + std::to_string(e.x) + "," +
                       std::to_string(e.y);
            case InputKind::Wheel:
                return "wheel " + std::to_string(e.delta);
            case InputKind::KeyDown:
                return "keydown " + std::to_string(e.key);
            case InputKind::KeyUp:
                return "keyup " + std::to_string(e.key);
            case InputKind::Char:
                return "char " + std::to_string(e.key);
            case InputKind::Command:
                return "command " + std::to_string(static_cast<int>(e.command)) + " " +
                       std::to_string(e.value);
            case InputKind::CloseRequest:
                return "close";
            case InputKind::SaveSlot:
            case InputKind::LoadSlot:
                return std::string(e.kind == InputKind::SaveSlot ? "save " : "load ") +
                       std::to_string(e.value);
        }
        return "?";
    }

    std::vector<std::string> log;
    int ticks = 0;
    std::function<void(const InputEvent&)> on_input;
};

using Log = std::vector<std::string>;

std::string CommandText(UiCommand command, int value = 0) {
    return "command " + std::to_string(static_cast<int>(command)) + " " + std::to_string(value);
}

class QtHostTest : public testing::Test {
  protected:
    QtHostTest() : host(dir.filePath("settings.ini")) {
        Recorder nobody;
        host.PumpMessages(nobody);  // shows the window
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        QWidget& area = host.Window().Area();
        QMouseEvent event(type, at, area.mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(&area, &event);
    }
    void Key(QEvent::Type type, int key, const QString& text = {}, bool repeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, text, repeat);
        QApplication::sendEvent(&host.Window(), &event);
    }
    void Wheel(int angle) {
        QPoint at(100, 200);
        QWheelEvent event(at, host.Window().mapToGlobal(at), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&host.Window(), &event);
    }
    Log Pump() {
        Recorder r;
        host.PumpMessages(r);
        return r.log;
    }

    QTemporaryDir dir;
    QtHost host;
};

TEST_F(QtHostTest, MouseInputArrivesInOrderInDrawingAreaPixels) {
    Mouse(QEvent::MouseMove, Qt::NoButton, {5, 6});
    Mouse(QEvent::MouseMove, Qt::NoButton, {7, 8});  // only where the pointer is now counts
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {10, 20});
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {10, 20});
    Mouse(QEvent::MouseButtonPress, Qt::RightButton, {799, 599});
    Mouse(QEvent::MouseButtonPress, Qt::BackButton, {1, 1});  // not a button the engine knows
    Mouse(QEvent::MouseButtonPress, Qt::MiddleButton, {0, 0});
    EXPECT_EQ(Pump(), (Log{"move 7,8", "down left 10,20", "up left 10,20", "down right 799,599",
                           "down middle 0,0"}));
    EXPECT_TRUE(Pump().empty());
}

TEST_F(QtHostTest, KeysGiveKeyDownThenTheirCharacterAndOneKeyUp) {
    Key(QEvent::KeyPress, Qt::Key_Shift);
    Key(QEvent::KeyRelease, Qt::Key_Shift, {}, true);  // auto-repeat: Shift is still held
    Key(QEvent::KeyPress, Qt::Key_Shift, {}, true);
    Key(QEvent::KeyRelease, Qt::Key_Shift);
    Key(QEvent::KeyPress, Qt::Key_Space, " ");
    Key(QEvent::KeyPress, Qt::Key_Return, "\r");
    Key(QEvent::KeyPress, Qt::Key_A, "a");
    Key(QEvent::KeyPress, Qt::Key_F2);
    EXPECT_EQ(Pump(), (Log{"keydown 16", "keydown 16", "keyup 16", "keydown 32", "char 32",
                           "keydown 13", "char 13", "keydown 65", "char 97", "keydown 113"}));
}

TEST_F(QtHostTest, WheelNotchesAreCountedFromFineSteps) {
    Wheel(60);
    EXPECT_TRUE(Pump().empty());
    Wheel(60);
    Wheel(-240);
    EXPECT_EQ(Pump(), (Log{"wheel 1", "wheel -2"}));
}

TEST_F(QtHostTest, AHandlerThatPumpsAgainGoesOnWithTheNextEvent) {
    Key(QEvent::KeyPress, Qt::Key_1, "1");
    Key(QEvent::KeyPress, Qt::Key_2, "2");
    Recorder r;
    bool nested = false;
    r.on_input = [&](const InputEvent&) {
        if (nested) return;
        nested = true;
        host.PumpMessages(r);  // as a blocking effect inside a handler does
    };
    host.PumpMessages(r);
    // Each event once, in order: the nested pump took over after the first.
    EXPECT_EQ(r.log, (Log{"keydown 49", "char 49", "keydown 50", "char 50"}));
}

TEST_F(QtHostTest, TheCloseBoxAsksTheEngineAndOnlyTheEngineCloses) {
    EXPECT_FALSE(host.Window().close());
    EXPECT_TRUE(host.Window().isVisible());
    EXPECT_EQ(Pump(), Log{"close"});

    // The engine says yes while more input waits: nothing reaches it after the close.
    EXPECT_FALSE(host.Window().close());
    Key(QEvent::KeyPress, Qt::Key_Space, " ");
    Recorder r;
    r.on_input = [&](const InputEvent& e) {
        if (e.kind == InputKind::CloseRequest) host.CloseWindow();
    };
    host.PumpMessages(r);
    EXPECT_EQ(r.log, Log{"close"});
    EXPECT_FALSE(host.Window().isVisible());
    EXPECT_TRUE(Pump().empty());
}

TEST_F(QtHostTest, TheWindowHasTheClientSizeOfTheOriginalFrame) {
    host.SetWindowSize(808, 650);
    EXPECT_EQ(host.Window().size(), QSize(800, 624));
    EXPECT_EQ(host.Window().minimumSize(), host.Window().maximumSize());
    EXPECT_FALSE(host.Window().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(host.Window().Area().geometry(), QRect(0, 24, 800, 600));
    host.SetWindowTitle("フェルミナ", "『フェルミナ』");
    EXPECT_EQ(host.Window().windowTitle(), QString::fromUtf8("フェルミナ"));
}

TEST_F(QtHostTest, AShakeMovesTheWindowOrInFullScreenThePictureAndPutsItBack) {
    host.MoveWindow(120, 80);
    QPoint rest = host.Window().pos();
    host.ShakeWindow(0, -20);
    EXPECT_EQ(host.Window().pos(), rest + QPoint(0, -20));
    host.ShakeWindow(18, 0);
    EXPECT_EQ(host.Window().pos(), rest + QPoint(18, 0));
    host.ShakeWindow(0, 0);
    EXPECT_EQ(host.Window().pos(), rest);

    // Full screen: the drawing area covers the screen and scales the picture inside it.
    host.ApplyScreenLayout(ScreenLayout::FullScreen);
    QPoint corner = host.Window().pos();
    QRect area = host.Window().Area().geometry();
    host.ShakeWindow(-10, 10);
    EXPECT_EQ(host.Window().pos(), corner);
    EXPECT_EQ(host.Window().Area().geometry(), area.translated(-10, 10));
    host.ShakeWindow(0, 0);
    EXPECT_EQ(host.Window().Area().geometry(), area);
}

TEST_F(QtHostTest, EachVisibleControlOfTheStripSendsItsOwnCommand) {
    struct Place {
        int x;
        UiCommand command;
    };
    // A point inside each control, found the way the player finds it: by position.
    const Place places[] = {
        {24, UiCommand::SpeedButton1},  {88, UiCommand::SpeedButton4},
        {152, UiCommand::SpeedButton3}, {304, UiCommand::SpeedButton2},
        {388, UiCommand::SpeedButton7},
    };
    ToolbarState all_on;
    all_on.LoadEnabled = all_on.SaveEnabled = true;
    host.UpdateToolbar(all_on);
    Log expected;
    for (const Place& place : places) {
        QWidget* control = host.Window().childAt(place.x, 10);
        ASSERT_NE(control, nullptr) << place.x;
        QTest::mouseClick(control, Qt::LeftButton);
        expected.push_back(CommandText(place.command));
    }
    // The hidden セーブ編集 and the slider's place are bare strip while they are hidden.
    EXPECT_EQ(host.Window().childAt(230, 10), &host.Window().Toolbar());
    EXPECT_EQ(host.Window().childAt(460, 10), &host.Window().Toolbar());
    EXPECT_EQ(Pump(), expected);
}

TEST_F(QtHostTest, TheStripMirrorsTheEnginesToolbarState) {
    ToolbarStrip& strip = host.Window().Toolbar();
    QToolButton* save = strip.Button(UiCommand::SpeedButton3);
    QToolButton* load = strip.Button(UiCommand::SpeedButton4);
    QToolButton* autoButton = strip.Button(UiCommand::SpeedButton7);
    EXPECT_FALSE(save->isEnabled());  // save and load start disabled
    EXPECT_FALSE(strip.Button(UiCommand::SpeedButton5)->isVisible());
    EXPECT_FALSE(strip.Button(UiCommand::SpeedButton6)->isVisible());

    ToolbarState on;
    on.SaveEnabled = on.LoadEnabled = true;
    on.AutoOn = on.SliderVisible = true;
    on.SliderPosition = 8;
    on.AutoNaviVisible = true;
    host.UpdateToolbar(on);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(load->isEnabled());
    EXPECT_EQ(autoButton->palette().color(QPalette::Active, QPalette::ButtonText),
              QColor(0, 0, 255));
    EXPECT_TRUE(strip.TrackBar()->isVisible());
    EXPECT_EQ(strip.TrackBar()->value(), 8);
    EXPECT_TRUE(strip.Button(UiCommand::SpeedButton6)->isVisible());
    // Setting the slider from the engine's state is no command of the player's.
    EXPECT_TRUE(Pump().empty());

    strip.TrackBar()->triggerAction(QSlider::SliderSingleStepSub);
    EXPECT_EQ(Pump(), Log{CommandText(UiCommand::TrackBar1, 7)});

    ToolbarState locked;
    locked.StripEnabled = locked.ExitEnabled = locked.SettingsEnabled = false;
    locked.AutoEnabled = false;
    locked.SliderPosition = 42;  // out of range: shown at the end
    host.UpdateToolbar(locked);
    EXPECT_FALSE(strip.isEnabled());
    EXPECT_FALSE(strip.Button(UiCommand::SpeedButton1)->isEnabled());
    EXPECT_FALSE(strip.TrackBar()->isVisible());
    EXPECT_EQ(strip.TrackBar()->value(), 10);
    EXPECT_EQ(autoButton->palette().color(QPalette::Active, QPalette::ButtonText), QColor(0, 0, 0));
    QTest::mouseClick(strip.Button(UiCommand::SpeedButton1), Qt::LeftButton);
    EXPECT_TRUE(Pump().empty());
}

TEST_F(QtHostTest, TheReadingItemIsDisabledAndSaysWhyWithoutASynthesiser) {
    QAction* reading = host.Window().Menu().Item(UiCommand::MenuReading);
    ToolbarState state;
    for (bool available : {false, true}) {
        state.SelfVoicingAvailable = available;
        state.SelfVoicingOn = available;
        host.UpdateToolbar(state);
        EXPECT_EQ(reading->isEnabled(), available);
        EXPECT_EQ(reading->isChecked(), available);
        EXPECT_EQ(reading->text() == QString::fromUtf8("読み上げ"), available);
        EXPECT_TRUE(reading->text().startsWith(QString::fromUtf8("読み上げ")));
    }
}

TEST_F(QtHostTest, ThePopupMenuWaitsForAnItemWhileTheTimerGoesOn) {
    PopupMenu& menu = host.Window().Menu();
    ToolbarState state;
    state.MenuRecollectionEndVisible = true;
    host.UpdateToolbar(state);
    EXPECT_TRUE(menu.Item(UiCommand::MenuN6)->isVisible());
    EXPECT_TRUE(menu.Item(UiCommand::MenuN7)->isVisible());
    EXPECT_FALSE(menu.Item(UiCommand::MenuN1)->isVisible());
    EXPECT_TRUE(menu.Item(UiCommand::MenuN2)->isVisible());

    // The engine pops the menu up from a handler, inside a pump; the player then picks ゲーム終了.
    Key(QEvent::KeyPress, Qt::Key_F2);
    Recorder r;
    r.on_input = [&](const InputEvent& e) {
        if (e.kind != InputKind::KeyDown) return;
        QTimer::singleShot(150, [&] {
            menu.setActiveAction(menu.Item(UiCommand::MenuN7));
            QTest::keyClick(&menu, Qt::Key_Return);
        });
        QTimer::singleShot(5000, &menu, &QMenu::close);  // never hang the suite
        host.ShowPopupMenu(4, 21);
    };
    host.PumpMessages(r);
    EXPECT_EQ(r.log, (Log{"keydown 113", CommandText(UiCommand::MenuN7)}));
    EXPECT_GE(r.ticks, 1);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(QtHostTest, MessageBoxesAnswerOkOrCancel) {
    auto answer_with = [&](QMessageBox::StandardButton button, QString* seen = nullptr) {
        QTimer::singleShot(0, [=] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            if (seen) {
                *seen = box->windowTitle() + "|" + box->text();
                EXPECT_EQ(box->icon(), QMessageBox::Question);
            }
            box->button(button)->click();
        });
    };
    QString seen;
    answer_with(QMessageBox::Cancel, &seen);
    EXPECT_EQ(host.ShowMessageBox("ゲームを終了しますか？", "確認", MessageIcon::Question,
                                  MessageButtons::OkCancel),
              MessageResult::Cancel);
    EXPECT_EQ(seen, QString::fromUtf8("確認|ゲームを終了しますか？"));
    answer_with(QMessageBox::Ok);
    EXPECT_EQ(host.ShowMessageBox("a", "b", MessageIcon::Question, MessageButtons::OkCancel),
              MessageResult::Ok);

    // A box with OK alone answers OK even when dismissed with Esc.
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(host.ShowMessageBox("x", "Error!", MessageIcon::Error, MessageButtons::Ok),
              MessageResult::Ok);
}

TEST_F(QtHostTest, PresentShowsTheSurfaceInTheDrawingArea) {
    Surface frame(800, 600);
    frame.Fill(0x10, 0x20, 0x30);  // blue, green, red
    host.Present(frame, Rect{700, 500, 200, 200});
    const QImage& shown = host.Window().Area().Image();
    EXPECT_EQ(shown.pixel(799, 599), qRgb(0x30, 0x20, 0x10));
    EXPECT_EQ(shown.pixel(699, 599), qRgb(0, 0, 0));
    // The host keeps its own copy: later changes to the surface show only when presented.
    frame.Fill(0xFF, 0xFF, 0xFF);
    EXPECT_EQ(shown.pixel(799, 599), qRgb(0x30, 0x20, 0x10));
}

TEST(QtHostLock, OneHolderAtATimeAndTheLockEndsWithItsHolder) {
    QTemporaryDir dir;
    std::string name = "VESPIN_TEST_" + std::to_string(QCoreApplication::applicationPid());
    {
        QtHost first(dir.filePath("a.ini"));
        ASSERT_TRUE(first.TryLockSingleInstance(name));
        QtHost second(dir.filePath("b.ini"));
        EXPECT_FALSE(second.TryLockSingleInstance(name));
        EXPECT_TRUE(second.TryLockSingleInstance(name + "_other"));
    }
    QtHost third(dir.filePath("c.ini"));
    EXPECT_TRUE(third.TryLockSingleInstance(name));
}

TEST(QtHostLock, TheLockFileIsPerUserAndSafeToNameAnyway) {
    QString path = SingleInstanceLockPath("VESPIN_ENGINE");
    EXPECT_TRUE(path.startsWith(QDir::tempPath() + "/VESPIN_ENGINE."));
    EXPECT_TRUE(path.endsWith(".lock"));
    QString odd = SingleInstanceLockPath("../x/y");
    EXPECT_EQ(QFileInfo(odd).dir(), QDir(QDir::tempPath()));
}

TEST(QtHostClock, RealTimeMovesAndSleepingTakesAtLeastItsTime) {
    QTemporaryDir dir;
    QtHost host(dir.filePath("s.ini"));
    uint32_t before = host.NowMs();
    host.SleepMs(20);
    EXPECT_GE(host.NowMs() - before, 20u);
    EXPECT_GT(host.WallClockSeconds(), 1'600'000'000);
}

}  // namespace
}  // namespace vespin
