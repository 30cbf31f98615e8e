#include "core/audio/sound.h"

#include <vector>

#include "core/audio/audio_state.h"
#include "core/audio/ogg_decoder.h"
#include "core/audio/wady.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

// The largest sound entry read; anything larger decodes past wady::kMaxPcmBytes anyway.
constexpr size_t kMaxEntryBytes = wady::kMaxPcmBytes;

void FillSlot(EngineState& e, int slot, const PcmFormat& format,
              const std::vector<int16_t>& samples, int volume, PlayMode mode) {
    SoundState& s = e.Audio.Sound;
    ReleaseSlot(e, slot);
    if (samples.empty() || !s.Device->CreateBuffer(slot, format, samples)) return;
    s.SlotFilled[slot] = true;
    s.Device->SetVolume(slot, volume);
    s.Device->Play(slot, mode);
}

void PlayWady(EngineState& e, const std::vector<uint8_t>& entry, int slot) {
    wady::Header header;
    if (!wady::ParseHeader(entry, header)) return;
    std::vector<int16_t> pcm = wady::DecodeR(entry);
    PcmFormat format;
    if (!wady::PlayFormat(header, format)) {
        // The buffer cannot be made in that format: the slot is left empty.
        ReleaseSlot(e, slot);
        return;
    }
    pcm.resize(pcm.size() / format.Channels * format.Channels);
    int volume = slot == kSlotVoice ? e.Settings.Vol1 : e.Settings.Vol2;
    FillSlot(e, slot, format, pcm, volume,
             slot == kSlotLoopingEffect ? PlayMode::Looping : PlayMode::Once);
}

void PlayOgg(EngineState& e, const std::vector<uint8_t>& entry) {
    DecodedSound sound;
    if (!DecodeOgg(entry, sound)) return;
    FillSlot(e, kSlotVoice, sound.Format, sound.Samples, e.Settings.Vol1, PlayMode::Once);
}

bool IsOggArchive(ArchiveId id) {
    return id == ArchiveId::Ogg1 || id == ArchiveId::Ogg2 || id == ArchiveId::Ogg3;
}

}  // namespace

bool SoundReady(const EngineState& e) {
    return e.Audio.Sound.Device != nullptr;
}

void InitSound(EngineState& e) {
    SoundState& s = e.Audio.Sound;
    if (s.Device) return;
    SoundDevice* device = e.Host.OpenSoundDevice(e.Settings.DirectSoundGlobal != 0);
    if (!device) return;
    s.Device = device;
    s.SlotFilled.fill(false);
    s.MasterVolume = device->MasterVolume();
    e.Audio.Music.Source = MusicSource::Stopped;
}

void ShutdownSound(EngineState& e) {
    SoundState& s = e.Audio.Sound;
    if (!s.Device) return;
    for (int slot = 0; slot < SoundDevice::kSlotCount; ++slot)
        ReleaseSlot(e, slot);
    e.Audio.Music.File.close();
    e.Audio.Music.Source = MusicSource::Stopped;
    s.Device = nullptr;
    e.Host.CloseSoundDevice();
}

void ReleaseSlot(EngineState& e, int slot) {
    SoundState& s = e.Audio.Sound;
    if (!s.Device || slot < 0 || slot >= SoundDevice::kSlotCount || !s.SlotFilled[slot]) return;
    if (s.Device->IsPlaying(slot)) s.Device->Stop(slot);
    s.Device->Release(slot);
    s.SlotFilled[slot] = false;
}

EntryRef FindSound(const ArchiveSet& archives, std::string_view name) {
    return FindInOrder(
        archives,
        {ArchiveId::Ogg3, ArchiveId::Ogg2, ArchiveId::Ogg1, ArchiveId::Wav4, ArchiveId::Wav3,
         ArchiveId::Wav2, ArchiveId::Wav1, ArchiveId::Se0, ArchiveId::Se1, ArchiveId::Se2},
        sjis::UpperAscii(name));
}

int PlaySound(EngineState& e, std::string_view name) {
    if (!SoundReady(e)) return 0;
    std::string upper = sjis::UpperAscii(name);
    EntryRef ref = FindSound(e.Archives, upper);
    if (!ref.Found()) return 1;
    std::vector<uint8_t> entry;
    if (!ReadEntry(e.Archives, ref, entry, kMaxEntryBytes)) return 1;
    if (IsOggArchive(ref.Archive)) {
        PlayOgg(e, entry);
    } else if (ref.Archive == ArchiveId::Se0 || ref.Archive == ArchiveId::Se1) {
        PlayWady(e, entry, kSlotEffect);
    } else if (ref.Archive == ArchiveId::Se2) {
        e.Audio.Sound.LoopingSoundName = upper;
        PlayWady(e, entry, kSlotLoopingEffect);
    } else {
        PlayWady(e, entry, kSlotVoice);
    }
    return 0;
}

void PlayVoice(EngineState& e, std::string_view name) {
    if (e.Shell.SoundDevicePresent && e.Settings.VoiceOn && e.Shell.SkipState == 0)
        PlaySound(e, name);
}

bool IsVoicePlaying(EngineState& e) {
    const SoundState& s = e.Audio.Sound;
    return s.Device && s.SlotFilled[kSlotVoice] && s.Device->IsPlaying(kSlotVoice);
}

void StopVoice(EngineState& e) {
    ReleaseSlot(e, kSlotVoice);
}

void StopLoopingSound(EngineState& e) {
    if (!SoundReady(e)) return;
    e.Audio.Sound.LoopingSoundName.Clear();
    ReleaseSlot(e, kSlotLoopingEffect);
}

void ApplyVolumes(EngineState& e) {
    SoundState& s = e.Audio.Sound;
    if (!s.Device) return;
    s.Device->SetMasterVolume(s.MasterVolume);
    // Slot 5 keeps the volume its sound started with; Vol4 has no slot.
    const std::pair<int, int> volumes[] = {{kSlotVoice, e.Settings.Vol1},
                                           {kSlotEffect, e.Settings.Vol2},
                                           {kSlotLoopingEffect, e.Settings.Vol2},
                                           {kSlotMusic, e.Settings.Vol3}};
    for (auto [slot, volume] : volumes) {
        if (s.SlotFilled[slot]) s.Device->SetVolume(slot, volume);
    }
}

void SetOverallVolume(EngineState& e, int hundredths_db) {
    e.Audio.Sound.MasterVolume = hundredths_db;
    ApplyVolumes(e);
}

void PlayAnimationSound(EngineState& e, std::span<const uint8_t> entry) {
    if (!SoundReady(e)) return;
    wady::Header header;
    if (!wady::ParseHeader(entry, header)) return;
    std::vector<int16_t> pcm = wady::DecodeD(entry);
    PcmFormat format;
    if (!wady::PlayFormat(header, format)) {
        ReleaseSlot(e, kSlotAnimationSound);
        return;
    }
    pcm.resize(pcm.size() / format.Channels * format.Channels);
    FillSlot(e, kSlotAnimationSound, format, pcm, e.Settings.Vol2, PlayMode::Once);
}

void StopAnimationSound(EngineState& e) {
    ReleaseSlot(e, kSlotAnimationSound);
}

}  // namespace vespin
