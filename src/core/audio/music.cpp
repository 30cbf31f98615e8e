#include "core/audio/music.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/audio/audio_state.h"
#include "core/audio/sound.h"
#include "core/audio/wady.h"
#include "core/graphics/frame_clock.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr int kFadeFloor = -3000;
constexpr int64_t kFadeStepLimit = 10000;
// Rates past this make a one-second block absurdly large; such a track stays silent.
constexpr uint32_t kMaxMusicRate = 192000;

// Reads `count` bytes at `offset` of the music file; what the file does not hold reads as zero.
void ReadCoded(MusicState& m, int64_t offset, size_t count) {
    m.Coded.assign(count, 0);
    m.File.clear();
    m.File.seekg(offset);
    m.File.read(reinterpret_cast<char*>(m.Coded.data()), static_cast<std::streamsize>(count));
}

// Decodes one second of music into `out` (SampleRate frames), wrapping to the loop point with
// the loop-point samples whenever the coded data ends. A loop shorter than a second wraps as
// often as it must.
void FillSecond(MusicState& m, int16_t* out) {
    int64_t needed = static_cast<int64_t>(m.SampleRate) * m.Channels;
    size_t written = 0;
    while (needed > 0) {
        if (m.ReadPosition >= m.End) {
            m.ReadPosition = m.Loop;
            m.Running = m.LoopSamples;
        }
        int64_t take = std::min(needed, m.End - m.ReadPosition);
        ReadCoded(m, m.ReadPosition, static_cast<size_t>(take));
        size_t frames = static_cast<size_t>(take) / m.Channels;
        wady::DecodeM(m.Coded.data(), frames, m.Channels, m.Scale, m.Running, out + written);
        written += frames * m.Channels;
        m.ReadPosition += take;
        needed -= take;
    }
}

// Takes the track's parameters from its header. False for a track that cannot play.
bool ReadTrackHeader(MusicState& m, int64_t header_offset, PcmFormat& format) {
    uint8_t bytes[wady::kHeaderSize];
    m.File.seekg(header_offset);
    if (!m.File.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
    wady::Header h;
    if (!wady::ParseHeader(bytes, h) || !wady::PlayFormat(h, format)) return false;
    if ((h.Channels != 1 && h.Channels != 2) || h.Channels != format.Channels) return false;
    if (h.SampleRate == 0 || h.SampleRate > kMaxMusicRate) return false;
    m.File.seekg(0, std::ios::end);
    int64_t file_size = m.File.tellg();
    int64_t data = header_offset + static_cast<int64_t>(wady::kHeaderSize);
    // The coded data ends where the header says, or at the end of the file if that comes first.
    m.End = std::min(data + static_cast<int64_t>(h.CodedLength), file_size);
    if (m.End - data < h.Channels) return false;
    m.Loop = data + static_cast<int64_t>(h.LoopStart);
    if (m.Loop >= m.End) m.Loop = data;  // a loop point past the data loops the whole track
    m.Channels = h.Channels;
    m.SampleRate = static_cast<int>(h.SampleRate);
    m.Scale = h.Scale;
    m.LoopSamples = {h.LoopLeft, h.LoopRight};
    m.BlockBytes = h.SampleRate * 2u * h.Channels;
    format = PcmFormat{h.Channels, static_cast<int>(h.SampleRate)};
    m.ReadPosition = data;
    m.Running = {0, 0};
    return true;
}

void StartMusic(EngineState& e, const std::filesystem::path& file, int64_t header_offset,
                MusicSource source) {
    if (!SoundReady(e)) return;
    MusicState& m = e.Audio.Music;
    StartClock(e);
    m.Volume = e.Settings.Vol3;
    m.Fading = false;
    m.FadeLevel = 0;
    ReleaseSlot(e, kSlotMusic);
    ReleaseSlot(e, kSlotMusicSpare);
    m.File.close();
    m.Source = MusicSource::Stopped;
    m.File.open(file, std::ios::binary);
    if (!m.File) return;
    PcmFormat format;
    if (!ReadTrackHeader(m, header_offset, format)) {
        m.File.close();
        return;
    }
    // Four seconds to begin with; a track shorter than that already loops inside them.
    size_t block_samples = static_cast<size_t>(m.SampleRate) * m.Channels;
    m.Pcm.assign(block_samples * kMusicBlocks, 0);
    for (int b = 0; b < kMusicBlocks; ++b)
        FillSecond(m, m.Pcm.data() + b * block_samples);
    SoundState& s = e.Audio.Sound;
    if (!s.Device->CreateStream(kSlotMusic, format, kMusicBlocks, m.Pcm)) {
        m.File.close();
        return;
    }
    s.SlotFilled[kSlotMusic] = true;
    s.Device->SetVolume(kSlotMusic, m.Volume);
    s.Device->Play(kSlotMusic, PlayMode::Looping);
    m.NextBlock = 0;
    m.Source = source;
    m.Pcm.assign(block_samples, 0);
}

}  // namespace

void SetMusic(EngineState& e, int n) {
    int track = n < 0 ? 0 : n;
    // A step past the whole volume range stops the music at the first tick all the same; held
    // there, the fade's arithmetic stays inside int whatever the script asks for.
    int fade_step =
        n < 0 ? static_cast<int>(std::min(-static_cast<int64_t>(n), kFadeStepLimit)) : 0;
    VariableBanks& v = e.Vars;
    v.S[sys::kMusicRequested] = track;
    if (track == v.S[sys::kMusicPlaying]) return;
    if (e.Settings.BGM == 0) {
        if (track > 0) {
            PlayMusic(e, track);
        } else if (fade_step != 0) {
            FadeOutMusic(e, fade_step);
        } else {
            StopMusic(e);
        }
        v.S[sys::kMusicPlaying] = track;
    } else {
        v.S[sys::kMusicPlaying] = e.Settings.BGM == 1 ? 0 : track;
    }
}

void ChangeMusicSetting(EngineState& e, int bgm) {
    int requested = e.Vars.S[sys::kMusicRequested];
    SetMusic(e, 0);
    e.Settings.BGM = bgm;
    SetMusic(e, requested);
    e.Vars.S[sys::kMusicRequested] = requested;
}

std::string MusicEntryName(int track) {
    char name[16];
    std::snprintf(name, sizeof name, "M%02d", track);
    return name;
}

void PlayMusic(EngineState& e, int track) {
    const ArchiveDirectory& dir = e.Archives[ArchiveId::Bgm];
    int index = FindEntry(dir, MusicEntryName(track));
    if (index < 0 || dir.Offsets[index] < 0) return;
    StartMusic(e, e.Archives.Folder / dir.FileName, dir.Offsets[index], MusicSource::File);
}

void StopMusic(EngineState& e) {
    MusicState& m = e.Audio.Music;
    if (m.Source == MusicSource::Stopped) return;
    m.Source = MusicSource::Stopped;
    ReleaseSlot(e, kSlotMusic);
    m.File.close();
}

void FadeOutMusic(EngineState& e, int step) {
    MusicState& m = e.Audio.Music;
    // A fade starts from the current volume even when that is full volume (0).
    m.Fading = true;
    m.FadeLevel = m.Volume;
    m.FadeStep = step;
}

void MusicTick(EngineState& e) {
    SoundState& s = e.Audio.Sound;
    MusicState& m = e.Audio.Music;
    if (!s.Device || !s.SlotFilled[kSlotMusic] || m.Source == MusicSource::Stopped) return;
    if (m.Fading) {
        m.FadeLevel -= m.FadeStep;
        if (m.FadeLevel < kFadeFloor) {
            StopMusic(e);
            m.Fading = false;
            m.FadeLevel = 0;
            return;
        }
        m.Volume = m.FadeLevel;
        s.Device->SetVolume(kSlotMusic, m.Volume);
    }
    // Keep the three blocks behind the play position one second ahead each.
    int playing = static_cast<int>(s.Device->PlayPosition(kSlotMusic) / m.BlockBytes);
    if (playing < 0 || playing >= kMusicBlocks) return;
    while (m.NextBlock != playing) {
        FillSecond(m, m.Pcm.data());
        s.Device->WriteStreamBlock(kSlotMusic, m.NextBlock, m.Pcm);
        m.NextBlock = (m.NextBlock + 1) % kMusicBlocks;
    }
}

void StartMusicStream(EngineState& e, const std::filesystem::path& archive, int64_t header_offset) {
    StartMusic(e, archive, header_offset, MusicSource::AnimationStream);
}

void StopMusicStream(EngineState& e) {
    StopMusic(e);
}

}  // namespace vespin
