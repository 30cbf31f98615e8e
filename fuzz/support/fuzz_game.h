#pragma once
// The engine as the script-reading fuzz targets drive it: a small real game folder (the scripts of
// fuzz/game/ and pictures, sounds and music from the seed corpora, built into archives), the
// headless host on its virtual clock, and the engine's state put back before every input so that
// a finding replays on its own.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "core/shell/engine.h"
#include "headless/headless_host.h"
#include "tools/archive_writer.h"

namespace vespin::fuzz {

// A seed drawn from the input itself (FNV-1a), so that the choices a target makes replay with it.
inline uint32_t InputSeed(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    return h;
}

// The headless host without its records: the transcript and the error list would grow with
// every input of a long run.
class FuzzHost : public HeadlessHost {
  public:
    void Transcript(TranscriptMark, std::string_view) override {}
    void ReportError(std::string_view) override {}
};

// Allocations made while one of these lives are never reported as leaks. Only for the one-time
// start-up of a target: the libraries' configurations it loads stay for the whole run and hold
// blocks through encoded offsets the leak checker cannot follow.
class StartupAllocations {
  public:
    StartupAllocations();
    ~StartupAllocations();
};

// A folder of its own under the system's temporary folder, removed with the object.
class ScratchFolder {
  public:
    explicit ScratchFolder(const char* prefix);
    ~ScratchFolder();
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

void WriteFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

class FuzzGame {
  public:
    // The one game of the process, made at the first call.
    static FuzzGame& Get();
    ~FuzzGame();

    EngineState& State() { return m_engine->State(); }
    FuzzHost& Host() { return m_host; }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

    // Puts every part of the state a script can change back as it was after start-up.
    void Reset();
    // Puts back only the variables, string slots, settings and loop state: enough for inputs
    // that run no script and draw nothing, at a fraction of the cost.
    void ResetVariables();
    // Makes `bytes` the running scenario `main` (cut at the script buffer's size), stored in
    // vg_data2.vsp with any `more` scripts, so that returns from calls and chains load it by name
    // like any script.
    void LoadScenario(std::span<const uint8_t> bytes, std::vector<ArchiveInput> more = {});
    // Up to `passes` turns of the engine's loop. Between them the player clicks away waits and
    // picks choices at points taken from `seed`, and timed waits are cut short.
    void Play(int passes, uint32_t seed = 0);
    void Move(int x, int y);
    void Press(int x, int y);
    void Click(int x, int y);

  private:
    struct Snapshot;
    FuzzGame();

    ScratchFolder m_folder;
    FuzzHost m_host;
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<Snapshot> m_start;
};

}  // namespace vespin::fuzz
