#include "core/shell/settings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/host/host.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

int ReadIntSetting(SettingsStore& store, std::string_view name, int fallback) {
    std::optional<std::string> text = store.Read(name);
    if (!text) return fallback;
    std::string_view s = *text;
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return fallback;
    return value;
}

int ReadIntSetting(SettingsStore& store, std::string_view name, int fallback, int low, int high,
                   OutOfRange rule) {
    int value = ReadIntSetting(store, name, fallback);
    if (value >= low && value <= high) return value;
    return rule == OutOfRange::Clamp ? std::clamp(value, low, high) : fallback;
}

std::string ReadTextSetting(SettingsStore& store, std::string_view name,
                            std::string_view fallback_sjis) {
    std::optional<std::string> text = store.Read(name);
    if (!text) return std::string(fallback_sjis);
    std::optional<std::string> sjis = sjis::FromUtf8(*text);
    return sjis ? *sjis : std::string(fallback_sjis);
}

void WriteIntSetting(SettingsStore& store, std::string_view name, int value) {
    store.Write(name, std::to_string(value));
}

void WriteTextSetting(SettingsStore& store, std::string_view name, std::string_view value_sjis) {
    store.Write(name, sjis::ToUtf8(value_sjis));
}

void ReadInstallationSettings(SettingsStore& store, std::string_view current_folder_sjis,
                              SettingsValues& out) {
    out.CDDir = ReadTextSetting(store, "CDDir", "NULL");
    out.GameDir = ReadTextSetting(store, "GameDir", std::string(current_folder_sjis) + "\\");
    out.CDDA_DRV = ReadTextSetting(store, "CDDA_DRV", "");
    if (out.CDDA_DRV.empty()) out.CDDA_DRV = out.CDDir.substr(0, 3);
}

void ReadStartupSettings(Host& host, SettingsValues& out) {
    SettingsStore& s = host.Settings();
    int screen_w = 0, screen_h = 0;
    host.ScreenSize(screen_w, screen_h);
    out.Left = ReadIntSetting(s, "Left", (screen_w - 808) / 2);
    out.Top = ReadIntSetting(s, "Top", (screen_h - 650) / 2);
    ReadDialogClosingSettings(s, out);
    // A desktop too small for the window starts in the full-screen layout.
    if (out.SMode == 0 && screen_w <= 600) out.SMode = 2;
    out.Clear = ReadIntSetting(s, "Clear", 0);
    out.Seen = ReadIntSetting(s, "Seen", 1) != 0;
    // SkipState is this value + 1, and there are three kinds of skipping.
    out.SkipMode = ReadIntSetting(s, "SkipMode", 0, 0, 2, OutOfRange::Default);
    out.BreakonSelect = ReadIntSetting(s, "BreakonSelect", 1) != 0;
    out.FontName = ReadTextSetting(s, "FontName", sjis_text::kDefaultFontName);
    out.PictureWindowStyle = ReadIntSetting(s, "WINTYPE", 1) != 0;
    out.DirectSoundGlobal = ReadIntSetting(s, "DirectSoundGlobal", 0);
    out.AnimQuality = ReadIntSetting(s, "AnimQuality", 0) != 0;
    out.TXWStyle = ReadIntSetting(s, "TXWStyle", 0);
    char name[16];
    for (int i = 0; i < 5; ++i) {
        std::snprintf(name, sizeof name, "SE%d", i);
        out.SE[i] = ReadIntSetting(s, name, 1);
    }
    for (int i = 0; i < 5; ++i) {
        std::snprintf(name, sizeof name, "SE_LVL%d", i);
        out.SE_LVL[i] = ReadIntSetting(s, name, 0);
    }
    auto volume = [&](const char* n, int fallback) {
        return ReadIntSetting(s, n, fallback, kVolumeLow, kVolumeHigh, OutOfRange::Clamp);
    };
    out.Vol1 = volume("Vol1", 0);
    out.Vol2 = volume("Vol2", -800);
    out.Vol3 = volume("Vol3", -1200);
    out.Vol4 = volume("Vol4", -800);
    out.FONTAA = ReadIntSetting(s, "FONTAA", 0);
    auto size = [&](const char* n, int fallback) {
        return ReadIntSetting(s, n, fallback, kFontSizeLow, kFontSizeHigh, OutOfRange::Clamp);
    };
    out.FONTSIZE = size("FONTSIZE", 18);
    out.FONTSIZE2 = size("FONTSIZE2", 21);
    out.FONTBOLD = ReadIntSetting(s, "FONTBOLD", 0) != 0;
    out.PlayerName = ReadTextSetting(s, "PlayerName", sjis_text::kDefaultPlayerName);
    out.PlayerName2 = ReadTextSetting(s, "PlayerName2", "");
    for (int i = 0; i < 10; ++i) {
        std::snprintf(name, sizeof name, "GV%02d", i);
        out.GV[i] = ReadIntSetting(s, name, 0);
    }
    auto tint = [&](const char* n, int fallback) {
        return ReadIntSetting(s, n, fallback, 0, 255, OutOfRange::Clamp);
    };
    out.TXBG_R = tint("TXBG_R", 0);
    out.TXBG_G = tint("TXBG_G", 0);
    out.TXBG_B = tint("TXBG_B", 0);
    out.TXBG_A = tint("TXBG_A", 90);
    out.OnMemoryMode = ReadIntSetting(s, "OnMemoryMode", 1);
}

void ReadDialogClosingSettings(SettingsStore& s, SettingsValues& out) {
    out.BGM = ReadIntSetting(s, "BGM", 0);
    out.VoiceOn = ReadIntSetting(s, "Wave", 0) == 0;
    out.NormalTextSpeed = ReadIntSetting(s, "Delay", 0) == 0;
    out.GMode = ReadIntSetting(s, "GMode", 0);
    // 0 window, 1 full screen, 2 the borderless window; anything else is not a mode.
    out.SMode = ReadIntSetting(s, "SMode", 0, 0, 2, OutOfRange::Default);
}

}  // namespace vespin
