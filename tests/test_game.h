#pragma once
// A game folder built on the fly from UTF-8 scripts, played by the engine on the headless host.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/shell/engine.h"
#include "headless/headless_host.h"

namespace vespin::test {

// A temporary folder removed with the object.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

// Writes an archive of the given layout into `folder`; scripts are UTF-8 text, encoded here.
void WriteScriptArchive(const std::filesystem::path& file,
                        const std::map<std::string, std::string>& scripts_utf8);
void WriteRawArchive(const std::filesystem::path& file, bool script_layout,
                     const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries);

// Entries of one archive: name and bytes.
using ArchiveEntries = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

struct GameOptions {
    std::map<std::string, std::string> Settings;  // preset settings values
    std::map<std::string, Surface> Pictures;      // packed into vg_gra.vsp
    std::string Events;                           // an event script
    bool WithDataArchive = true;
    // Further archives of the sized layout by file name (vg_se0.vsp, ...).
    std::map<std::string, ArchiveEntries> Archives;
    // Runs on the host before the engine is created.
    std::function<void(HeadlessHost&)> ConfigureHost;
};

// One pixel of a surface, for exact probes in tests.
struct Pixel {
    int b, g, r;
    bool operator==(const Pixel&) const = default;
};
inline std::ostream& operator<<(std::ostream& o, const Pixel& p) {
    return o << "(" << p.b << "," << p.g << "," << p.r << ")";
}
inline Pixel At(const Surface& s, int x, int y) {
    const uint8_t* p = s.Row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

// Options for a game that types whole lines at once (the typing effect off), so a test sees a
// line's text after one interpreter pass.
inline GameOptions WholeLines() {
    GameOptions o;
    o.Settings["Delay"] = "1";
    return o;
}

// Scripts by name, as UTF-8 text.
using ScriptList = std::initializer_list<std::pair<const std::string, std::string>>;

class TestGame {
  public:
    explicit TestGame(ScriptList scripts, GameOptions options = {});

    EngineState& State() { return m_engine->State(); }
    HeadlessHost& Host() { return m_host; }
    Engine& GetEngine() { return *m_engine; }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

    // Runs whole loop turns (pump, idle pass) until the virtual clock has moved `ms` further.
    void RunFor(uint32_t ms);
    // Runs `n` loop turns.
    void Steps(int n);
    // Runs until `done` holds or `max_ms` of virtual time pass; returns whether it held.
    template <typename Pred>
    bool RunUntil(Pred done, uint32_t max_ms = 60000) {
        uint32_t end = m_host.NowMs() + max_ms;
        while (!done()) {
            if (static_cast<int32_t>(m_host.NowMs() - end) >= 0 || State().Shell.WindowClosed)
                return done();
            m_engine->Step();
        }
        return true;
    }
    // A left click delivered right now (through the engine's input handler).
    // Input delivered right now through the engine's handler, as a front end would.
    void Click(MouseButton button = MouseButton::Left);
    void Key(int vk_code, bool down);
    void MouseMove(int x, int y);
    void MouseDown(int x, int y, MouseButton button = MouseButton::Left);
    void CharKey(int key);
    void Command(UiCommand command, int value = 0);
    std::string Transcript() const { return m_host.TranscriptText(); }

  private:
    TempFolder m_folder;
    HeadlessHost m_host;
    std::unique_ptr<Engine> m_engine;
};

}  // namespace vespin::test
