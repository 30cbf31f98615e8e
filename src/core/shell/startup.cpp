// Window creation and engine initialisation, in the order later steps rely on.

#include <filesystem>
#include <system_error>

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/host/host.h"
#include "core/persistence/save_files.h"
#include "core/persistence/system_data.h"
#include "core/resources/archive.h"
#include "core/resources/picture.h"
#include "core/screens/quick_buttons.h"
#include "core/screens/recollection_catalogue.h"
#include "core/screens/seltree.h"
#include "core/screens/status_panels.h"
#include "core/screens/viewer_page.h"
#include "core/script/script_loader.h"
#include "core/shell/close.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "core/shell/screen_mode.h"
#include "core/shell/settings.h"
#include "core/shell/toolbar.h"
#include "core/text/backlog.h"
#include "core/text/message_window.h"
#include "core/text/self_voicing.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"
#include "core/text/text_renderer.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

constexpr int kOuterWidth = 808;
constexpr int kOuterHeight = 650;
constexpr int kAreaWidth = 800;
constexpr int kAreaHeight = 600;

void ShowStartupFailure(EngineState& e, const char* text_sjis, const char* caption,
                        MessageIcon icon) {
    e.Host.ShowMessageBox(sjis::ToUtf8(text_sjis), caption, icon, MessageButtons::Ok);
    e.Shell.QuitRequested = true;
}

}  // namespace

void ResetSystemValues(EngineState& e) {
    VariableBanks& v = e.Vars;
    v.S[sys::kSaveAvailability] = 3;  // save and load stay off until the scenario says otherwise
    v.S[sys::kS005] = 0;
    v.S[sys::kFullTextDarkness] = 8;
    RefreshToolbar(e);
    v.S[sys::kLeftCharacterX] = 250;
    v.S[sys::kRightCharacterX] = 550;
    v.S[sys::kLastAutoDelay] = 5;
    // The gallery's size is the game's, not the player's: a new game from the title keeps it.
    v.S[sys::kGalleryCount] = static_cast<int>(e.Viewer.PictureList.size());
}

namespace {

// The system pictures and what depends on them, in the order later steps rely on.
void LoadSystemPictures(EngineState& e) {
    LoadPicture(e.Archives, "sys_sw", e.Choices.PlatePicture);
    LoadPicture(e.Archives, "sys_sw2", e.Choices.PlatePicture2);
    InitTextRenderer(e);
    InitQuickButtons(e);
    LoadPicture(e.Archives, "sys_clickw", e.Text.ClickWaitPicture);
}

}  // namespace

void CreateMainWindow(EngineState& e) {
    e.Shell.QuitRequested = false;
    std::string folder = e.GameFolder.string();
    std::string folder_sjis = sjis::FromUtf8(folder).value_or(folder);
    ReadInstallationSettings(e.Host.Settings(), folder_sjis, e.Settings);
    if (e.Settings.GameDir == "NULL") {
        ShowStartupFailure(e, sjis_text::kRunSetupFirst, "Warning", MessageIcon::Error);
    }
    InitialiseEngine(e);
    e.Host.SetWindowTitle(sjis::ToUtf8(sjis_text::kWindowCaption),
                          sjis::ToUtf8(sjis_text::kApplicationTitle));
}

void InitialiseEngine(EngineState& e) {
    e.Rng.SeedWith(static_cast<uint32_t>(e.Host.WallClockSeconds()));
    for (int i = 0; i < 200; ++i)
        e.Vars.S[i] = 0;
    // The archives are found in the game folder itself; the process's directory is left alone.
    e.Shell.SoundDevicePresent = e.Host.SoundOutputPresent();
    std::error_code ec;
    if (!std::filesystem::exists(e.GameFolder / "vg_data.vsp", ec)) {
        ShowStartupFailure(e, sjis_text::kCannotReadGameData, "Error!", MessageIcon::Error);
    }
    e.Host.SetWindowSize(kOuterWidth, kOuterHeight);
    ReadStartupSettings(e.Host, e.Settings);
    e.Host.MoveWindow(e.Settings.Left, e.Settings.Top);
    for (int i = 0; i < 10; ++i)
        e.Vars.G[i] = e.Settings.GV[i];
    CreateTextFont(e);

    e.DisplaySurface.Resize(kAreaWidth, kAreaHeight);
    e.CompositionSurface.Resize(kAreaWidth, kAreaHeight);
    e.DrawingArea.Resize(kAreaWidth, kAreaHeight);
    e.Scene.BackgroundLayer.Resize(kAreaWidth, kAreaHeight);
    e.Scene.PreviousFrameSurface.Resize(kAreaWidth, kAreaHeight);
    e.Scene.WorkSurface.Resize(kAreaWidth, kAreaHeight);
    e.Scene.SpareSurface.Resize(kAreaWidth, kAreaHeight);
    ReadDirectories(e.GameFolder, e.Archives);
    LoadSystemPictures(e);
    ScanGalleryNames(e);

    ResetWaits(e);
    e.Vars.F.Clear();
    e.Vars.E.Clear();
    e.Viewer.CgSeenBits.Clear();
    e.Recollection.SceneSeenBits.Clear();
    e.Vars.V.Clear();
    e.Vars.S[sys::kClearCount] = e.Settings.Clear;
    e.Vars.S[51] = e.Settings.TXWStyle;  // the window frame the settings dialog reloads
    SettleSaveFolder(e);
    ReadRecollectionSlots(e);
    SyncSystemData(e);
    ClearBacklog(e.Backlog);
    ResetSystemValues(e);

    e.Text.WindowShown = false;
    e.Shell.ConfirmKind = 0;
    e.Shell.BacklogOpen = false;
    for (int i = sys::kAutoNaviFirst; i <= sys::kAutoNaviLast; ++i)
        e.Vars.S[i] = 0;
    e.Shell.TransitionRunning = false;
    e.Shell.InterruptRequest = 0;

    for (int i = 0; i < 10; ++i)
        e.StringSlots[i].Clear();
    e.StringSlots[0] = e.Settings.PlayerName;
    e.StringSlots[1] = e.Settings.PlayerName2;
    e.Vars.S[sys::kS031] = 0;
    InitSelfVoicing(e);
    e.Shell.FirstIdlePending = true;
    // The screens of the game initialise here as they are built; the message window comes last.
    InitSelectionTree(e);
    InitRecollection(e);
    InitStatusPanels(e);
    ApplyWindowStyle(e);
}

// The first script-mode idle pass: start the scenario.
void RunFirstIdlePass(EngineState& e) {
    if (e.Shell.QuitRequested) {
        CloseWindow(e);
        return;
    }
    e.DisplaySurface.Fill(0, 0, 0);
    ShowOnDrawingArea(e, e.DisplaySurface);
    EnterFullScreen(e);
    ResetPlainTextFonts(e);
    e.Script.CallDepth = 0;
    e.Script.CurrentScriptName = "main";
    LoadScript(e, "main", ScriptMode::Scenario);
    InitSound(e);
}

}  // namespace vespin
