#include "core/battle/battle_cast.h"

#include <array>
#include <cstdio>

#include "core/anim/anim_player.h"
#include "core/audio/sound.h"
#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr std::array<std::string_view, 20> kPortraits = {
    "",
    "b_sel002",
    "b_ste002",
    "b_sys002",
    "b_may002",
    "b_mayu002",
    "b_ran002",
    "b_val002",
    "b_lin002",
    "",
    "b_boss002",
    "b_ogre002",
    "b_slime002",
    "b_loper002",
    "b_ghost002",
    "b_dragon002",
    "b_griffon002",
    "b_knight002",
    "b_salamandar002",
    "b_seamonster002",
};

// Character 1 by set type 1..5: three of a kind, four, five.
constexpr std::array<std::array<std::string_view, 5>, 3> kFirstCharacterSets = {{
    {"add_sel001", "add_sel004", "add_sel007", "add_sel010", "add_sel013"},
    {"add_sel002", "add_sel005", "add_sel008", "add_sel011", "add_sel014"},
    {"add_sel003", "add_sel006", "add_sel009", "add_sel012", "add_sel015"},
}};

// Characters 2..8: three of a kind, four, five.
constexpr std::array<std::array<std::string_view, 3>, 7> kOtherCharacters = {{
    {"battle_ste001", "battle_ste002", "battle_ste003"},
    {"battle_sys001", "battle_sys002", "battle_sys003"},
    {"battle_may001", "battle_may002", "battle_may003"},
    {"battle_mayu001", "battle_mayu002", "battle_mayu003"},
    {"battle_ran001", "battle_ran002", "battle_ran003"},
    {"battle_val001", "battle_val002", "battle_val003"},
    {"battle_lin001", "battle_lin002", "battle_lin003"},
}};

// Kinds 2, 4 and 5 as rows of the tables above; -1 for the others.
int SetRow(int kind) {
    return kind == 2 ? 0 : kind == 4 ? 1 : kind == 5 ? 2 : -1;
}

// A voice longer than this is not waited for to its end: the battle goes on.
constexpr int kLongestVoiceWaitMs = 120000;

void WaitForVoice(EngineState& e) {
    uint32_t start = e.Host.NowMs();
    while (IsVoicePlaying(e) && !e.Shell.WindowClosed &&
           e.Host.NowMs() - start < static_cast<uint32_t>(kLongestVoiceWaitMs))
        e.Host.SleepMs(10);
}

void DisableToolButtons(EngineState& e) {
    e.Toolbar.ExitEnabled = e.Toolbar.SettingsEnabled = e.Toolbar.SaveEnabled = false;
    e.Host.UpdateToolbar(e.Toolbar);
}

}  // namespace

std::string_view PortraitName(int n) {
    return n >= 0 && n < static_cast<int>(kPortraits.size()) ? kPortraits[n] : "";
}

std::string_view HandVoice(int n, int kind, int set_type) {
    if (n == 1) {
        if (kind == 1) return "add_sel016";
        if (kind == 3) return "add_sel017";
        int row = SetRow(kind);
        if (row < 0 || set_type < 1 || set_type > 5) return "";
        return kFirstCharacterSets[row][set_type - 1];
    }
    int row = SetRow(kind);
    if (n < 2 || n > 8 || row < 0) return "";
    return kOtherCharacters[n - 2][row];
}

int EffectNumber(int n, int set_type) {
    if (n == 1) return set_type - 1;
    if (n >= 2 && n <= 8) return 5 + (n - 2);
    return 12;
}

void PlayHandVoiceAndEffect(EngineState& e, int character, int kind, int voice_set_type,
                            int effect_set_type) {
    std::string_view voice = HandVoice(character, kind, voice_set_type);
    if (!voice.empty()) PlayVoice(e, voice);
    WaitForVoice(e);
    if (kind < 2) return;
    char args[32];
    std::snprintf(args, sizeof args, "eff%02d,240,180", EffectNumber(character, effect_set_type));
    PlayBattleAnimation(e, args);
    DisableToolButtons(e);
}

}  // namespace vespin
