// Saving and loading a slot: the slot file is built whole in memory and written in one go; a
// file is loaded only once it has been read whole and checked, so a bad file never touches the
// running game.

#include "core/persistence/save_game.h"

#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/scene.h"
#include "core/graphics/scene_reload.h"
#include "core/persistence/banner.h"
#include "core/persistence/save_files.h"
#include "core/persistence/slot_image.h"
#include "core/persistence/system_data.h"
#include "core/resources/archive.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/shell/toolbar.h"
#include "core/text/message_window.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

namespace fs = std::filesystem;

constexpr char kSavedBanner[] = "\x83\x5A\x81\x5B\x83\x75\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
// セーブしました
constexpr char kSaveFailedBanner[] =  // セーブできませんでした
    "\x83\x5A\x81\x5B\x83\x75\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD";
constexpr char kLoadingBanner[] = "\x83\x8D\x81\x5B\x83\x68\x82\xB5\x82\xDC\x82\xB7";
// ロードします
constexpr char kUnreadableBanner[] =  // セーブデータを読み込めません
    "\x83\x5A\x81\x5B\x83\x75\x83\x66\x81\x5B\x83\x5E\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF"
    "\x82\xDC\x82\xB9\x82\xF1";
constexpr int kSavedBannerMs = 500;
constexpr int kLoadingBannerMs = 300;
constexpr int kRefusedBannerMs = 1000;
constexpr int kLastSlotWithSound = 20;
constexpr int kLoadTransition = 7;

// The size of the scenario script `name` as a load would read it; -1 when the archives do not
// hold it.
int ScriptSizeInArchives(const EngineState& e, std::string_view name) {
    EntryRef entry =
        FindInOrder(e.Archives, {ArchiveId::Data2, ArchiveId::Data}, sjis::UpperAscii(name));
    if (!entry.Found()) return -1;
    std::vector<uint8_t> bytes;
    if (!ReadEntry(e.Archives, entry, bytes, kScriptCapacity)) return -1;
    return static_cast<int>(bytes.size());
}

// Load step 2: nothing of the running game goes on while the file is read in.
void QuietenGame(EngineState& e) {
    e.Text.WindowShown = false;
    StopSkipAndAuto(e, StopMode::Forced);
    StopLoopingSound(e);
    if (e.Shell.ChoiceKind == kChoiceInWindow || e.Shell.ChoiceKind == kChoiceFullText) {
        e.DisplaySurface = e.Scene.PreviousFrameSurface;
        ShowOnDrawingArea(e, e.DisplaySurface);
    }
    e.Shell.ChoiceKind = kNoChoice;
    e.Shell.EngineBusy = true;
    e.Shell.InterpreterEnabled = false;
    SyncSystemData(e);
}

// Load steps 9 and 10: the music and the scene come back.
void RebuildScene(EngineState& e, bool battle) {
    int track = e.Vars.S[sys::kMusicPlaying];
    if (track != 0) {
        e.Vars.S[sys::kMusicPlaying] = 0;
        SetMusic(e, track);
    }
    if (battle) {
        e.Text.WindowShown = false;
        return;
    }
    e.Vars.S[9] = 1;
    ReloadScenePictures(e);
    ShowScene(e, kLoadTransition);
    e.Shell.EngineBusy = true;
    PrepareWaitMarker(e);
    e.Vars.S[9] = 0;
}

// Load steps 11 to 13: the interpreter goes on where the save was taken.
void Resume(EngineState& e, const SlotFile& f) {
    ScriptState& s = e.Script;
    std::string current(s.CurrentScriptName.View());
    ScriptNameField last_loaded = s.LastLoadedScriptName;
    LoadScript(e, current, ScriptMode::Scenario);
    s.LastLoadedScriptName = last_loaded;
    ResumePoint resume = ResumePointOf(f);
    s.FetchLine = resume.FetchLine;
    e.Shell.InterpreterEnabled = resume.InterpreterEnabled;
    s.ReadPosition = resume.ReadPosition;
    e.Shell.SaveScreenState = 0;
    e.Saves.PassageRead = e.Saves.ReadMarks.Test(e.Vars.S[25]);
    if (!e.Saves.PassageRead) e.Shell.SkipState = 0;
    if (!e.Audio.Sound.LoopingSoundName.Empty())
        PlaySound(e, std::string(e.Audio.Sound.LoopingSoundName.View()));
}

}  // namespace

fs::path SlotPath(const EngineState& e, int slot) {
    char name[24];
    std::snprintf(name, sizeof name, "save%02d.dat", slot);
    return SaveFolder(e) / "save" / name;
}

bool SaveGame(EngineState& e, int slot, SaveKind kind) {
    bool announced = kind == SaveKind::Announced;
    if (announced) {
        e.Vars.S[sys::kAutoDelay] = 0;
        RefreshToolbar(e);
    }
    auto file = std::make_unique<SlotFile>();
    BuildSlotFile(e, LocalMoment(e.Host.WallClockSeconds()), *file);

    bool was_busy = e.Shell.EngineBusy;
    e.Shell.EngineBusy = true;
    if (announced && slot <= kLastSlotWithSound) PlayVoice(e, "SSE05");
    fs::path path = SlotPath(e, slot);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    bool written =
        WriteFileReplacing(path, {reinterpret_cast<const uint8_t*>(file.get()), sizeof(SlotFile)});
    if (announced) {
        if (written) SyncSystemData(e);
        ShowBanner(e, written ? kSavedBanner : kSaveFailedBanner, kSavedBannerMs);
    }
    e.Shell.EngineBusy = was_busy;
    return written;
}

bool LoadGame(EngineState& e, int slot) {
    auto file = std::make_unique<SlotFile>();
    ReadOutcome outcome = ReadExactFile(SlotPath(e, slot), file.get(), sizeof(SlotFile));
    if (outcome == ReadOutcome::Missing) return false;
    if (outcome != ReadOutcome::Read ||
        !CheckSlotFile(*file, ScriptSizeInArchives(e, FieldText(file->Names.CurrentScript)))) {
        bool was_busy = e.Shell.EngineBusy;
        e.Shell.EngineBusy = true;
        ShowBanner(e, kUnreadableBanner, kRefusedBannerMs);
        e.Shell.EngineBusy = was_busy;
        return false;
    }

    QuietenGame(e);
    SetMusic(e, 0);
    if (slot <= kLastSlotWithSound) PlayVoice(e, "SSE06");
    ShowBanner(e, kLoadingBanner, kLoadingBannerMs);
    RestoreFromSlotFile(e, *file);
    bool battle = SavedInBattle(*file);
    e.Text.WindowImageValid = false;
    SyncSystemData(e);
    RebuildScene(e, battle);
    Resume(e, *file);
    e.Shell.EngineBusy = false;
    RefreshToolbar(e);
    return true;
}

SlotSummary ReadSlotSummary(const EngineState& e, int slot) {
    SlotSummary summary;
    fs::path path = SlotPath(e, slot);
    std::error_code ec;
    summary.Exists = fs::is_regular_file(path, ec);
    if (!summary.Exists) return summary;
    auto file = std::make_unique<SlotFile>();
    if (ReadExactFile(path, file.get(), sizeof(SlotFile)) != ReadOutcome::Read) return summary;
    summary.Complete = true;
    summary.Caption = FieldText(file->Caption);
    summary.Preview = SlotPreview(*file);
    return summary;
}

bool QuickSave(EngineState& e) {
    return SaveGame(e, kQuickSaveSlot, SaveKind::Announced);
}

}  // namespace vespin
