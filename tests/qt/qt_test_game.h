#pragma once
// A small game played by the engine on the real Qt host, in real time: a temporary game folder
// with the given scripts and archives, the host's settings in it, and the engine on top.

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/shell/engine.h"
#include "qt/qt_host.h"

namespace vespin::test {

using Entries = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

struct QtGameOptions {
    std::map<std::string, std::string> Scripts;  // name -> UTF-8 text
    std::map<std::string, Entries> Archives;     // vg_se0.vsp -> entries (sized layout)
    std::map<std::string, std::string> Settings;
    QtHost::SoundOpener OpenSound;  // unset: OpenAL's own
};

class QtTestGame {
  public:
    explicit QtTestGame(QtGameOptions options);

    QtHost& Host() { return *m_host; }
    EngineState& State() { return m_engine->State(); }
    std::filesystem::path Folder() const { return m_dir.path().toStdString(); }
    // Builds the engine (window creation and initialisation); files the scripts refer to should
    // be in place by the time the steps reach them.
    void Start();

    // Runs loop turns until `done` holds or `max_ms` of real time pass; returns whether it held.
    template <typename Pred>
    bool RunUntil(Pred done, int max_ms) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() >= max_ms || State().Shell.WindowClosed) return done();
            m_engine->Step();
        }
        return true;
    }

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<QtHost> m_host;
    std::unique_ptr<Engine> m_engine;
};

// Writes `bytes` to `path`.
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace vespin::test
