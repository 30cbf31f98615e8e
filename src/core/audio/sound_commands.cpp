#include "core/audio/sound_commands.h"

#include <cstring>

#include "core/audio/audio_state.h"
#include "core/audio/movie.h"
#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/backlog.h"
#include "core/text/self_voicing.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

void RememberVoice(EngineState& e, std::string_view name) {
    FixedString<kPageVoiceListBytes>& list = e.Backlog.PageVoiceList;
    std::string text(list.View());
    text.append(name).push_back(' ');
    list = text;  // cut at the field's size, as the page record keeps it
    e.Audio.Sound.LastVoice = name;
    NoteVoiceStarted(e);
}

}  // namespace

std::string EffectName(const EngineState& e, std::string_view name) {
    std::string upper = sjis::UpperAscii(name);
    if (upper.size() < 4 || upper.compare(0, 3, "SEH") != 0 || upper[3] < '0' || upper[3] > '9')
        return upper;
    int category = upper[3] - '0';
    if (category > 4) return upper;  // no setting: always plays
    if (e.Settings.SE[category] == 0) return {};
    if (category == 4 && upper.size() >= 11) {
        int k = upper[8] - '1';
        if (k >= 0 && k <= 4) upper[10] = static_cast<char>(upper[10] + e.Settings.SE_LVL[k]);
    }
    return upper;
}

void PlayVoiceTag(EngineState& e, std::string_view name) {
    PlayVoice(e, name);
    RememberVoice(e, name);
}

CommandResult RunVoice(EngineState& e, const char* arg) {
    std::string_view name(arg);
    RememberVoice(e, name);
    PlayVoice(e, name);
    AddVoiceMark(e.Backlog, name);
    return CommandResult::NextLine;
}

CommandResult RunSoundEffect(EngineState& e, const char* arg) {
    std::string name = EffectName(e, arg);
    if (!name.empty()) PlaySound(e, name);
    return CommandResult::NextLine;
}

CommandResult RunSoundEffectOff(EngineState& e, const char*) {
    StopLoopingSound(e);
    return CommandResult::NextLine;
}

CommandResult RunMusic(EngineState& e, const char* arg) {
    SetMusic(e, ParseDecimal(arg));
    return CommandResult::NextLine;
}

CommandResult RunMovie(EngineState& e, const char* arg) {
    PlayMovie(e, arg);
    return CommandResult::EndPass;
}

}  // namespace vespin
