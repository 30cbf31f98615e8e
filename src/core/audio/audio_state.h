#pragma once
// Sound, music and movie state: the eight slots of the sound device, the looping and last voice
// names, and the music stream that the 55 ms timer keeps refilling.

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/host/sound_device.h"
#include "core/shell/fixed_string.h"

namespace vespin {

// What each slot of the device holds (slots 4, 6 and 7 are never filled).
enum SoundSlot : int {
    kSlotVoice = 0,
    kSlotEffect = 1,
    kSlotLoopingEffect = 2,
    kSlotMusic = 3,
    kSlotMusicSpare = 4,
    kSlotAnimationSound = 5,
};

struct SoundState {
    SoundDevice* Device = nullptr;  // null while sound is off (no device, or before start-up)
    std::array<bool, SoundDevice::kSlotCount> SlotFilled{};
    int MasterVolume = 0;              // the overall volume, hundredths of a decibel; not stored
    FixedString<30> LoopingSoundName;  // upper-cased; saved with the game
    FixedString<30> LastVoice;         // saved with the game
};

enum class MusicSource : uint8_t { Stopped, File, AnimationStream };

inline constexpr int kMusicBlocks = 4;  // the ring holds four one-second blocks

struct MusicState {
    MusicSource Source = MusicSource::Stopped;
    std::ifstream File;  // the archive the track is read from, open while it plays
    int Channels = 0;
    int SampleRate = 0;
    uint8_t Scale = 0;
    int64_t End = 0;   // file offset just past the coded data
    int64_t Loop = 0;  // file offset of the loop point
    std::array<int16_t, 2> LoopSamples{};
    std::array<int16_t, 2> Running{};  // coding M's running values
    int64_t ReadPosition = 0;          // the next coded byte in the file
    uint32_t BlockBytes = 0;           // one second of PCM
    int NextBlock = 0;                 // the next block of the ring to refill
    int Volume = 0;                    // current music volume (Vol3, or the fade's level)
    bool Fading = false;
    int FadeLevel = 0;
    int FadeStep = 0;
    std::vector<uint8_t> Coded;  // one second of coded bytes
    std::vector<int16_t> Pcm;    // the ring's samples while it is built, then one block
};

struct AudioState {
    SoundState Sound;
    MusicState Music;
};

}  // namespace vespin
