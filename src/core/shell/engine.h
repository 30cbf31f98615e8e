#pragma once
// The engine as a front end sees it: created with the main window, run until the window closes.
// The engine owns its loop: pump messages, then one idle pass, paced by the host clock.

#include <filesystem>
#include <memory>

#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

class Engine {
  public:
    // Window creation and engine initialisation, in the original order. `game_folder` holds the
    // archives (the program's own folder for the game).
    Engine(Host& host, std::filesystem::path game_folder);

    // Runs the message loop until the window closes.
    void Run();
    // One turn of the loop: pump messages, then one idle pass. For tests and the headless host.
    void Step();

    EngineState& State() { return *m_state; }

  private:
    std::unique_ptr<EngineState> m_state;
};

// The process entry: the single-instance lock, the engine, the loop. Returns the exit code
// (1 when another copy runs, silently).
int RunProcess(Host& host, const std::filesystem::path& game_folder);

// Lets the host deliver pending events and a due timer tick; every blocking effect calls this
// while it waits. Errors escaping a handler are reported and the engine goes on.
void PumpMessages(EngineState& e);

}  // namespace vespin
