#pragma once
// EngineState: the one record that holds the whole engine for the whole run. Each subsystem keeps
// its state in a struct of its own, aggregated here; nothing of the engine lives anywhere else.

#include <array>
#include <filesystem>

#include "core/anim/anim_state.h"
#include "core/audio/audio_state.h"
#include "core/battle/battle_state.h"
#include "core/effects/effects_state.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/scene_state.h"
#include "core/graphics/surface.h"
#include "core/host/host.h"
#include "core/persistence/persistence_state.h"
#include "core/persistence/save_ui_state.h"
#include "core/resources/archive.h"
#include "core/screens/quick_buttons.h"
#include "core/screens/recollection_state.h"
#include "core/screens/roll_state.h"
#include "core/screens/simulation_state.h"
#include "core/screens/viewer_state.h"
#include "core/script/choice_state.h"
#include "core/script/script_state.h"
#include "core/script/variables.h"
#include "core/shell/fixed_string.h"
#include "core/shell/random.h"
#include "core/shell/settings.h"
#include "core/shell/shell_state.h"
#include "core/text/backlog.h"
#include "core/text/backlog_view_state.h"
#include "core/text/self_voicing.h"
#include "core/text/text_renderer.h"
#include "core/text/text_state.h"

namespace vespin {

inline constexpr int kStringSlotCount = 20;
using StringSlot = FixedString<32>;

struct EngineState {
    EngineState(vespin::Host& host, std::filesystem::path game_folder)
        : Host(host),
          GameFolder(std::move(game_folder)),
          DrawingArea(kScreenWidth, kScreenHeight) {}
    EngineState(const EngineState&) = delete;
    EngineState& operator=(const EngineState&) = delete;

    vespin::Host& Host;
    std::filesystem::path GameFolder;  // where the archives and the save folder are

    Random Rng;
    FrameClock Clock;
    SettingsValues Settings;
    ShellState Shell;
    ArchiveSet Archives;
    ScriptState Script;
    VariableBanks Vars;
    std::array<StringSlot, kStringSlotCount> StringSlots;
    TextState Text;
    TextRendererState TextRenderer;
    ToolbarState Toolbar;  // as last pushed to the Host
    BacklogState Backlog;
    BacklogViewState BacklogView;  // the log screen, the page replay, the hidden window
    AudioState Audio;
    AnimState Anim;

    Surface DisplaySurface;      // the frame shown in the drawing area
    Surface CompositionSurface;  // the scene without the message window
    SceneState Scene;
    Surface DrawingArea;  // what the window shows, as last presented
    ViewerState Viewer;
    ChoiceState Choices;
    RecollectionState Recollection;
    SimulationState Simulation;  // the selection tree and the status panels
    PersistenceState Saves;
    SaveUiState SaveUi;    // the save/load screen and the yes/no band
    RollState Rolls;       // `roll`, and the flags the close handling sets while one plays
    BattleState Battle;    // the card battle (MainMode 4)
    EffectsState Effects;  // objects, the staff roll and the presentation mode
    QuickBarState QuickBar;
    SelfVoicingState Speech;

    // S026 is the auto-advance level and S150 the full-text mode: the variables are the state.
    int AutoDelay() const { return Vars.S[sys::kAutoDelay]; }
    bool FullTextMode() const { return Vars.S[sys::kFullTextMode] != 0; }
};

}  // namespace vespin
