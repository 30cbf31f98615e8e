#include "qt/qt_movie_player.h"

#include <QAudioOutput>
#include <QFile>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <system_error>
#include <utility>

namespace vespin {

namespace {

bool Loading(QMediaPlayer::MediaStatus status) {
    return status == QMediaPlayer::NoMedia || status == QMediaPlayer::LoadingMedia;
}

bool Playable(QMediaPlayer::MediaStatus status) {
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
           status == QMediaPlayer::BufferedMedia;
}

}  // namespace

QtMoviePlayer::QtMoviePlayer(MoviePanel& panel, std::function<void()> hidden)
    : m_panel(panel), m_hidden(std::move(hidden)) {}

QtMoviePlayer::~QtMoviePlayer() {
    if (m_player) m_player->stop();
}

void QtMoviePlayer::CreatePlayer() {
    if (m_player) return;
    m_sink = std::make_unique<QVideoSink>();
    m_audio = std::make_unique<QAudioOutput>();
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setVideoSink(m_sink.get());
    m_player->setAudioOutput(m_audio.get());
    m_prepare_timeout = std::make_unique<QTimer>();
    m_prepare_timeout->setSingleShot(true);
    m_prepare_timeout->setInterval(kOpenTimeoutMs);
    QObject::connect(m_prepare_timeout.get(), &QTimer::timeout, [this] { SettlePreparation(); });
    // Frames may be produced on the backend's own thread; with the panel as the receiver they
    // are handed over on the window's thread.
    QObject::connect(m_sink.get(), &QVideoSink::videoFrameChanged, &m_panel,
                     [this](const QVideoFrame& frame) {
                         if (m_playing) m_panel.ShowFrame(frame);
                     });
    QObject::connect(m_player.get(), &QMediaPlayer::mediaStatusChanged,
                     [this](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia) m_playing = false;
                         if (status == QMediaPlayer::InvalidMedia) {
                             m_failed = true;
                             m_playing = false;
                         }
                         if (m_preparing && !Loading(status)) SettlePreparation();
                     });
    QObject::connect(m_player.get(), &QMediaPlayer::playbackStateChanged,
                     [this](QMediaPlayer::PlaybackState state) {
                         if (state == QMediaPlayer::StoppedState) m_playing = false;
                     });
    // After some errors the backend goes on saying it plays: the flag is what counts.
    QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred,
                     [this](QMediaPlayer::Error error, const QString& text) {
                         if (error == QMediaPlayer::NoError) return;
                         m_failed = true;
                         m_playing = false;
                         m_last_error = text;
                         if (m_preparing) SettlePreparation();
                     });
}

void QtMoviePlayer::SettlePreparation() {
    if (!m_preparing) return;
    m_preparing = false;
    m_prepare_timeout->stop();
    if (!m_failed && Playable(m_player->mediaStatus())) {
        m_open = true;
        return;
    }
    if (m_last_error.isEmpty()) m_last_error = QStringLiteral("the movie did not load");
    // Dropping the source from inside the backend's own signal is left to the next turn.
    QMetaObject::invokeMethod(
        m_player.get(),
        [this] {
            if (!m_open && !m_preparing) m_player->setSource(QUrl());
        },
        Qt::QueuedConnection);
}

bool QtMoviePlayer::Open(const std::filesystem::path& path) {
    Close();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    CreatePlayer();
    m_failed = false;
    m_last_error.clear();
    m_preparing = true;
    m_prepare_timeout->start();
    m_player->setSource(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
    // Some backends decide at once; the others report through the signals above.
    if (m_failed || !Loading(m_player->mediaStatus())) SettlePreparation();
    return m_preparing || m_open;
}

void QtMoviePlayer::ShowAndPlay() {
    if (!m_open) return;
    m_panel.ClearFrame();
    m_panel.CoverArea();
    m_panel.show();
    m_playing = true;
    m_player->setPosition(0);
    m_player->play();
}

bool QtMoviePlayer::IsPlaying() {
    return m_open && m_playing && !m_failed;
}

void QtMoviePlayer::HidePanel() {
    bool was_visible = !m_panel.isHidden();
    m_panel.hide();
    if (was_visible && m_hidden) m_hidden();
}

void QtMoviePlayer::Stop() {
    m_playing = false;
    if (m_player) m_player->stop();
}

void QtMoviePlayer::Close() {
    m_playing = false;
    bool preparing = std::exchange(m_preparing, false);
    if (m_prepare_timeout) m_prepare_timeout->stop();
    if (!m_open && !preparing) return;
    m_open = false;
    m_player->stop();
    m_player->setSource(QUrl());
}

}  // namespace vespin
