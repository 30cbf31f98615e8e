#include "core/shell/engine.h"

#include <exception>

#include "core/shell/main_loop.h"
#include "core/shell/settings_dialog.h"

namespace vespin {

namespace {

// Runs one handler; an error escaping it is shown the way the toolkit shows an escaped
// exception, and the engine goes on.
template <typename Fn>
bool Guarded(EngineState& e, Fn&& fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& error) {
        e.Host.ReportError(error.what());
        return false;
    }
}

// Hands host events to the engine's handlers.
class EventRouter : public EngineEvents {
  public:
    explicit EventRouter(EngineState& e) : m_state(e) {}
    void OnInput(const InputEvent& event) override {
        Guarded(m_state, [&] { HandleInput(m_state, event); });
    }
    void OnTimerTick() override {
        Guarded(m_state, [&] { vespin::OnTimerTick(m_state); });
    }
    void OnRepaint() override {
        Guarded(m_state, [&] { vespin::OnRepaint(m_state); });
    }
    void OnSettingChange(std::string_view name, std::string_view value) override {
        Guarded(m_state, [&] { ChangeSettingAsDialog(m_state, name, value); });
    }

  private:
    EngineState& m_state;
};

}  // namespace

void PumpMessages(EngineState& e) {
    EventRouter router(e);
    e.Host.PumpMessages(router);
}

Engine::Engine(Host& host, std::filesystem::path game_folder)
    : m_state(std::make_unique<EngineState>(host, std::move(game_folder))) {
    CreateMainWindow(*m_state);
}

void Engine::Step() {
    EngineState& e = *m_state;
    PumpMessages(e);
    if (e.Shell.WindowClosed) return;
    uint32_t start = e.Host.NowMs();
    if (Guarded(e, [&] { OnIdle(e); })) return;
    // A pass abandoned by an error still lasts its 30 ms, so that a script which fails on every
    // pass cannot spin the loop (or stop a virtual clock).
    uint32_t elapsed = e.Host.NowMs() - start;
    if (elapsed < static_cast<uint32_t>(kIdlePeriodMs)) e.Host.SleepMs(kIdlePeriodMs - elapsed);
}

void Engine::Run() {
    while (!m_state->Shell.WindowClosed)
        Step();
}

int RunProcess(Host& host, const std::filesystem::path& game_folder) {
    if (!host.TryLockSingleInstance("VESPIN_ENGINE")) return 1;
    Engine engine(host, game_folder);
    engine.Run();
    return 0;
}

}  // namespace vespin
