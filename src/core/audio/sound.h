#pragma once
// Sound output: voices, effects, looping effects and the sounds of animations, each fully
// decoded into one of the device's eight slots. Every call does nothing while sound is off.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/resources/archive.h"

namespace vespin {

struct EngineState;

// Opens the host's sound device (the first idle pass, after `main` is loaded). Sound stays off
// when the host has none.
void InitSound(EngineState& e);
// Releases every slot and the device; sound is off afterwards.
void ShutdownSound(EngineState& e);
bool SoundReady(const EngineState& e);

// Looks `name` up (upper-cased) in the sound archives, Ogg before WADY voices before effects,
// and plays it in the slot its archive decides. Returns 1 when the name or its archive file is
// missing, 0 otherwise (also while sound is off, and when the entry turns out unplayable).
int PlaySound(EngineState& e, std::string_view name);
// Where PlaySound finds a sound: the Ogg voices, the voice archives, then the effect archives.
EntryRef FindSound(const ArchiveSet& archives, std::string_view name);
// A voice or a screen sound: plays only with a sound output present, voices on and no skipping.
void PlayVoice(EngineState& e, std::string_view name);
bool IsVoicePlaying(EngineState& e);
void StopVoice(EngineState& e);
// `seoff`: forgets the looping sound and stops it.
void StopLoopingSound(EngineState& e);
// Overall volume, Vol1 on the voice, Vol2 on the effects and Vol3 on the music (filled slots).
void ApplyVolumes(EngineState& e);
// The settings dialog's overall-volume slider.
void SetOverallVolume(EngineState& e, int hundredths_db);

// A coding-D entry from an animation stream, played once in slot 5 at Vol2.
void PlayAnimationSound(EngineState& e, std::span<const uint8_t> entry);
void StopAnimationSound(EngineState& e);

// Stops and frees one slot if it holds a buffer.
void ReleaseSlot(EngineState& e, int slot);

}  // namespace vespin
