#pragma once
// Input as the engine sees it: what a front end (Qt widgets, the headless event script) turns its
// own events into before handing them to the engine during a message pump.

#include <cstdint>

namespace vespin {

enum class MouseButton : uint8_t { Left, Right, Middle };

// Virtual-key codes of the keys the engine reacts to in key down and key up events.
namespace vk {
inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kV = 86;  // self-voicing on and off
inline constexpr int kF2 = 113;
}  // namespace vk

// The toolbar controls and popup-menu items, by their form names.
enum class UiCommand : uint8_t {
    SpeedButton1,    // 終了: pops the menu up
    SpeedButton2,    // 設定
    SpeedButton3,    // セーブ
    SpeedButton4,    // ロード
    SpeedButton5,    // セーブ編集 (hidden)
    SpeedButton6,    // オートナビ終了 (hidden)
    SpeedButton7,    // 自動送り
    TrackBar1,       // speed slider; the event's value is the new position 1..10
    MenuN6,          // タイトルへ戻る
    MenuN7,          // ゲーム終了
    MenuN1,          // シーンスキップ
    MenuN2,          // 回想モード終了
    MenuReading,     // 読み上げ (self-voicing)
    Screenshot,      // the F12 key and the menu's スクリーンショット
    Popup2Register,  // 登録 of the recollection cell menu
    Popup2Confirm,   // 確認 of the recollection cell menu
};

enum class InputKind : uint8_t {
    MouseMove,     // x, y in drawing-area pixels
    MouseDown,     // button, x, y
    MouseUp,       // button, x, y
    Wheel,         // delta: positive = away from the player, in notches
    KeyDown,       // key: a virtual-key code
    KeyUp,         // key
    Char,          // key: the character code (8 Backspace, 13 Enter, 27 Esc, 32 Space, ...)
    Command,       // command (and value for TrackBar1)
    CloseRequest,  // the window's close box, or the desktop asking the program to end
    SaveSlot,      // value: a slot to save, as the save screen does (the headless host's scripts)
    LoadSlot,      // value: a slot to load, as the load screen does
};

struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    MouseButton button = MouseButton::Left;
    int x = 0;
    int y = 0;
    int delta = 0;
    int key = 0;
    UiCommand command = UiCommand::SpeedButton1;
    int value = 0;
};

}  // namespace vespin
