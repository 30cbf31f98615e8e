#pragma once
// The Host is the engine's only way to the outside world: clock, input, the window's drawing area,
// toolbar and menu, message boxes, the settings store, the single-instance lock, the sound device
// and the movie player. The core calls
// it from its one thread; a Host never calls into the engine except from PumpMessages.
//
// Text crossing this interface is UTF-8 (the engine converts its Shift-JIS at the call).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/graphics/surface.h"
#include "core/host/events.h"
#include "core/host/sound_device.h"

namespace vespin {

// What the engine receives while a host pumps messages.
class EngineEvents {
  public:
    virtual ~EngineEvents() = default;
    virtual void OnInput(const InputEvent& event) = 0;
    // One 55 ms timer tick. Ticks that fall due while the engine is busy coalesce into one, as
    // a window-system timer does.
    virtual void OnTimerTick() = 0;
    // The drawing area must be painted again: the window was first shown, exposed or restored
    // by the window system, uncovered by a message box, the popup menu or the movie panel, or
    // laid out anew. The engine presents its frame again and reapplies the sound volumes. A
    // host delivers it from PumpMessages, after the input and before the timer tick, at most once
    // a pump however many causes came together.
    virtual void OnRepaint() {}
    // A settings value changed as the settings dialog changes it, outside a dialog (the headless
    // host's event script): written and applied as the dialog's control would, then applied as
    // the dialog's closing applies it. `name` is a control's value name (see SettingsDialog).
    virtual void OnSettingChange(std::string_view /*name*/, std::string_view /*value*/) {}
};

// The engine behind the settings dialog while it is shown (Host::ShowSettingsDialog). Names are
// the store's value names, compared without regard to case; "Volume" is the overall-volume
// slider, which is not stored. Text crosses as UTF-8.
class SettingsDialog {
  public:
    virtual ~SettingsDialog() = default;
    // What a control shows on opening: the stored value, the engine's current value when none.
    virtual int IntValue(std::string_view name) = 0;
    virtual std::string TextValue(std::string_view name) = 0;
    // Installed font families that have a Japanese (non-ASCII) name, by that name.
    virtual std::vector<std::string> FontFamilies() = 0;
    // A control changed: the value is written at once and applied as the control says.
    virtual void Change(std::string_view name, std::string_view value) = 0;
    // The "ボイス" button: plays the voice sample.
    virtual void PlayVoiceSample() = 0;
};

// A modal dialog that asks for one or more names (Host::AskNames).
struct NameRequest {
    struct Field {
        std::string Label;  // UTF-8, shown above the field
        std::string Text;   // UTF-8; the field's text, updated as the dialog goes
    };
    std::string Title;               // UTF-8 caption
    std::vector<std::string> Lines;  // UTF-8 explanation lines above the fields
    std::vector<Field> Fields;       // one or two
    // A "キャンセル" button (and Escape) closes the dialog without handing the fields over;
    // without it a name must be given.
    bool Cancellable = false;
    // "ＯＫ" was pressed with the fields' texts in Fields. The engine takes what it accepts and
    // may put texts back into Fields; true closes the dialog, false keeps it open with Fields.
    std::function<bool(std::vector<Field>& fields)> Accept;
};

enum class ScreenLayout : uint8_t { Windowed, FullScreen };

enum class MessageIcon : uint8_t { Error, Warning, Question, Information };
enum class MessageButtons : uint8_t { Ok, OkCancel };
enum class MessageResult : uint8_t { Ok, Cancel };

// The state of the toolbar strip and of the popup menu, pushed by the engine whenever it
// changes. The front end only mirrors it.
struct ToolbarState {
    bool StripEnabled = true;
    bool ExitEnabled = true;                  // 終了
    bool LoadEnabled = false;                 // ロード
    bool SaveEnabled = false;                 // セーブ
    bool EditEnabled = false;                 // セーブ編集 (hidden)
    bool SettingsEnabled = true;              // 設定
    bool AutoEnabled = true;                  // 自動送り
    bool AutoOn = false;                      // caption blue while auto-advance is on
    bool SliderVisible = false;               // the speed slider, shown while auto-advance is on
    int SliderPosition = 3;                   // 1..10
    bool AutoNaviVisible = false;             // オートナビ終了
    bool MenuSceneSkipVisible = false;        // シーンスキップ
    bool MenuRecollectionEndVisible = false;  // 回想モード終了
    bool SelfVoicingAvailable = false;  // 読み上げ: enabled only with a speech synthesiser
    bool SelfVoicingOn = false;         // 読み上げ: checked while the text is read aloud
};

// Marks written to a transcript beside the typed characters.
enum class TranscriptMark : uint8_t {
    Char,         // text holds one typed character (Shift-JIS)
    LineEnd,      // end of a script text line
    Wait,         // a wait began; text holds its kind as a digit
    NewPage,      // the page was cleared
    SpeakerName,  // a speaker name begins
    Ruby,         // ruby text (Shift-JIS)
};

// A per-user key/value store standing in for the original registry key Software\Kestrowen,
// section PALUDERNA. Names compare without regard to ASCII case. Values are UTF-8 text; integers
// are stored as decimal text.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Read(std::string_view name) = 0;
    virtual void Write(std::string_view name, std::string_view value) = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // --- Clock. Milliseconds of a monotonic clock that wraps at 2^32, like the system tick
    // count; resolution 1 ms. The headless host's clock is virtual and moves only when slept.
    virtual uint32_t NowMs() = 0;
    // Returns no earlier than `ms` milliseconds later. Input is not delivered while sleeping.
    virtual void SleepMs(uint32_t ms) = 0;
    // Seconds since the epoch, for seeding the random generator.
    virtual int64_t WallClockSeconds() = 0;

    // --- Messages. Delivers pending input events and a due timer tick to `engine`, then returns.
    // The engine calls this between idle passes and from inside its blocking effects, so the
    // handlers may run while the engine is in the middle of an operation.
    virtual void PumpMessages(EngineEvents& engine) = 0;

    // --- Drawing area (800 x 600). Copies `area` of `source` to the same place of the drawing
    // area and makes it visible. The host keeps its own copy: `source` may change afterwards.
    virtual void Present(const Surface& source, const Rect& area) = 0;

    // --- Main window.
    virtual void SetWindowTitle(std::string_view caption, std::string_view application_title) = 0;
    virtual void SetWindowSize(int outer_width, int outer_height) = 0;
    virtual void MoveWindow(int x, int y) = 0;
    virtual void WindowPosition(int& x, int& y) = 0;
    virtual void ScreenSize(int& width, int& height) = 0;
    // Displaces the main window by (dx, dy) from where it rests, for the shake effects; (0, 0)
    // puts it back exactly where it was. In the windowed layout the window moves on the desktop;
    // in the full-screen layout, where the window cannot move, the picture moves inside the
    // screen instead and the strip it uncovers is black. The resting place is not changed.
    virtual void ShakeWindow(int /*dx*/, int /*dy*/) {}
    // The engine has decided to close: the host destroys the window after the loop ends.
    virtual void CloseWindow() = 0;

    // --- Toolbar strip and popup menu.
    virtual void UpdateToolbar(const ToolbarState& state) = 0;
    // Shows or hides the toolbar strip. In the full-screen layout the engine shows it only while
    // the pointer is near the top-left corner; in a window it stays shown.
    virtual void SetToolbarStripVisible(bool /*visible*/) {}

    // --- Screen mode. The windowed layout: caption and border, toolbar strip shown, drawing area
    // at y = 24, the window at its saved place. The full-screen layout: no border, the window at
    // the desktop's top-left corner, the toolbar strip hidden, the drawing area at y = 0.
    virtual void ApplyScreenLayout(ScreenLayout /*layout*/) {}
    // Takes the whole display for the 800 x 600 picture at the given colour depth (24, 32 or 16
    // bits a pixel); false when this depth (or an exclusive display at all) is not available.
    virtual bool EnterExclusiveDisplay(int /*bits_per_pixel*/) { return false; }
    // Gives the display back to the desktop as it was.
    virtual void LeaveExclusiveDisplay() {}
    // Pops the popup menu up at the given position of the main window's client area (the
    // toolbar strip's top-left corner is 0, 0) and returns once it is closed; a choice comes
    // back as a Command event.
    virtual void ShowPopupMenu(int x, int y) = 0;
    // The recollection screen's cell menu (登録, 確認) at (x, y) of the drawing area, tracked
    // the same way; a choice comes back as Popup2Register or Popup2Confirm.
    virtual void ShowPopupMenu2(int /*x*/, int /*y*/) {}

    // --- Message boxes (modal; the headless host answers from its event script).
    virtual MessageResult ShowMessageBox(std::string_view text, std::string_view caption,
                                         MessageIcon icon, MessageButtons buttons) = 0;
    // The settings dialog ("システム設定"), modal; every change goes to `engine` as it happens.
    // A host without a dialog returns at once.
    virtual void ShowSettingsDialog(SettingsDialog& /*engine*/) {}
    // The name dialog, modal, until `request.Accept` closes it. The default presses "ＯＫ" once
    // on the texts given.
    virtual void AskNames(NameRequest& request) {
        if (request.Accept) request.Accept(request.Fields);
    }
    // Saves the drawing area as it stands now as a picture file of the user's (the screenshot
    // key). True when written, false when it could not be; nothing when the host keeps none.
    virtual std::optional<bool> SaveScreenshot() { return std::nullopt; }
    // An error that escaped an engine operation (the toolkit's standard exception display).
    // The engine goes on afterwards.
    virtual void ReportError(std::string_view message) = 0;

    // --- Settings store and single instance.
    virtual SettingsStore& Settings() = 0;
    // The store of another product of the same maker (the original registry key
    // Software\Corvalin, section tavo), where the `gameclr` command counts cleared games. Kept
    // apart from the engine's own settings; same conventions.
    virtual SettingsStore& SiblingProductSettings() = 0;
    // Takes the lock named `name` for the life of the process; false when another copy holds it.
    virtual bool TryLockSingleInstance(std::string_view name) = 0;

    // --- Sound and movies. A host without them keeps these defaults: no sound output, no movie
    // player, and the game runs silently.
    //
    // Whether the machine has a sound output at all (checked once at start-up; voices and the
    // wait for a voice's end depend on it).
    virtual bool SoundOutputPresent() { return false; }
    // Opens the sound device, once, on the engine's first idle pass. With
    // `keep_playing_in_background` false the device goes silent while the main window is not the
    // active window, and sounds again when it is. Returns null when no device can be opened; the
    // engine then plays nothing. The host owns the device: it stays valid until
    // CloseSoundDevice or the host's destruction.
    virtual SoundDevice* OpenSoundDevice(bool /*keep_playing_in_background*/) { return nullptr; }
    // Stops every slot and frees the device opened above; a device pointer is invalid afterwards.
    virtual void CloseSoundDevice() {}
    // The movie player, owned by the host for its whole life; null when movies cannot play.
    virtual MoviePlayer* Movies() { return nullptr; }

    // --- Speech, for self-voicing. Whether a speech synthesiser can be used at all (asked once at
    // start-up); a host without one keeps these defaults and the engine never offers reading.
    virtual bool SpeechAvailable() { return false; }
    // Reads `text` (UTF-8) aloud in the best voice for Japanese, cutting off whatever is still
    // being read; empty text only silences it. Returns at once: the reading goes on meanwhile.
    virtual void Speak(std::string_view /*text*/) {}

    // --- Observers. Every typed character and text mark, for transcripts; a front end that
    // shows the game needs none of it.
    virtual void Transcript(TranscriptMark /*mark*/, std::string_view /*sjis*/) {}
};

}  // namespace vespin
