#pragma once
// Who is fighting: the portraits by character number, and the voice and effect animation each
// character gets for a scoring hand.

#include <string_view>

namespace vespin {

struct EngineState;

// The portrait picture of character `n`; empty for the numbers without one (0, 9 and any
// number outside the table).
std::string_view PortraitName(int n);

// The voice character `n` says for a hand of `kind` and `set_type`; empty when none.
std::string_view HandVoice(int n, int kind, int set_type);

// The effect animation's number for character `n` (its set type counts only for character 1).
int EffectNumber(int n, int set_type);

// Plays the hand's voice and waits for its end, then (for kind 2 and up) the effect animation.
void PlayHandVoiceAndEffect(EngineState& e, int character, int kind, int voice_set_type,
                            int effect_set_type);

}  // namespace vespin
