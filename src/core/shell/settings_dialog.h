#pragma once
// The settings dialog ("システム設定") on the engine's side: what each control writes and applies
// the moment it changes, and what closing the dialog applies. The dialog itself belongs to the
// host (Host::ShowSettingsDialog); the headless host changes values through the same path.

#include <string_view>

namespace vespin {

struct EngineState;

// The 設定 toolbar button: ignored while the engine is busy; otherwise stops skipping and auto
// mode, plays "SSE07", shows the dialog modally with the interpreter held, then applies.
void OpenSettingsDialog(EngineState& e);

// Whether `name` (any case) is a value a control of the dialog changes.
bool IsDialogSetting(std::string_view name);

// One control's change followed by the dialog's closing, as if the player had opened the dialog,
// changed that control and pressed "ＯＫ" (without the button's sound). Unknown names and
// unreadable values change nothing. `value` is decimal text, or UTF-8 for FontName.
void ChangeSettingAsDialog(EngineState& e, std::string_view name, std::string_view value);

// The dialog's closing: with `settings_changed` (a font, size, drawing-mode or tint control was
// used) the window picture, the font and the scene are rebuilt; BGM, Wave, Delay, GMode and
// SMode are read again; the screen mode follows SMode.
void ApplySettingsAfterDialog(EngineState& e, bool settings_changed);

}  // namespace vespin
