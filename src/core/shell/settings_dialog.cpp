#include "core/shell/settings_dialog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>

#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/scene.h"
#include "core/graphics/scene_reload.h"
#include "core/resources/picture.h"
#include "core/shell/engine.h"
#include "core/shell/engine_state.h"
#include "core/shell/screen_mode.h"
#include "core/shell/settings.h"
#include "core/shell/skip_auto.h"
#include "core/text/message_window.h"
#include "core/text/sjis.h"
#include "core/text/text_renderer.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

// How a control's change reaches the engine.
enum class Effect : uint8_t {
    Written,        // written; read again when the dialog closes (or never used)
    AnimQuality,    // the flag at once
    Music,          // ChangeMusicSetting at once
    OverallVolume,  // not stored; ApplyVolumes
    Volume,         // written; ApplyVolumes
    Font,           // written; RebuildFont; marks the settings changed
    FontSize,       // clamped to 11..22, written; RebuildFont; marks
    Flag,           // written; the flag at once
    WindowStyle,    // the style switched at once, written
    Tint,           // 0..255, written; marks (the dialog repaints its sample)
    Drive,          // only a drive root is taken
};

struct Control {
    std::string_view Name;  // as the dialog writes it
    Effect How;
};

// Every value the dialog's controls change, hidden controls included.
constexpr Control kControls[] = {
    {"SMode", Effect::Written},
    {"GMode", Effect::Written},
    {"Delay", Effect::Written},
    {"AnimQuality", Effect::AnimQuality},
    {"Wave", Effect::Written},
    {"BGM", Effect::Music},
    {"Volume", Effect::OverallVolume},
    {"Vol3", Effect::Volume},
    {"Vol1", Effect::Volume},
    {"Vol2", Effect::Volume},
    {"Vol4", Effect::Volume},
    {"CDDA_DRV", Effect::Drive},
    {"FONTBold", Effect::Font},
    {"FontName", Effect::Font},
    {"FONTSIZE", Effect::FontSize},
    {"FONTSIZE2", Effect::FontSize},
    {"FONTAA", Effect::Font},
    {"BreakonSelect", Effect::Flag},
    {"Seen", Effect::Flag},
    {"WINTYPE", Effect::WindowStyle},
    {"TXBG_R", Effect::Tint},
    {"TXBG_G", Effect::Tint},
    {"TXBG_B", Effect::Tint},
    {"TXBG_A", Effect::Tint},
    {"OnMemoryMode", Effect::Written},
};

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        return up(x) == up(y);
    });
}

const Control* FindControl(std::string_view name) {
    for (const Control& c : kControls) {
        if (SameName(c.Name, name)) return &c;
    }
    return nullptr;
}

std::optional<int> Decimal(std::string_view text) {
    int value = 0;
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// Screens other than the plain script page draw their own pictures: the dialog leaves them be.
bool SceneOnScreen(const EngineState& e) {
    const ShellState& sh = e.Shell;
    return sh.MainMode == kModeScript && sh.SaveScreenState == 0 && sh.ConfirmKind == 0 &&
           sh.ChoiceKind == 0 && !sh.BacklogOpen;
}

void RedrawScene(EngineState& e) {
    UpdateDisplay(e);
    ShowOnDrawingArea(e, e.DisplaySurface);
}

int* VolumeField(SettingsValues& s, std::string_view name) {
    if (SameName(name, "Vol1")) return &s.Vol1;
    if (SameName(name, "Vol2")) return &s.Vol2;
    if (SameName(name, "Vol3")) return &s.Vol3;
    return &s.Vol4;
}

int* TintField(SettingsValues& s, std::string_view name) {
    if (SameName(name, "TXBG_R")) return &s.TXBG_R;
    if (SameName(name, "TXBG_G")) return &s.TXBG_G;
    if (SameName(name, "TXBG_B")) return &s.TXBG_B;
    return &s.TXBG_A;
}

void ApplyFontValue(EngineState& e, const Control& c, int v) {
    SettingsValues& s = e.Settings;
    if (SameName(c.Name, "FONTBold")) s.FONTBOLD = v != 0;
    if (SameName(c.Name, "FONTAA")) s.FONTAA = v;
    if (SameName(c.Name, "FONTSIZE")) s.FONTSIZE = v;
    if (SameName(c.Name, "FONTSIZE2")) s.FONTSIZE2 = v;
    RebuildFont(e);
}

void SwitchWindowStyle(EngineState& e, bool picture_style) {
    e.Settings.PictureWindowStyle = picture_style;
    ApplyWindowStyle(e);
    if (SceneOnScreen(e)) RedrawScene(e);
}

// Text values: the font's face and the hidden drive list. Returns whether it marks a change.
bool ChangeText(EngineState& e, const Control& c, std::string_view utf8) {
    std::optional<std::string> sjis = sjis::FromUtf8(utf8);
    if (!sjis) return false;
    SettingsStore& store = e.Host.Settings();
    if (c.How == Effect::Drive) {
        // A drive root: a letter, a colon and a backslash.
        bool root = sjis->size() == 3 && std::isalpha(static_cast<unsigned char>((*sjis)[0])) &&
                    (*sjis)[1] == ':' && (*sjis)[2] == '\\';
        if (!root) return false;
        e.Settings.CDDA_DRV = *sjis;
        WriteTextSetting(store, c.Name, *sjis);
        return false;
    }
    if (sjis->empty()) return false;
    e.Settings.FontName = *sjis;
    WriteTextSetting(store, c.Name, *sjis);
    RebuildFont(e);
    return true;
}

// One control's change. Returns whether it sets the settings-changed mark.
bool ChangeControl(EngineState& e, const Control& c, std::string_view value) {
    if (c.How == Effect::Drive || SameName(c.Name, "FontName")) return ChangeText(e, c, value);
    std::optional<int> parsed = Decimal(value);
    if (!parsed) return false;
    int v = *parsed;
    SettingsValues& s = e.Settings;
    SettingsStore& store = e.Host.Settings();
    switch (c.How) {
        case Effect::OverallVolume:
            SetOverallVolume(e, std::clamp(v, kVolumeLow, kVolumeHigh));
            return false;
        case Effect::Volume:
            v = std::clamp(v, kVolumeLow, kVolumeHigh);
            *VolumeField(s, c.Name) = v;
            WriteIntSetting(store, c.Name, v);
            ApplyVolumes(e);
            return false;
        case Effect::Music:
            WriteIntSetting(store, c.Name, v);
            ChangeMusicSetting(e, v);
            return false;
        case Effect::AnimQuality:
            WriteIntSetting(store, c.Name, v);
            s.AnimQuality = v != 0;
            return false;
        case Effect::Flag:
            WriteIntSetting(store, c.Name, v);
            (SameName(c.Name, "Seen") ? s.Seen : s.BreakonSelect) = v != 0;
            return false;
        case Effect::WindowStyle:
            SwitchWindowStyle(e, v != 0);
            WriteIntSetting(store, c.Name, v);
            return false;
        case Effect::FontSize:
            v = std::clamp(v, kFontSizeLow, kFontSizeHigh);
            [[fallthrough]];
        case Effect::Font:
            WriteIntSetting(store, c.Name, v);
            ApplyFontValue(e, c, v);
            return true;
        case Effect::Tint:
            v = std::clamp(v, 0, 255);
            *TintField(s, c.Name) = v;
            WriteIntSetting(store, c.Name, v);
            return true;
        case Effect::Written:
            if (SameName(c.Name, "OnMemoryMode")) s.OnMemoryMode = v;
            WriteIntSetting(store, c.Name, v);
            return false;
        case Effect::Drive:
            return false;
    }
    return false;
}

// The engine behind the host's dialog while it is shown.
class DialogSession : public SettingsDialog {
  public:
    explicit DialogSession(EngineState& e) : m_e(e) {}
    bool SettingsChanged() const { return m_changed; }

    int IntValue(std::string_view name) override {
        return ReadIntSetting(m_e.Host.Settings(), name, CurrentInt(name));
    }
    std::string TextValue(std::string_view name) override {
        bool font = SameName(name, "FontName");
        const std::string& current = font ? m_e.Settings.FontName : m_e.Settings.CDDA_DRV;
        std::string stored = ReadTextSetting(m_e.Host.Settings(), name, current);
        if (font) {
            // A face that is gone shows as the one the glyph renderer stands in with.
            const FontFile& file = m_e.TextRenderer.Fonts.Resolve(stored, FontWeight::Regular);
            if (file.Substituted && !file.JapaneseFamily.empty()) return file.JapaneseFamily;
        }
        return sjis::ToUtf8(stored);
    }
    std::vector<std::string> FontFamilies() override {
        return m_e.TextRenderer.Fonts.Lookup().JapaneseFamilies();
    }
    void Change(std::string_view name, std::string_view value) override {
        const Control* c = FindControl(name);
        if (c && ChangeControl(m_e, *c, value)) m_changed = true;
    }
    void PlayVoiceSample() override { PlaySound(m_e, "TON1145"); }

  private:
    int CurrentInt(std::string_view name) const;

    EngineState& m_e;
    bool m_changed = false;
};

int DialogSession::CurrentInt(std::string_view name) const {
    const SettingsValues& s = m_e.Settings;
    const std::pair<std::string_view, int> values[] = {
        {"SMode", s.SMode},
        {"GMode", s.GMode},
        {"Delay", s.NormalTextSpeed ? 0 : 1},
        {"AnimQuality", s.AnimQuality ? 1 : 0},
        {"Wave", s.VoiceOn ? 0 : 1},
        {"BGM", s.BGM},
        {"Volume", m_e.Audio.Sound.MasterVolume},
        {"Vol1", s.Vol1},
        {"Vol2", s.Vol2},
        {"Vol3", s.Vol3},
        {"Vol4", s.Vol4},
        {"FONTBOLD", s.FONTBOLD ? 1 : 0},
        {"FONTSIZE", s.FONTSIZE},
        {"FONTSIZE2", s.FONTSIZE2},
        {"FONTAA", s.FONTAA},
        {"BreakonSelect", s.BreakonSelect ? 1 : 0},
        {"Seen", s.Seen ? 1 : 0},
        {"WINTYPE", s.PictureWindowStyle ? 1 : 0},
        {"TXBG_R", s.TXBG_R},
        {"TXBG_G", s.TXBG_G},
        {"TXBG_B", s.TXBG_B},
        {"TXBG_A", s.TXBG_A},
        {"OnMemoryMode", s.OnMemoryMode},
    };
    for (const auto& [n, v] : values) {
        if (SameName(n, name)) return v;
    }
    return 0;
}

// S051: the status panel C, and the number of the message window's frame picture.
constexpr int kWindowFrameVariable = 51;

// The window picture of the picture style after the dialog: "sys_tw" and S051's decimal value.
// A game without that picture keeps the plain "sys_tw" it has.
void ReloadWindowPicture(EngineState& e) {
    const WindowGeometry& g = Geometry(e);
    Surface& source = e.Text.WindowSource;
    Surface picture;
    std::string name = "sys_tw" + std::to_string(e.Vars.S[kWindowFrameVariable]);
    if (!LoadPicture(e.Archives, name, picture)) return;
    source.Resize(g.Width, 2 * g.Height);
    CopyRect(picture, Rect{0, 0, picture.Width(), picture.Height()}, source, 0, 0);
}

void RebuildAfterChanges(EngineState& e) {
    if (e.Settings.PictureWindowStyle) {
        ReloadWindowPicture(e);
    } else {
        BuildTintedWindowSource(e, e.Text.WindowSource);
    }
    e.Text.WindowImageValid = false;
    ComposeWindowImage(e);
    PrepareWaitMarker(e);
    RebuildFont(e);
    e.Text.PlainFontFace = e.TextRenderer.FaceName;
    if (SceneOnScreen(e)) {
        ReloadScenePictures(e);
        RedrawScene(e);
    }
}

// The mode on screen now: 1 the exclusive display, 2 the borderless layout, 0 the window.
int ScreenModeShown(const EngineState& e) {
    if (e.Shell.FullScreenActive != 0) return 1;
    return e.Shell.FullScreenLayout ? 2 : 0;
}

void SettleAfterSwitch(EngineState& e) {
    e.Host.SleepMs(100);
    PumpMessages(e);
}

void SwitchScreenMode(EngineState& e) {
    e.Shell.EngineBusy = true;
    if (ScreenModeShown(e) != 0) {
        LeaveFullScreenLayout(e);
        SettleAfterSwitch(e);
    }
    if (e.Settings.SMode != 0) {
        EnterFullScreen(e);
        SettleAfterSwitch(e);
    }
    e.Shell.EngineBusy = false;
}

}  // namespace

bool IsDialogSetting(std::string_view name) {
    return FindControl(name) != nullptr;
}

void ApplySettingsAfterDialog(EngineState& e, bool settings_changed) {
    if (settings_changed) RebuildAfterChanges(e);
    ReadDialogClosingSettings(e.Host.Settings(), e.Settings);
    if (e.Settings.SMode != ScreenModeShown(e)) SwitchScreenMode(e);
}

void ChangeSettingAsDialog(EngineState& e, std::string_view name, std::string_view value) {
    DialogSession session(e);
    session.Change(name, value);
    ApplySettingsAfterDialog(e, session.SettingsChanged());
}

void OpenSettingsDialog(EngineState& e) {
    ShellState& sh = e.Shell;
    if (sh.EngineBusy) return;
    StopSkipAndAuto(e, StopMode::Forced);
    PlayVoice(e, "SSE07");
    sh.EngineBusy = true;
    sh.InterpreterEnabled = false;
    DialogSession session(e);
    e.Host.ShowSettingsDialog(session);
    ApplySettingsAfterDialog(e, session.SettingsChanged());
    sh.InterpreterEnabled = true;
    sh.EngineBusy = false;
}

}  // namespace vespin
