// The settings dialog and the name dialog on the real Qt host, driven as a player would from
// inside their modal loops; the presentation's geometry (fit, pointer mapping, file names).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "core/shell/engine_state.h"
#include "core/shell/settings.h"
#include "core/text/sjis.h"
#include "qt/presentation.h"
#include "qt_test_game.h"

namespace vespin {
namespace {

using test::QtGameOptions;
using test::QtTestGame;

template <typename T>
T* Find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// A game waiting at a page, whose dialog is handled by `act` once it is up.
class DialogGame {
  public:
    // `watcher` handles the dialogs the script itself opens.
    explicit DialogGame(std::string script, std::map<std::string, std::string> settings = {},
                        std::function<void(QWidget&)> watcher = {}) {
        QtGameOptions o;
        o.Scripts["main"] = std::move(script);
        o.Settings = std::move(settings);
        m_game = std::make_unique<QtTestGame>(o);
        if (watcher) m_game->Host().SetDialogWatcher(std::move(watcher));
        m_game->Start();
        m_game->RunUntil([&] { return State().Shell.WaitKind != 0; }, 5000);
    }
    EngineState& State() { return m_game->State(); }
    std::string Stored(const char* name) {
        return m_game->Host().Settings().Read(name).value_or("<none>");
    }
    // Opens the settings dialog with the 設定 button and lets `act` use it; returns once the
    // dialog has closed and the engine is calm again.
    void UseSettingsDialog(std::function<void(QWidget&)> act) {
        bool done = false;
        m_game->Host().SetDialogWatcher([&](QWidget& dialog) {
            act(dialog);
            done = true;
        });
        InputEvent press;
        press.kind = InputKind::Command;
        press.command = UiCommand::SpeedButton2;
        m_game->Host().Queue().Push(press);
        ASSERT_TRUE(m_game->RunUntil([&] { return done && !State().Shell.EngineBusy; }, 10000));
    }
    QtTestGame& Game() { return *m_game; }

  private:
    std::unique_ptr<QtTestGame> m_game;
};

void ClickOk(QWidget& dialog) {
    QTest::mouseClick(Find<QAbstractButton>(dialog, "OK"), Qt::LeftButton);
}

TEST(SettingsDialogQt, EveryControlWritesItsValue) {
    DialogGame g("\\\n");
    g.UseSettingsDialog([](QWidget& d) {
        for (const char* radio : {"GMode1", "Delay1", "AnimQuality1", "Wave1", "BGM1", "FONTAA1"})
            QTest::mouseClick(Find<QAbstractButton>(d, radio), Qt::LeftButton);
        for (const char* slider : {"Vol1", "Vol2", "Vol3", "Vol4"})
            Find<QSlider>(d, slider)->setValue(-1500);
        Find<QCheckBox>(d, "BreakonSelect")->setChecked(false);
        Find<QCheckBox>(d, "Seen")->setChecked(false);
        Find<QCheckBox>(d, "OnMemoryMode")->setChecked(false);
        auto* fonts = Find<QComboBox>(d, "FontName");
        ASSERT_GT(fonts->count(), 1);  // the machine has Japanese fonts
        // "ＭＳ 明朝" is not installed: the Mincho face that stands in for it is selected.
        EXPECT_TRUE(fonts->currentText().contains(QStringLiteral("明朝")));
        fonts->setCurrentIndex((fonts->currentIndex() + 1) % fonts->count());
        ClickOk(d);
    });
    for (const char* name : {"GMode", "Delay", "AnimQuality", "Wave", "BGM", "FONTAA"})
        EXPECT_EQ(g.Stored(name), "1") << name;
    for (const char* name : {"Vol1", "Vol2", "Vol3", "Vol4"})
        EXPECT_EQ(g.Stored(name), "-1500") << name;
    for (const char* name : {"BreakonSelect", "Seen", "OnMemoryMode"})
        EXPECT_EQ(g.Stored(name), "0") << name;
    EXPECT_NE(g.Stored("FontName"), "<none>");
    // What closing the dialog reads again, and what applied at once.
    const SettingsValues& s = g.State().Settings;
    EXPECT_EQ(s.GMode, 1);
    EXPECT_FALSE(s.NormalTextSpeed);
    EXPECT_FALSE(s.VoiceOn);
    EXPECT_TRUE(s.AnimQuality);
    EXPECT_FALSE(s.Seen);
    EXPECT_EQ(s.Vol3, -1500);
    EXPECT_EQ(s.FONTAA, 1);
}

TEST(SettingsDialogQt, ATypedFontSizeOfThirtyBecomesTwentyTwo) {
    DialogGame g("\\\n");
    g.UseSettingsDialog([](QWidget& d) {
        auto* size = Find<QSpinBox>(d, "FontSize");
        EXPECT_EQ(size->value(), 18);
        size->setFocus();
        size->selectAll();
        QTest::keyClicks(size, "30");
        QTest::keyClick(size, Qt::Key_Return);  // ends the typing, then presses ＯＫ
        EXPECT_EQ(size->value(), 22);
    });
    EXPECT_EQ(g.Stored("FONTSIZE"), "22");
    EXPECT_EQ(g.State().Settings.FONTSIZE, 22);
}

TEST(SettingsDialogQt, TheOriginalBackgroundOffShowsTheTintGroupAndRestylesAtOnce) {
    DialogGame g("\\\n");
    g.UseSettingsDialog([&](QWidget& d) {
        auto* tint = Find<QGroupBox>(d, "TintGroup");
        EXPECT_FALSE(tint->isVisibleTo(&d));
        Find<QCheckBox>(d, "WINTYPE")->setChecked(false);
        EXPECT_TRUE(tint->isVisibleTo(&d));
        EXPECT_FALSE(g.State().Settings.PictureWindowStyle);    // while the dialog is still up
        EXPECT_EQ(Find<QSpinBox>(d, "FontSize")->value(), 21);  // FONTSIZE2
        ClickOk(d);
    });
    EXPECT_EQ(g.Stored("WINTYPE"), "0");
}

TEST(SettingsDialogQt, DefaultThenOkLeavesTheDefaultTint) {
    DialogGame g("\\\n", {{"WINTYPE", "0"}});
    g.UseSettingsDialog([](QWidget& d) {
        QTest::mouseClick(Find<QAbstractButton>(d, "Default"), Qt::LeftButton);
        EXPECT_EQ(Find<QWidget>(d, "TintSample")->palette().color(QPalette::Window),
                  QColor(66 * 170 / 255, 62 * 170 / 255, 249 * 170 / 255));
        ClickOk(d);
    });
    EXPECT_EQ(g.Stored("TXBG_R"), "66");
    EXPECT_EQ(g.Stored("TXBG_G"), "62");
    EXPECT_EQ(g.Stored("TXBG_B"), "249");
    EXPECT_EQ(g.Stored("TXBG_A"), "170");
    EXPECT_EQ(g.State().Settings.TXBG_A, 170);
}

TEST(SettingsDialogQt, BoldWrittenAsFONTBoldIsReadBackAsFONTBOLD) {
    DialogGame g("\\\n");
    g.UseSettingsDialog([](QWidget& d) {
        Find<QCheckBox>(d, "FONTBold")->setChecked(true);
        QTest::keyClick(&d, Qt::Key_Escape);  // Escape closes like ＯＫ
    });
    EXPECT_TRUE(g.State().Settings.FONTBOLD);
    EXPECT_EQ(ReadIntSetting(g.Game().Host().Settings(), "FONTBOLD", 0), 1);
}

TEST(NameDialogQt, RefusedNamesComeBackAndS006FollowsTheFirstName) {
    bool done = false;
    DialogGame g("*setname\n\\\n", {}, [&](QWidget& d) {
        auto* first = Find<QLineEdit>(d, "Edit1");
        auto* second = Find<QLineEdit>(d, "Edit2");
        EXPECT_EQ(first->text(), QStringLiteral("和人"));
        for (const char* refused : {"", "ab", "あ1"}) {
            first->setText(QString::fromUtf8(refused));
            QTest::keyClick(second, Qt::Key_Return);  // Enter presses ＯＫ
            EXPECT_EQ(first->text(), QStringLiteral("和人")) << refused;
            EXPECT_TRUE(d.isVisible());
        }
        first->setText(QStringLiteral("太郎"));
        second->setText(QStringLiteral("花子"));
        QTest::keyClick(second, Qt::Key_Escape);  // no way out but a name
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(second, Qt::Key_Return);
        done = true;
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(g.State().Vars.S[6], 1);
    EXPECT_EQ(g.Stored("PlayerName"), "太郎");
    EXPECT_EQ(g.Stored("PlayerName2"), "花子");
}

// The recollection slot's name dialog: Escape leaves the name as it was, ＯＫ keeps 18 of 20
// full-width characters.
TEST(NameDialogQt, TheSlotNameDialogCancelsAndCutsTheName) {
    QtGameOptions o;
    o.Scripts["main"] = "*kaisou\n\\\n";
    o.Scripts["sys_flashbak"] = ":NIGHT1\nscene,main\n:END\n";
    QtTestGame game(o);
    int shown = 0;
    game.Host().SetDialogWatcher([&](QWidget& d) {
        auto* field = Find<QLineEdit>(d, "Edit1");
        field->setText(QStringLiteral("ああああああああああいいいいいいいいいい"));
        QTest::keyClick(field, ++shown == 1 ? Qt::Key_Escape : Qt::Key_Return);
    });
    game.Start();
    EngineState& e = game.State();
    ASSERT_TRUE(game.RunUntil([&] { return e.Shell.MainMode == kModeRecollection; }, 5000));
    for (int press = 1; press <= 2; ++press) {
        for (InputKind kind : {InputKind::MouseMove, InputKind::MouseDown, InputKind::MouseUp}) {
            InputEvent event;
            event.kind = kind;
            event.x = 750, event.y = 95;  // the pen button
            game.Host().Queue().Push(event);
        }
        ASSERT_TRUE(game.RunUntil([&] { return shown == press && !e.Shell.EngineBusy; }, 5000));
        game.RunUntil([] { return false; }, 100);
        std::string name = sjis::ToUtf8(e.Recollection.SlotNames[0].View());
        EXPECT_EQ(name, press == 1 ? "Record Slot 1" : "ああああああああああいいいいいいいい");
    }
}

TEST(Presentation, TheFourByThreePictureFitsAndPointsMapBack) {
    struct Case {
        QSize Area;
        Scaling Mode;
        QRect Expected;
    };
    const Case cases[] = {
        {{1920, 1080}, Scaling::Smooth, {240, 0, 1440, 1080}},
        {{1920, 1080}, Scaling::Sharp, {560, 240, 800, 600}},
        {{3840, 2160}, Scaling::Sharp, {720, 180, 2400, 1800}},
        {{1920, 1080}, Scaling::Off, {560, 240, 800, 600}},
        {{640, 480}, Scaling::Sharp, {0, 0, 640, 480}},
        {{1200, 600}, Scaling::Smooth, {200, 0, 800, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitPicture(c.Area, c.Mode), c.Expected)
            << c.Area.width() << "x" << c.Area.height();
    QRect picture(240, 0, 1440, 1080);
    EXPECT_EQ(MapToPicture(picture, {240, 0}), QPoint(0, 0));
    EXPECT_EQ(MapToPicture(picture, {1679.9, 1079.9}), QPoint(799, 599));
    EXPECT_EQ(MapToPicture(picture, {960, 540}), QPoint(400, 300));
    EXPECT_EQ(MapToPicture(picture, {10, 540}), QPoint(0, 300));  // on the bar: the edge
    EXPECT_FALSE(SmoothFilter({0, 0, 1600, 1200}, 1.0, Scaling::Smooth));
    EXPECT_FALSE(SmoothFilter({0, 0, 800, 600}, 2.0, Scaling::Smooth));
    EXPECT_TRUE(SmoothFilter({240, 0, 1440, 1080}, 1.0, Scaling::Smooth));
    EXPECT_EQ(ScaledClientSize(150, 24), QSize(1200, 924));
}

}  // namespace
}  // namespace vespin
