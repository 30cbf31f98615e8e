#include "qt/toolbar_strip.h"

#include <QAction>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

namespace vespin {

namespace {

struct ButtonLayout {
    UiCommand command;
    const char* caption;  // UTF-8
    int x;
    int width;
    bool shown;
};

// Left to right as the strip shows them; セーブ編集 and オートナビ終了 exist but stay hidden
// unless the engine shows them.
constexpr ButtonLayout kButtons[] = {
    {UiCommand::SpeedButton1, "終了", 0, 49, true},
    {UiCommand::SpeedButton4, "ロード", 64, 49, true},
    {UiCommand::SpeedButton3, "セーブ", 128, 49, true},
    {UiCommand::SpeedButton5, "セーブ編集", 192, 73, false},
    {UiCommand::SpeedButton2, "設定", 280, 49, true},
    {UiCommand::SpeedButton7, "自動送り", 360, 57, true},
    {UiCommand::SpeedButton6, "オートナビ終了", 584, 89, false},
};
constexpr int kTrackBarX = 424;
constexpr int kTrackBarWidth = 89;
constexpr int kTrackBarInitial = 3;

int ButtonIndex(UiCommand command) {
    switch (command) {
        case UiCommand::SpeedButton1:
            return 0;
        case UiCommand::SpeedButton2:
            return 1;
        case UiCommand::SpeedButton3:
            return 2;
        case UiCommand::SpeedButton4:
            return 3;
        case UiCommand::SpeedButton5:
            return 4;
        case UiCommand::SpeedButton6:
            return 5;
        case UiCommand::SpeedButton7:
            return 6;
        default:
            return -1;
    }
}

struct MenuItem {
    UiCommand command;
    const char* name;
    const char* caption;  // UTF-8
};

constexpr MenuItem kMenuItems[] = {
    {UiCommand::MenuN6, "N6", "タイトルへ戻る"},
    {UiCommand::MenuN7, "N7", "ゲーム終了"},
    {UiCommand::MenuN1, "N1", "シーンスキップ"},
    {UiCommand::MenuN2, "N2", "回想モード終了"},
    {UiCommand::MenuReading, "SelfVoicing", "読み上げ"},
};
// The reading item without a synthesiser: disabled, and saying why.
constexpr char kSelfVoicingMissing[] = "読み上げ（音声合成が見つかりません）";

InputEvent CommandEvent(UiCommand command, int value = 0) {
    InputEvent event;
    event.kind = InputKind::Command;
    event.command = command;
    event.value = value;
    return event;
}

void SetCaptionColour(QToolButton* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    button->setPalette(palette);
}

}  // namespace

ToolbarStrip::ToolbarStrip(InputQueue& queue, QWidget* parent) : QFrame(parent), m_queue(queue) {
    setObjectName("Panel1");
    setGeometry(0, 0, kWidth, kHeight);
    setAutoFillBackground(true);
    for (const ButtonLayout& layout : kButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("SpeedButton%1").arg(static_cast<int>(layout.command) + 1));
        button->setText(QString::fromUtf8(layout.caption));
        button->setGeometry(layout.x, 0, layout.width, kHeight);
        // Keys belong to the game: a focused button would swallow Space and Enter.
        button->setFocusPolicy(Qt::NoFocus);
        button->setVisible(layout.shown);
        UiCommand command = layout.command;
        connect(button, &QToolButton::clicked, this,
                [this, command] { m_queue.Push(CommandEvent(command)); });
        m_buttons[ButtonIndex(command)] = button;
    }
    m_track = new QSlider(Qt::Horizontal, this);
    m_track->setObjectName("TrackBar1");
    m_track->setGeometry(kTrackBarX, 0, kTrackBarWidth, kHeight);
    m_track->setRange(1, 10);
    m_track->setPageStep(1);
    m_track->setValue(kTrackBarInitial);
    m_track->setTickPosition(QSlider::TicksBelow);
    m_track->setTickInterval(1);
    m_track->setFocusPolicy(Qt::NoFocus);
    m_track->hide();
    // Only the player's moves are commands; Apply sets the position with signals blocked.
    connect(m_track, &QSlider::valueChanged, this,
            [this](int value) { m_queue.Push(CommandEvent(UiCommand::TrackBar1, value)); });
}

QToolButton* ToolbarStrip::Button(UiCommand command) const {
    int index = ButtonIndex(command);
    return index < 0 ? nullptr : m_buttons[index];
}

void ToolbarStrip::Apply(const ToolbarState& state) {
    setEnabled(state.StripEnabled);
    Button(UiCommand::SpeedButton1)->setEnabled(state.ExitEnabled);
    Button(UiCommand::SpeedButton2)->setEnabled(state.SettingsEnabled);
    Button(UiCommand::SpeedButton3)->setEnabled(state.SaveEnabled);
    Button(UiCommand::SpeedButton4)->setEnabled(state.LoadEnabled);
    Button(UiCommand::SpeedButton5)->setEnabled(state.EditEnabled);
    Button(UiCommand::SpeedButton6)->setVisible(state.AutoNaviVisible);
    QToolButton* autoButton = Button(UiCommand::SpeedButton7);
    autoButton->setEnabled(state.AutoEnabled);
    SetCaptionColour(autoButton, state.AutoOn ? QColor(0, 0, 255) : QColor(0, 0, 0));
    {
        QSignalBlocker quiet(m_track);
        m_track->setValue(std::clamp(state.SliderPosition, 1, 10));
    }
    m_track->setVisible(state.SliderVisible);
}

PopupMenu::PopupMenu(InputQueue& queue, QWidget* parent) : QMenu(parent) {
    setObjectName("PopupMenu1");
    for (size_t i = 0; i < std::size(kMenuItems); ++i) {
        const MenuItem& item = kMenuItems[i];
        QAction* action = addAction(QString::fromUtf8(item.caption));
        action->setObjectName(item.name);
        UiCommand command = item.command;
        connect(action, &QAction::triggered, this,
                [&queue, command] { queue.Push(CommandEvent(command)); });
        m_items[i] = action;
    }
    Item(UiCommand::MenuN1)->setVisible(false);
    Item(UiCommand::MenuN2)->setVisible(false);
    Item(UiCommand::MenuReading)->setCheckable(true);
    Apply(ToolbarState{});
}

QAction* PopupMenu::Item(UiCommand command) const {
    for (size_t i = 0; i < std::size(kMenuItems); ++i) {
        if (kMenuItems[i].command == command) return m_items[i];
    }
    return nullptr;
}

void PopupMenu::Apply(const ToolbarState& state) {
    Item(UiCommand::MenuN1)->setVisible(state.MenuSceneSkipVisible);
    Item(UiCommand::MenuN2)->setVisible(state.MenuRecollectionEndVisible);
    QAction* reading = Item(UiCommand::MenuReading);
    reading->setEnabled(state.SelfVoicingAvailable);
    reading->setChecked(state.SelfVoicingOn);
    reading->setText(
        QString::fromUtf8(state.SelfVoicingAvailable ? "読み上げ" : kSelfVoicingMissing));
}

}  // namespace vespin
