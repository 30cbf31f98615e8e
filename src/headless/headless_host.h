#pragma once
// The headless host: the engine on a virtual clock with no display. Sleeping advances time at
// once, timer ticks fire at their virtual times, input comes from a script of timed events, and
// the drawing area, the typed text, the variables and the mixed sound can be dumped. Same inputs,
// same output.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/host/null_host.h"
#include "headless/event_script.h"
#include "headless/virtual_sound_device.h"

namespace vespin {

class HeadlessHost : public NullHost {
  public:
    HeadlessHost();

    void SetEvents(std::vector<ScriptedEvent> events);
    // Calls `take` with the drawing area at virtual time `ms` (once, when the clock passes it).
    void AddShot(uint32_t ms, std::function<void(const Surface&)> take);
    // Takes the shots whose time has come by now (the caller's last chance before exit).
    void TakeDueShots();

    void SleepMs(uint32_t ms) override;
    void PumpMessages(EngineEvents& engine) override;
    void Present(const Surface& source, const Rect& area) override;
    MessageResult ShowMessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                 MessageButtons buttons) override;
    // What a window system would repaint the drawing area after: a popup menu or a new layout.
    void ShowPopupMenu(int x, int y) override;
    void ShowPopupMenu2(int x, int y) override;
    void ApplyScreenLayout(ScreenLayout layout) override;
    bool EnterExclusiveDisplay(int bits_per_pixel) override;
    void LeaveExclusiveDisplay() override;
    void ReportError(std::string_view message) override;
    void ShakeWindow(int dx, int dy) override;
    // Answered by the next "names" event delivered so far (then the next, while the dialog
    // refuses), else "ＯＫ" on the texts as shown. The transcript records each press.
    void AskNames(NameRequest& request) override;
    // Counts the screenshots asked for (--shot takes the pictures); always "written".
    std::optional<bool> SaveScreenshot() override {
        m_screenshots += 1;
        return true;
    }
    int ScreenshotCount() const { return m_screenshots; }
    void Transcript(TranscriptMark mark, std::string_view sjis) override;
    bool SoundOutputPresent() override { return m_sound_output; }
    SoundDevice* OpenSoundDevice(bool keep_playing_in_background) override;
    void CloseSoundDevice() override { m_sound_open = false; }
    MoviePlayer* Movies() override { return &m_movies; }

    // Whether the machine has a sound output (default yes); set before the engine starts.
    void SetSoundOutputPresent(bool present) { m_sound_output = present; }
    // Speech goes to the transcript as "[speech] TEXT" lines; a test may take the synthesiser away.
    bool SpeechAvailable() override { return m_speech; }
    void Speak(std::string_view text) override;
    void SetSpeechAvailable(bool available) { m_speech = available; }
    // Whether the device opens (default yes): false plays the part of a card that fails to open.
    void SetSoundDeviceOpens(bool opens) { m_sound_opens = opens; }
    VirtualSoundDevice& Sound() { return m_sound; }
    bool SoundDeviceOpen() const { return m_sound_open; }
    bool KeepsPlayingInBackground() const { return m_keep_in_background; }
    VirtualMoviePlayer& MoviePanel() { return m_movies; }

    const Surface& DrawingArea() const { return m_area; }
    // Typed text as UTF-8, with marks at line ends, waits and new pages.
    const std::string& TranscriptText() const { return m_transcript; }
    // Message boxes shown so far, as "caption: text" lines.
    const std::vector<std::string>& MessageBoxes() const { return m_boxes; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    bool EventsPending() const { return m_next_event < m_events.size(); }
    // Every displacement of the window by a shake, with the virtual time it happened at.
    struct WindowShift {
        uint32_t TimeMs;
        int Dx, Dy;
    };
    const std::vector<WindowShift>& WindowShifts() const { return m_shifts; }
    // How many repaints the engine has been given (the first comes with the first pump, as the
    // window is first shown).
    int RepaintCount() const { return m_repaints; }

  private:
    struct Shot {
        uint32_t TimeMs;
        std::function<void(const Surface&)> Take;
        bool Taken = false;
    };

    Surface m_area;
    std::vector<ScriptedEvent> m_events;
    size_t m_next_event = 0;
    std::vector<MessageResult> m_answers;  // queued by "answer" events, used first to last
    std::vector<std::vector<std::string>> m_name_answers;  // queued by "names" events
    std::vector<Shot> m_shots;
    std::string m_transcript;
    std::vector<std::string> m_boxes;
    std::vector<std::string> m_errors;
    std::vector<WindowShift> m_shifts;
    VirtualSoundDevice m_sound;
    VirtualMoviePlayer m_movies;
    bool m_sound_output = true;
    bool m_speech = true;
    bool m_sound_opens = true;
    bool m_sound_open = false;
    bool m_keep_in_background = false;
    bool m_repaint_pending = true;  // the window is about to be shown for the first time
    int m_repaints = 0;
    int m_screenshots = 0;
};

}  // namespace vespin
