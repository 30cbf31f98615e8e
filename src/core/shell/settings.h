#pragma once
// The user settings, read once at start-up from the Host's settings store (the original registry
// key Software\Kestrowen, section PALUDERNA) into engine state. Names, types and defaults are the
// original's; integers are stored as decimal text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vespin {

class Host;
class SettingsStore;

struct SettingsValues {
    // Read when the main window is created.
    std::string CDDir;     // Shift-JIS
    std::string GameDir;   // Shift-JIS
    std::string CDDA_DRV;  // Shift-JIS; defaults to the first three bytes of CDDir

    int Left = 0, Top = 0;
    int BGM = 0;                  // 0 music on; otherwise off
    bool VoiceOn = true;          // Wave = 0
    bool NormalTextSpeed = true;  // Delay = 0: the typing effect
    int GMode = 0;
    int SMode = 0;
    int Clear = 0;
    bool Seen = true;
    int SkipMode = 0;
    bool BreakonSelect = true;
    std::string FontName;            // Shift-JIS
    bool PictureWindowStyle = true;  // WINTYPE
    int DirectSoundGlobal = 0;
    bool AnimQuality = false;
    int TXWStyle = 0;
    std::array<int, 5> SE{1, 1, 1, 1, 1};
    std::array<int, 5> SE_LVL{};
    int Vol1 = 0, Vol2 = -800, Vol3 = -1200, Vol4 = -800;
    int FONTAA = 0;
    int FONTSIZE = 18;
    int FONTSIZE2 = 21;
    bool FONTBOLD = false;
    std::string PlayerName;   // Shift-JIS
    std::string PlayerName2;  // Shift-JIS
    std::array<int, 10> GV{};
    int TXBG_R = 0, TXBG_G = 0, TXBG_B = 0, TXBG_A = 90;
    int OnMemoryMode = 1;
};

// Integer value: decimal text (an unreadable text gives the default), or the default when missing.
int ReadIntSetting(SettingsStore& store, std::string_view name, int fallback);
// What a stored integer outside its range becomes: the nearest end of the range, or the default.
enum class OutOfRange : uint8_t { Clamp, Default };
// An integer value that only means something within [low, high]: a value the player (or a hand
// edit of the file) left outside never reaches the engine.
int ReadIntSetting(SettingsStore& store, std::string_view name, int fallback, int low, int high,
                   OutOfRange rule);
// The ranges the engine holds its values to.
inline constexpr int kVolumeLow = -3000, kVolumeHigh = 0;  // hundredths of a decibel
inline constexpr int kFontSizeLow = 11, kFontSizeHigh = 22;
// Text value converted to Shift-JIS; the default when missing or not representable.
std::string ReadTextSetting(SettingsStore& store, std::string_view name,
                            std::string_view fallback_sjis);
void WriteIntSetting(SettingsStore& store, std::string_view name, int value);
void WriteTextSetting(SettingsStore& store, std::string_view name, std::string_view value_sjis);

// The three installation values, read at window creation.
void ReadInstallationSettings(SettingsStore& store, std::string_view current_folder_sjis,
                              SettingsValues& out);
// Every other value, in the table's order.
void ReadStartupSettings(Host& host, SettingsValues& out);
// The values the settings dialog's closing reads again: BGM, Wave, Delay, GMode and SMode.
void ReadDialogClosingSettings(SettingsStore& store, SettingsValues& out);

}  // namespace vespin
