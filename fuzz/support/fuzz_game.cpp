#include "fuzz/support/fuzz_game.h"

#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/script/script_loader.h"
#include "core/shell/main_loop.h"
#include "core/text/sjis_strings.h"
#include "tools/archive_writer.h"
#include "tools/script_codec.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define VESPIN_FUZZ_LSAN 1
#endif
#endif

namespace vespin::fuzz {

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A seed file of a corpus, as an archive entry.
ArchiveInput Seed(const char* name, const char* corpus, const char* file) {
    return {name, ReadFile(fs::path(VESPIN_FUZZ_DIR) / "corpus" / corpus / file)};
}

void WriteArchive(const fs::path& file, DirectoryLayout layout,
                  const std::vector<ArchiveInput>& entries) {
    Bytes out;
    std::string error;
    if (!BuildArchive(entries, layout, 0, out, error)) throw std::runtime_error(error);
    WriteFile(file, out);
}

// The scripts of fuzz/game/, each named for its file.
std::vector<ArchiveInput> GameScripts() {
    std::vector<ArchiveInput> scripts;
    for (const fs::directory_entry& f :
         fs::directory_iterator(fs::path(VESPIN_FUZZ_DIR) / "game")) {
        if (f.path().extension() != ".txt") continue;
        Bytes text = ReadFile(f.path()), script;
        std::string error;
        std::string utf8(text.begin(), text.end());
        if (!EncodeScript(utf8, script, error)) throw std::runtime_error(error);
        scripts.push_back({f.path().stem().string(), std::move(script)});
    }
    return scripts;
}

void BuildGameFolder(const fs::path& folder) {
    WriteArchive(folder / "vg_data.vsp", DirectoryLayout::Script, GameScripts());
    WriteArchive(
        folder / "vg_gjp.vsp", DirectoryLayout::Sized,
        {Seed("A0101", "jpeg_picture", "colour_24x16"), Seed("A0102", "jpeg_picture", "grey_9x7")});
    WriteArchive(folder / "vg_gra.vsp", DirectoryLayout::Sized,
                 {Seed("B0101", "packed_picture", "stages_both_24x16"),
                  Seed("B0102", "packed_picture", "stages_delta_24x16"),
                  Seed("PARTS", "packed_picture", "stages_runs_24x16"),
                  Seed("sys_sw", "packed_picture", "stages_none_24x16"),
                  Seed("sys_sw2", "packed_picture", "stages_none_24x16"),
                  Seed("sys_clickw", "packed_picture", "stages_runs_24x16"),
                  Seed("sys_bl_bar", "packed_picture", "stages_both_24x16"),
                  Seed("sys_bl_cur", "packed_picture", "stages_none_24x16"),
                  Seed("sys_blVR", "packed_picture", "stages_runs_24x16")});
    WriteArchive(folder / "vg_se0.vsp", DirectoryLayout::Sized,
                 {Seed("SE01", "wady_r", "mono_11k")});
    WriteArchive(folder / "vg_wav1.vsp", DirectoryLayout::Sized,
                 {Seed("V0001", "wady_r", "stereo_22k")});
    WriteArchive(folder / "vg_ogg1.vsp", DirectoryLayout::Sized,
                 {Seed("V0002", "ogg_voice", "mono_22k")});
    WriteArchive(folder / "vg_bgm.vsp", DirectoryLayout::Sized,
                 {Seed("M01", "music_stream", "mono_loop_at_100"),
                  Seed("M02", "music_stream", "stereo_whole_loop")});
}

}  // namespace

StartupAllocations::StartupAllocations() {
#ifdef VESPIN_FUZZ_LSAN
    __lsan_disable();
#endif
}

StartupAllocations::~StartupAllocations() {
#ifdef VESPIN_FUZZ_LSAN
    __lsan_enable();
#endif
}

ScratchFolder::ScratchFolder(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void WriteFile(const fs::path& path, std::span<const uint8_t> bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {

// Copies pixels with memcpy. A surface's own assignment goes through memmove, which the address
// sanitizer runs byte by byte: restoring a dozen full-screen surfaces that way took most of an
// input's time.
void RestorePixels(Surface& live, const Surface& saved) {
    if (live.Width() != saved.Width() || live.Height() != saved.Height())
        live.Resize(saved.Width(), saved.Height());
    if (saved.SizeBytes() > 0) std::memcpy(live.Data(), saved.Data(), saved.SizeBytes());
}

// A part of the state as it was, its surfaces held apart so that putting it back copies them
// with RestorePixels. `Members` lists the part's surfaces.
template <typename T, auto... Members>
struct Saved {
    T Value;
    std::array<Surface, sizeof...(Members)> Surfaces;

    explicit Saved(const T& live) : Value(live) {
        size_t i = 0;
        ((Surfaces[i++] = std::exchange(Value.*Members, Surface{})), ...);
    }
    void RestoreInto(T& live) const {
        std::array<Surface, sizeof...(Members)> kept{std::move(live.*Members)...};
        live = Value;
        size_t i = 0;
        ((live.*Members = std::move(kept[i]), RestorePixels(live.*Members, Surfaces[i]), ++i), ...);
    }
};

using SavedText = Saved<TextState, &TextState::WindowSource, &TextState::WindowImage,
                        &TextState::CleanWindowImage, &TextState::QuickButtonBackdrop,
                        &TextState::ClickWaitPicture, &TextState::MarkerFrames>;
using SavedScene =
    Saved<SceneState, &SceneState::BackgroundLayer, &SceneState::CentreCharacterLayer,
          &SceneState::CentreCharacterMask, &SceneState::LeftCharacterLayer,
          &SceneState::LeftCharacterMask, &SceneState::RightCharacterLayer,
          &SceneState::RightCharacterMask, &SceneState::PreviousFrameSurface,
          &SceneState::WorkSurface, &SceneState::SpareSurface, &SceneState::PartsSheet,
          &SceneState::TransitionAlphaMap, &SceneState::TransitionShapeMap>;
using SavedChoices = Saved<ChoiceState, &ChoiceState::PlatePicture, &ChoiceState::PlatePicture2>;

}  // namespace

// Everything a script can change, as it stood after start-up. The fonts, the archive directories
// and the sound device stay as they are.
struct FuzzGame::Snapshot {
    Random Rng;
    SettingsValues Settings;
    ShellState Shell;
    ScriptState Script;
    VariableBanks Vars;
    std::array<StringSlot, kStringSlotCount> StringSlots;
    BacklogState Backlog;
    ViewerState Viewer;
    RecollectionState Recollection;
    BattleState Battle;
    SavedText Text;
    SavedScene Scene;
    SavedChoices Choices;
    SimulationState Simulation;
    Surface DisplaySurface, CompositionSurface, DrawingArea;

    explicit Snapshot(const EngineState& e)
        : Rng(e.Rng),
          Settings(e.Settings),
          Shell(e.Shell),
          Script(WithoutBuffers(e.Script)),
          Vars(e.Vars),
          StringSlots(e.StringSlots),
          Backlog(e.Backlog),
          Viewer(e.Viewer),
          Recollection(e.Recollection),
          Battle(e.Battle),
          Text(e.Text),
          Scene(e.Scene),
          Choices(e.Choices),
          Simulation(e.Simulation),
          DisplaySurface(e.DisplaySurface),
          CompositionSurface(e.CompositionSurface),
          DrawingArea(e.DrawingArea) {}

    static ScriptState WithoutBuffers(const ScriptState& live) {
        ScriptState s = live;
        std::vector<uint8_t>().swap(s.ScriptBuffer);
        std::vector<uint8_t>().swap(s.DataScriptBuffer);
        return s;
    }

    void RestoreVariablesInto(EngineState& e) const {
        e.Rng = Rng, e.Settings = Settings, e.Shell = Shell, e.Vars = Vars;
        e.StringSlots = StringSlots;
    }

    void RestoreInto(EngineState& e) const {
        RestoreVariablesInto(e);
        e.Backlog = Backlog, e.Viewer = Viewer, e.Battle = Battle;
        e.Recollection = Recollection;
        RestoreScript(e.Script);
        Text.RestoreInto(e.Text);
        Scene.RestoreInto(e.Scene);
        Choices.RestoreInto(e.Choices);
        e.Simulation = Simulation;
        RestorePixels(e.DisplaySurface, DisplaySurface);
        RestorePixels(e.CompositionSurface, CompositionSurface);
        RestorePixels(e.DrawingArea, DrawingArea);
    }

    // The script buffers are filled again by every input and every load: only their sizes and
    // the small fields around them go back.
    void RestoreScript(ScriptState& live) const {
        std::vector<uint8_t> scenario = std::move(live.ScriptBuffer);
        std::vector<uint8_t> data = std::move(live.DataScriptBuffer);
        live = Script;
        live.ScriptBuffer = std::move(scenario);
        live.DataScriptBuffer = std::move(data);
    }
};

FuzzGame& FuzzGame::Get() {
    static FuzzGame* game = [] {
        StartupAllocations startup;
        return new FuzzGame();
    }();
    return *game;
}

FuzzGame::FuzzGame() : m_folder("vespin-fuzz") {
    BuildGameFolder(Folder());
    // Whole lines a pass, as with the typing effect off: more of a script in the same passes.
    m_host.Store().Write("Delay", "1");
    m_engine = std::make_unique<Engine>(m_host, Folder());
    m_engine->Step();  // the first idle pass loads `main` and opens the sound device
    // Every face and weight the screens ask for is looked up now, inside the start-up window:
    // fontconfig keeps what a first look-up of a name loads for the rest of the process.
    FontSource& fonts = State().TextRenderer.Fonts;
    const std::string faces[] = {
        State().Settings.FontName, sjis_text::kDefaultFontName,
        "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"};  // ＭＳ ゴシック
    for (const std::string& face : faces) {
        for (FontWeight weight : {FontWeight::Regular, FontWeight::Bold})
            fonts.Resolve(face, weight);
    }
    State().Script.ScriptSize = 0;
    m_start = std::make_unique<Snapshot>(State());
    // The game is released when the process ends, so that what it holds is freed before the
    // leak check at exit.
    std::atexit([] { delete &Get(); });
}

FuzzGame::~FuzzGame() = default;

void FuzzGame::Reset() {
    EngineState& e = State();
    StopMusic(e);
    for (int slot = 0; slot < SoundDevice::kSlotCount; ++slot)
        ReleaseSlot(e, slot);
    e.Audio.Sound.LoopingSoundName.Clear();
    e.Audio.Sound.LastVoice.Clear();
    e.Audio.Music.Fading = false;
    m_start->RestoreInto(e);
}

void FuzzGame::ResetVariables() {
    m_start->RestoreVariablesInto(State());
}

void FuzzGame::LoadScenario(std::span<const uint8_t> bytes, std::vector<ArchiveInput> more) {
    EngineState& e = State();
    bytes = bytes.first(std::min(bytes.size(), e.Script.ScriptBuffer.size()));
    more.insert(more.begin(), ArchiveInput{"main", Bytes(bytes.begin(), bytes.end())});
    WriteArchive(Folder() / "vg_data2.vsp", DirectoryLayout::Script, more);
    ReadScriptDirectories(e.Archives);
    e.Script.CurrentScriptName = "main";
    LoadScript(e, "main", ScriptMode::Scenario);
}

void FuzzGame::Move(int x, int y) {
    InputEvent move;
    move.kind = InputKind::MouseMove;
    move.x = x, move.y = y;
    HandleInput(State(), move);
}

void FuzzGame::Press(int x, int y) {
    InputEvent down;
    down.kind = InputKind::MouseDown;
    down.button = MouseButton::Left;
    down.x = x, down.y = y;
    HandleInput(State(), down);
}

void FuzzGame::Click(int x, int y) {
    Move(x, y);
    Press(x, y);
}

void FuzzGame::Play(int passes, uint32_t seed) {
    EngineState& e = State();
    for (int pass = 0; pass < passes && !e.Shell.WindowClosed; ++pass) {
        m_engine->Step();
        ShellState& shell = e.Shell;
        shell.WaitTicks = 0;
        shell.SleepPasses = 0;
        shell.ClickLockout = 0;  // the player waits out the lockout after a click
        if (shell.WaitKind == 0 && shell.ChoiceKind == 0) continue;
        seed = seed * 1103515245u + 12345u;
        int x = static_cast<int>(seed >> 8) % 800, y = static_cast<int>(seed >> 20) % 600;
        // A choice on show: mostly one of its entries, sometimes anywhere.
        ChoiceState& c = e.Choices;
        int entry = c.ChoiceCount > 0 ? static_cast<int>((seed >> 4) % c.ChoiceCount) : -1;
        if (shell.ChoiceKind == 0 || entry < 0 || (seed & 3) == 0) {
            Click(x, y);
            continue;
        }
        const ChoiceRect& r = c.ChoiceRects[std::min(entry, kMaxChoices - 1)];
        Move(r.Left / 2 + r.Right / 2, r.Top / 2 + r.Bottom / 2);
        // Entries inside the message window are rows of a box rather than rectangles.
        if (c.HoveredChoice == 0) c.HoveredChoice = entry + 1;
        Press(r.Left / 2 + r.Right / 2, r.Top / 2 + r.Bottom / 2);
    }
}

}  // namespace vespin::fuzz
