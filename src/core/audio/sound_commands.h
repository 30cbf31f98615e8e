#pragma once
// The script's sound commands (`voice`, `se`, `seloop`, `seoff`, `music`, `movie`) and the
// inline voice tag.

#include <string>
#include <string_view>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunVoice(EngineState& e, const char* arg);
CommandResult RunSoundEffect(EngineState& e, const char* arg);  // `se` and `seloop`
CommandResult RunSoundEffectOff(EngineState& e, const char* arg);
CommandResult RunMusic(EngineState& e, const char* arg);
CommandResult RunMovie(EngineState& e, const char* arg);

// The inline `[voice NAME]` tag: plays the voice, remembers it as the last voice and adds it to
// the page's voice list.
void PlayVoiceTag(EngineState& e, std::string_view name);

// The effect name after the category rules, or an empty string when the effect's category is
// switched off. Names "SEH" + digit d belong to category d (0..4, setting SEd); category 4
// picks a variant: the eleventh character is raised by SE_LVLk, k being the ninth minus '1'.
std::string EffectName(const EngineState& e, std::string_view name);

}  // namespace vespin
