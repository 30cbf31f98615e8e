#pragma once
// The movie player of the game program, on Qt Multimedia: a QMediaPlayer whose pictures go to
// the movie panel over the drawing area and whose sound goes to the desktop's default output.
//
// Qt's player works asynchronously and reports through signals; the engine asks questions at
// its own pace (Preparing on every timer tick, IsPlaying on every 11th). So Open only starts
// loading the file and returns; the signals keep flags that those questions read, while the
// engine's loop and the window go on.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/host/sound_device.h"
#include "qt/movie_panel.h"

class QAudioOutput;
class QMediaPlayer;
class QTimer;
class QVideoSink;

namespace vespin {

class QtMoviePlayer : public MoviePlayer {
  public:
    // How long the media backend may take to accept or refuse a file before it counts as
    // refused.
    static constexpr int kOpenTimeoutMs = 5000;

    // `panel` (owned by the main window) outlives the player. Qt's player is made at the first
    // Open, so a game without movies never starts the media backend.
    // `hidden` is told whenever the panel is hidden (it uncovers the drawing area).
    explicit QtMoviePlayer(MoviePanel& panel, std::function<void()> hidden = {});
    ~QtMoviePlayer() override;
    QtMoviePlayer(const QtMoviePlayer&) = delete;
    QtMoviePlayer& operator=(const QtMoviePlayer&) = delete;

    bool Open(const std::filesystem::path& path) override;
    bool Preparing() override { return m_preparing; }
    bool IsOpen() override { return m_open; }
    void ShowAndPlay() override;
    bool IsPlaying() override;
    bool PanelVisible() override { return !m_panel.isHidden(); }
    void HidePanel() override;
    void Stop() override;
    void Close() override;

    // The backend's words for the last failure (empty when none), for a developer's eyes.
    const QString& LastError() const { return m_last_error; }

  private:
    void CreatePlayer();
    // The backend has decided about the source being prepared, or the time is up: the movie is
    // open, or nothing is.
    void SettlePreparation();

    MoviePanel& m_panel;
    std::function<void()> m_hidden;
    // Declared before the player, so that they outlive it.
    std::unique_ptr<QVideoSink> m_sink;
    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QTimer> m_prepare_timeout;
    bool m_preparing = false;
    bool m_open = false;
    bool m_playing = false;  // from ShowAndPlay until the end, a stop or an error
    bool m_failed = false;   // the backend reported an error for the open file
    QString m_last_error;
};

}  // namespace vespin
