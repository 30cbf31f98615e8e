#include "openal/openal_sound_device.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>

namespace vespin {

namespace {

// Blocks of a ring handed to OpenAL at once: the one playing and two ahead. The engine refills a
// block right after it stops playing, so every block up to two ahead is final when queued.
constexpr int kRingQueueDepth = 3;

float Gain(int hundredths_db) {
    if (hundredths_db <= kSilentVolume) return 0.0f;
    return static_cast<float>(std::pow(10.0, std::min(hundredths_db, 0) / 2000.0));
}

ALenum FormatOf(const PcmFormat& f) {
    return f.Channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

bool Supported(const PcmFormat& f) {
    return (f.Channels == 1 || f.Channels == 2) && f.SampleRate > 0;
}

ALCdevice* Device(void* p) {
    return static_cast<ALCdevice*>(p);
}

}  // namespace

bool OpenAlSoundDevice::OutputPresent() {
    const ALCchar* name = alcGetString(nullptr, ALC_DEFAULT_DEVICE_SPECIFIER);
    return name != nullptr && name[0] != 0;
}

std::unique_ptr<OpenAlSoundDevice> OpenAlSoundDevice::Open(bool keep_playing_in_background) {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<OpenAlSoundDevice> d(
        new OpenAlSoundDevice(device, context, keep_playing_in_background));
    alGetError();
    alGenSources(kSlotCount, d->m_sources.data());
    if (alGetError() != AL_NO_ERROR) {
        d->m_sources.fill(0);
        return nullptr;  // the destructor closes the device
    }
    d->ApplyListenerGain();
    return d;
}

OpenAlSoundDevice::OpenAlSoundDevice(void* device, void* context, bool keep_in_background)
    : m_device(device), m_context(context), m_keep_in_background(keep_in_background) {}

OpenAlSoundDevice::~OpenAlSoundDevice() {
    for (int slot = 0; slot < kSlotCount; ++slot)
        Release(slot);
    if (m_sources[0] != 0) alDeleteSources(kSlotCount, m_sources.data());
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(static_cast<ALCcontext*>(m_context));
    alcCloseDevice(Device(m_device));
}

void OpenAlSoundDevice::SetWindowActive(bool active) {
    m_window_active = active;
    ApplyListenerGain();
}

void OpenAlSoundDevice::ApplyListenerGain() {
    bool muted = !m_window_active && !m_keep_in_background;
    alListenerf(AL_GAIN, muted ? 0.0f : Gain(m_master_volume));
}

bool OpenAlSoundDevice::CreateBuffer(int slot, const PcmFormat& format,
                                     std::span<const int16_t> samples) {
    Release(slot);
    if (!Valid(slot) || !Supported(format) || samples.empty()) return false;
    Slot& s = m_slots[slot];
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, FormatOf(format), samples.data(),
                 static_cast<ALsizei>(samples.size() * sizeof(int16_t)), format.SampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return false;
    }
    alSourcei(m_sources[slot], AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(m_sources[slot], AL_GAIN, 1.0f);
    s = Slot{};
    s.Exists = true;
    s.Format = format;
    s.Buffers = {buffer};
    return true;
}

void OpenAlSoundDevice::QueueBlock(Slot& s, unsigned buffer, unsigned source) {
    const int16_t* block = s.Ring.data() + static_cast<size_t>(s.NextToQueue) * s.BlockSamples;
    alBufferData(buffer, FormatOf(s.Format), block,
                 static_cast<ALsizei>(s.BlockSamples * sizeof(int16_t)), s.Format.SampleRate);
    alSourceQueueBuffers(source, 1, &buffer);
    s.NextToQueue = (s.NextToQueue + 1) % s.BlockCount;
}

bool OpenAlSoundDevice::CreateStream(int slot, const PcmFormat& format, int block_count,
                                     std::span<const int16_t> samples) {
    Release(slot);
    if (!Valid(slot) || !Supported(format) || block_count <= 0 || samples.empty() ||
        samples.size() % static_cast<size_t>(block_count) != 0) {
        return false;
    }
    Slot& s = m_slots[slot];
    s = Slot{};
    s.Format = format;
    s.BlockCount = block_count;
    s.BlockSamples = samples.size() / static_cast<size_t>(block_count);
    s.Ring.assign(samples.begin(), samples.end());
    int depth = std::min(block_count, kRingQueueDepth);
    s.Buffers.resize(static_cast<size_t>(depth));
    alGetError();
    alGenBuffers(depth, s.Buffers.data());
    if (alGetError() != AL_NO_ERROR) {
        s = Slot{};
        return false;
    }
    alSourcei(m_sources[slot], AL_BUFFER, 0);
    alSourcei(m_sources[slot], AL_LOOPING, AL_FALSE);
    alSourcef(m_sources[slot], AL_GAIN, 1.0f);
    for (unsigned buffer : s.Buffers)
        QueueBlock(s, buffer, m_sources[slot]);
    s.Exists = alGetError() == AL_NO_ERROR;
    if (!s.Exists) Release(slot);
    return m_slots[slot].Exists;
}

void OpenAlSoundDevice::WriteStreamBlock(int slot, int block, std::span<const int16_t> samples) {
    if (!Valid(slot)) return;
    Slot& s = m_slots[slot];
    if (!s.Exists || s.BlockCount == 0 || block < 0 || block >= s.BlockCount ||
        samples.size() != s.BlockSamples) {
        return;
    }
    std::copy(samples.begin(), samples.end(),
              s.Ring.begin() + static_cast<ptrdiff_t>(block * s.BlockSamples));
    PumpRing(slot);
}

void OpenAlSoundDevice::PumpRing(int slot) {
    Slot& s = m_slots[slot];
    if (!s.Exists || s.BlockCount == 0) return;
    ALuint source = m_sources[slot];
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source, 1, &buffer);
        s.FrontBlock = (s.FrontBlock + 1) % s.BlockCount;
        QueueBlock(s, buffer, source);
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    // A ring that ran dry (the engine was held up for seconds) starts again where it stands.
    if (s.RingPlaying && state != AL_PLAYING) alSourcePlay(source);
}

void OpenAlSoundDevice::Play(int slot, PlayMode mode) {
    if (!Valid(slot) || !m_slots[slot].Exists) return;
    Slot& s = m_slots[slot];
    if (s.BlockCount > 0) {
        s.RingPlaying = true;
    } else {
        alSourcei(m_sources[slot], AL_LOOPING, mode == PlayMode::Looping ? AL_TRUE : AL_FALSE);
    }
    alSourcePlay(m_sources[slot]);
}

void OpenAlSoundDevice::Stop(int slot) {
    if (!Valid(slot) || !m_slots[slot].Exists) return;
    m_slots[slot].RingPlaying = false;
    // Paused keeps the position, as a stopped buffer does.
    ALint state = AL_STOPPED;
    alGetSourcei(m_sources[slot], AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) alSourcePause(m_sources[slot]);
}

void OpenAlSoundDevice::Release(int slot) {
    if (!Valid(slot) || m_sources[slot] == 0) return;
    Slot& s = m_slots[slot];
    ALuint source = m_sources[slot];
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);  // also empties a ring's queue
    if (!s.Buffers.empty())
        alDeleteBuffers(static_cast<ALsizei>(s.Buffers.size()), s.Buffers.data());
    s = Slot{};
}

bool OpenAlSoundDevice::IsPlaying(int slot) {
    if (!Valid(slot) || !m_slots[slot].Exists) return false;
    if (m_slots[slot].BlockCount > 0) {
        PumpRing(slot);
        return m_slots[slot].RingPlaying;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(m_sources[slot], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

uint32_t OpenAlSoundDevice::PlayPosition(int slot) {
    if (!Valid(slot) || !m_slots[slot].Exists) return 0;
    Slot& s = m_slots[slot];
    PumpRing(slot);
    ALint offset = 0;
    alGetSourcei(m_sources[slot], AL_BYTE_OFFSET, &offset);
    if (offset < 0) offset = 0;
    if (s.BlockCount == 0) return static_cast<uint32_t>(offset);
    // The offset counts from the front of the queue, which holds FrontBlock.
    uint32_t block_bytes = static_cast<uint32_t>(s.BlockSamples * sizeof(int16_t));
    uint32_t ahead = static_cast<uint32_t>(offset) / block_bytes;
    uint32_t block =
        (static_cast<uint32_t>(s.FrontBlock) + ahead) % static_cast<uint32_t>(s.BlockCount);
    return block * block_bytes + static_cast<uint32_t>(offset) % block_bytes;
}

void OpenAlSoundDevice::SetVolume(int slot, int hundredths_db) {
    if (!Valid(slot) || !m_slots[slot].Exists) return;
    alSourcef(m_sources[slot], AL_GAIN, Gain(hundredths_db));
}

void OpenAlSoundDevice::SetMasterVolume(int hundredths_db) {
    m_master_volume = std::clamp(hundredths_db, kSilentVolume, 0);
    ApplyListenerGain();
}

}  // namespace vespin
