#pragma once
// Streamed music: a coding-M track from vg_bgm.vsp (or from an animation archive) decoded one
// second at a time into a ring of four one-second blocks in slot 3, which the 55 ms timer keeps
// refilled behind the play position. Tracks loop at their loop point and fade by the tick.

#include <cstdint>
#include <filesystem>
#include <string>

namespace vespin {

struct EngineState;

// The `music` command: n > 0 plays track n, 0 stops, -s fades out by s hundredths of a decibel
// per tick. S003 takes the request, S005 the track actually playing.
void SetMusic(EngineState& e, int n);
// The settings dialog's music switch (the BGM setting): restarts or stops the requested track.
void ChangeMusicSetting(EngineState& e, int bgm);
// Plays "M%02d" from vg_bgm.vsp; nothing when the track is missing.
void PlayMusic(EngineState& e, int track);
// The vg_bgm.vsp entry that holds track n ("M01" for 1).
std::string MusicEntryName(int track);
void StopMusic(EngineState& e);
void FadeOutMusic(EngineState& e, int step);
// First thing on every timer tick: the fade, then the refill.
void MusicTick(EngineState& e);

// Music carried by an animation: the track's header is at `header_offset` of `archive`, which
// the music reads through a handle of its own.
void StartMusicStream(EngineState& e, const std::filesystem::path& archive, int64_t header_offset);
void StopMusicStream(EngineState& e);

}  // namespace vespin
