#pragma once
// The movie player of the game program, on Qt Multimedia: a QMediaPlayer whose pictures go to
// the movie panel over the drawing area and whose sound goes to the desktop's default output.
//
// Qt's player works asynchronously and reports through signals; the engine asks questions at
// its own pace (IsPlaying on every 11th timer tick). So Open waits, processing Qt's events, until
// the file is known to be playable or not, and the signals keep flags that IsPlaying reads.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/host/sound_device.h"
#include "qt/movie_panel.h"

class QAudioOutput;
class QMediaPlayer;
class QVideoSink;

namespace vespin {

class QtMoviePlayer : public MoviePlayer {
  public:
    // How long Open waits for the media backend to accept or refuse a file.
    static constexpr int kOpenTimeoutMs = 5000;

    // `panel` (owned by the main window) outlives the player. Qt's player is made at the first
    // Open, so a game without movies never starts the media backend.
    // `hidden` is told whenever the panel is hidden (it uncovers the drawing area).
    explicit QtMoviePlayer(MoviePanel& panel, std::function<void()> hidden = {});
    ~QtMoviePlayer() override;
    QtMoviePlayer(const QtMoviePlayer&) = delete;
    QtMoviePlayer& operator=(const QtMoviePlayer&) = delete;

    bool Open(const std::filesystem::path& path) override;
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
    // Processes Qt's events until the player has decided about the source, or the time is up.
    void WaitWhileLoading();

    MoviePanel& m_panel;
    std::function<void()> m_hidden;
    // Declared before the player, so that they outlive it.
    std::unique_ptr<QVideoSink> m_sink;
    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_open = false;
    bool m_playing = false;  // from ShowAndPlay until the end, a stop or an error
    bool m_failed = false;   // the backend reported an error for the open file
    QString m_last_error;
};

}  // namespace vespin
