#pragma once
// The Host of the game program: real time, a Qt main window, QSettings and a lock file, sound
// through OpenAL Soft and movies through Qt Multimedia. The engine owns the loop and calls
// PumpMessages between its passes; Qt's own exec() never runs.

#include <QLockFile>
#include <QString>
#include <QTranslator>
#include <functional>
#include <memory>

#include "core/host/host.h"
#include "openal/openal_sound_device.h"
#include "qt/ini_settings_store.h"
#include "qt/input_queue.h"
#include "qt/main_window.h"
#include "qt/qt_movie_player.h"
#include "qt/speech.h"
#include "qt/tick_schedule.h"

namespace vespin {

class QtHost : public Host {
  public:
    // Needs a QApplication. The main window is built at once but shown at the first pump, so
    // start-up message boxes come before it, and a second copy never shows a window.
    QtHost();
    // The same on a settings file of the caller's choice (tests).
    explicit QtHost(const QString& settings_file);
    ~QtHost() override;

    uint32_t NowMs() override;
    void SleepMs(uint32_t ms) override;
    int64_t WallClockSeconds() override;

    // Lets Qt process its pending events, delivers the input the widgets queued meanwhile, in
    // order, then at most one timer tick if one is due.
    void PumpMessages(EngineEvents& engine) override;

    void Present(const Surface& source, const Rect& area) override;

    void SetWindowTitle(std::string_view caption, std::string_view application_title) override;
    void SetWindowSize(int outer_width, int outer_height) override;
    void MoveWindow(int x, int y) override;
    void WindowPosition(int& x, int& y) override;
    void ShakeWindow(int dx, int dy) override;
    void ScreenSize(int& width, int& height) override;
    void CloseWindow() override;

    void UpdateToolbar(const ToolbarState& state) override;
    void ShowPopupMenu(int x, int y) override;
    void ShowPopupMenu2(int x, int y) override;
    void SetToolbarStripVisible(bool visible) override;
    void ApplyScreenLayout(ScreenLayout layout) override;
    bool EnterExclusiveDisplay(int bits_per_pixel) override;
    void LeaveExclusiveDisplay() override;

    MessageResult ShowMessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                 MessageButtons buttons) override;
    void ShowSettingsDialog(SettingsDialog& engine) override;
    void AskNames(NameRequest& request) override;
    // The drawing area's 800 x 600 picture as a PNG in the user's Pictures folder.
    std::optional<bool> SaveScreenshot() override;
    // Where the last screenshot went (empty before the first).
    const QString& LastScreenshotPath() const { return m_last_screenshot; }
    // Runs `act` on each modal dialog the host shows, once it is up (tests drive them this way).
    void SetDialogWatcher(std::function<void(QWidget&)> act) { m_dialog_watcher = std::move(act); }
    void ReportError(std::string_view message) override;

    SettingsStore& Settings() override { return m_settings; }
    // Corvalin/tavo.ini beside the engine's own file (with a settings file of the caller's
    // choice: Corvalin-tavo.ini in its folder).
    SettingsStore& SiblingProductSettings() override { return m_sibling_settings; }
    bool TryLockSingleInstance(std::string_view name) override;

    bool SoundOutputPresent() override;
    // Opens OpenAL Soft's default output once; later calls return the same device. Null when it
    // cannot be opened (no sound card, no sound server): the game then runs silently. Without
    // `keep_playing_in_background` the device is silent while the game is not the active
    // application; the game's own dialogs and message boxes count as the game.
    SoundDevice* OpenSoundDevice(bool keep_playing_in_background) override;
    void CloseSoundDevice() override;
    MoviePlayer* Movies() override { return &m_movies; }
    bool SpeechAvailable() override { return m_speech.Available(); }
    void Speak(std::string_view text) override;

    // How the sound device is opened (OpenAlSoundDevice::Open unless a test says otherwise).
    using SoundOpener = std::function<std::unique_ptr<OpenAlSoundDevice>(bool)>;
    void SetSoundOpener(SoundOpener opener) { m_open_sound = std::move(opener); }
    // The device while it is open, else null.
    OpenAlSoundDevice* Sound() { return m_sound.get(); }

    MainWindow& Window() { return *m_window; }
    InputQueue& Queue() { return m_queue; }
    // Whether Qt's own Japanese translations are installed (else the game's dialogs get their
    // Japanese button captions from the host).
    bool QtSpeaksJapanese() const { return m_translator != nullptr; }

  private:
    // Runs a modal loop (a message box, the popup menu). The 55 ms timer goes on ticking inside
    // it, as a window-system timer does under a modal loop, while input to the main window is
    // held back by the modality itself.
    template <typename Fn>
    auto RunModal(Fn&& run);
    void DeliverDueTick();
    void ShowWindowOnce();
    void LoadTranslations();
    // The drawing area is to be painted again (see EngineEvents::OnRepaint); `WatchExposure`
    // asks the window system's own exposes for the same, on the window as it is now.
    void RequestRepaint() { m_repaint_pending = true; }
    void WatchExposure();
    void FollowApplicationState();
    // The window scale and full-screen scaling from the store, and their menu items.
    void SetUpPresentation();
    void ChooseWindowScale(int percent);
    template <typename Dialog>
    int RunDialog(Dialog& dialog);

    std::unique_ptr<QTranslator> m_translator;  // Qt's own Japanese, when installed
    InputQueue m_queue;
    std::unique_ptr<MainWindow> m_window;
    IniSettingsStore m_settings;
    IniSettingsStore m_sibling_settings;
    std::unique_ptr<QLockFile> m_lock;
    TickSchedule m_ticks;
    EngineEvents* m_engine = nullptr;  // set while PumpMessages runs
    SoundOpener m_open_sound;
    std::unique_ptr<OpenAlSoundDevice> m_sound;
    QtMoviePlayer m_movies;  // after the window: it plays on the window's panel
    Speech m_speech;
    QString m_application_title;
    bool m_window_shown = false;
    bool m_closed = false;  // the engine closed the window: no more input or ticks
    bool m_repaint_pending = false;
    std::unique_ptr<QObject> m_expose_watch;
    QString m_last_screenshot;
    std::function<void(QWidget&)> m_dialog_watcher;
};

// The lock file that stands for the named single-instance lock: in the temporary folder, named
// after `name` and the user, so that each user's session has its own copy of the game.
QString SingleInstanceLockPath(std::string_view name);

}  // namespace vespin
