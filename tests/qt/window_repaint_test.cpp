// The game window on the real Qt host: the close question speaks Japanese, and what uncovers or
// exposes the window has the engine paint its frame again.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "core/shell/engine_state.h"
#include "qt_test_game.h"

namespace vespin {
namespace {

using test::QtGameOptions;
using test::QtTestGame;

// A game waiting on its first page.
struct WaitingGame {
    explicit WaitingGame()
        : game([] {
              QtGameOptions o;
              o.Scripts["main"] = "Text.\n\\\n";
              o.Settings["Delay"] = "1";
              return o;
          }()) {
        game.Start();
        EXPECT_TRUE(game.RunUntil([&] { return game.State().Shell.WaitKind != 0; }, 5000));
    }
    QtTestGame game;
};

// Answers the next message box with the button whose caption is `caption`, noting every
// caption it had and its text.
void AnswerNextBox(const QString& caption, QStringList& captions, QString& text) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [=, &captions, &text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        text = box->text();
        for (QAbstractButton* b : box->buttons())
            captions << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption) b->click();
    });
    poll->start();
    QTimer::singleShot(5000, [] {  // never hang the suite
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
}

TEST(QtCloseQuestion, AsksInJapaneseAndNoKeepsTheGameRunning) {
    WaitingGame w;
    QtTestGame& game = w.game;
    bool own_captions = !game.Host().QtSpeaksJapanese();
    QString yes = own_captions ? QString::fromUtf8("はい") : QStringLiteral("OK");
    QString no = own_captions ? QString::fromUtf8("いいえ")
                              : QCoreApplication::translate("QPlatformTheme", "Cancel");

    QStringList captions;
    QString text;
    AnswerNextBox(no, captions, text);
    game.Host().Window().close();  // the close box: the engine asks
    game.RunUntil([&] { return !captions.isEmpty(); }, 3000);
    EXPECT_EQ(text, QString::fromUtf8("ゲームを終了しますか？"));
    EXPECT_TRUE(captions.contains(yes)) << captions.join(",").toStdString();
    EXPECT_TRUE(captions.contains(no)) << captions.join(",").toStdString();
    EXPECT_FALSE(captions.contains(QStringLiteral("Cancel")));
    game.RunUntil([] { return false; }, 200);
    EXPECT_FALSE(game.State().Shell.WindowClosed);
    EXPECT_TRUE(game.State().Shell.InterpreterEnabled);

    captions.clear();
    AnswerNextBox(yes, captions, text);
    game.Host().Window().close();
    EXPECT_TRUE(game.RunUntil([&] { return game.State().Shell.WindowClosed; }, 3000));
}

// A pixel of the DisplaySurface changed without being presented: only a repaint shows it.
void HideMarker(EngineState& e) {
    uint8_t* p = e.DisplaySurface.Row(50) + 50 * 3;
    p[0] = 1, p[1] = 2, p[2] = 3;  // blue, green, red
}
bool MarkerShown(QtTestGame& game) {
    return game.Host().Window().Area().Image().pixel(50, 50) == qRgb(3, 2, 1);
}

struct QtTrigger {
    const char* name;
    std::function<void(QtTestGame&)> act;
};

TEST(QtRepaint, TheFrameComesBackAfterWhatCoveredOrExposedTheWindow) {
    const std::vector<QtTrigger> cases = {
        {"a message box",
         [](QtTestGame& g) {
             QStringList captions;
             QString text;
             AnswerNextBox(
                 g.Host().QtSpeaksJapanese() ? QStringLiteral("OK") : QString::fromUtf8("はい"),
                 captions, text);
             g.Host().ShowMessageBox("?", "?", MessageIcon::Question, MessageButtons::OkCancel);
         }},
        {"the window shown again",
         [](QtTestGame& g) {
             g.Host().Window().hide();
             g.Host().Window().show();
         }},
        {"a new layout", [](QtTestGame& g) { g.Host().ApplyScreenLayout(ScreenLayout::Windowed); }},
    };
    for (const QtTrigger& c : cases) {
        SCOPED_TRACE(c.name);
        WaitingGame w;
        QtTestGame& game = w.game;
        HideMarker(game.State());
        game.RunUntil([] { return false; }, 100);
        EXPECT_FALSE(MarkerShown(game));  // nothing repaints a window left alone
        c.act(game);
        EXPECT_TRUE(game.RunUntil([&] { return MarkerShown(game); }, 2000));
    }
}

}  // namespace
}  // namespace vespin
