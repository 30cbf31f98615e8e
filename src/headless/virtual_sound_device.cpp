#include "headless/virtual_sound_device.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace vespin {

namespace {

float Gain(int hundredths_db) {
    if (hundredths_db <= kSilentVolume) return 0.0f;
    return static_cast<float>(std::pow(10.0, std::min(hundredths_db, 0) / 2000.0));
}

int ClampVolume(int v) {
    return std::clamp(v, kSilentVolume, 0);
}

}  // namespace

VirtualSoundDevice::VirtualSoundDevice(std::function<uint32_t()> now) : m_now(std::move(now)) {
    m_mixed_until = NowMixFrame();
}

uint64_t VirtualSoundDevice::NowMixFrame() const {
    return static_cast<uint64_t>(m_now()) * kMixRate / 1000;
}

size_t VirtualSoundDevice::FrameCount(const Slot& s) const {
    return s.Samples.size() / static_cast<size_t>(s.Format.Channels);
}

uint64_t VirtualSoundDevice::FrameAt(const Slot& s, uint64_t mix_frame) const {
    uint64_t elapsed = mix_frame > s.StartMixFrame ? mix_frame - s.StartMixFrame : 0;
    return s.StartFrame + elapsed * static_cast<uint64_t>(s.Format.SampleRate) / kMixRate;
}

void VirtualSoundDevice::Advance() {
    uint64_t now = NowMixFrame();
    if (m_capturing) MixUntil(now);
    m_mixed_until = std::max(m_mixed_until, now);
    for (Slot& s : m_slots) {
        if (!s.Exists || !s.Playing || s.Mode != PlayMode::Once) continue;
        if (FrameAt(s, now) >= FrameCount(s)) {
            s.Playing = false;
            s.StartFrame = FrameCount(s);
        }
    }
}

void VirtualSoundDevice::MixUntil(uint64_t target) {
    if (target <= m_mixed_until) return;
    size_t frames = static_cast<size_t>(target - m_mixed_until);
    std::vector<float> mix(frames * 2, 0.0f);
    float master = Gain(m_master_volume);
    for (const Slot& s : m_slots) {
        size_t count = FrameCount(s);
        if (!s.Exists || !s.Playing || count == 0) continue;
        float gain = Gain(s.Volume) * master;
        int ch = s.Format.Channels;
        for (size_t i = 0; i < frames; ++i) {
            uint64_t f = FrameAt(s, m_mixed_until + i);
            if (s.Mode == PlayMode::Once) {
                if (f >= count) break;
            } else {
                f %= count;
            }
            const int16_t* frame = s.Samples.data() + f * ch;
            mix[2 * i] += gain * frame[0];
            mix[2 * i + 1] += gain * frame[ch - 1];
        }
    }
    for (float v : mix) {
        m_captured.push_back(static_cast<int16_t>(std::lround(std::clamp(v, -32768.0f, 32767.0f))));
    }
    m_mixed_until = target;
}

bool VirtualSoundDevice::Fill(int slot, const PcmFormat& format, std::span<const int16_t> samples,
                              int blocks) {
    Release(slot);
    if (!Valid(slot) || (format.Channels != 1 && format.Channels != 2) || format.SampleRate <= 0 ||
        samples.empty() || samples.size() % static_cast<size_t>(format.Channels) != 0) {
        return false;
    }
    Slot& s = m_slots[slot];
    s = Slot{};
    s.Exists = true;
    s.Format = format;
    s.Samples.assign(samples.begin(), samples.end());
    s.BlockCount = blocks;
    m_fill_counts[slot] += 1;
    return true;
}

bool VirtualSoundDevice::CreateBuffer(int slot, const PcmFormat& format,
                                      std::span<const int16_t> samples) {
    Advance();
    return Fill(slot, format, samples, 0);
}

bool VirtualSoundDevice::CreateStream(int slot, const PcmFormat& format, int block_count,
                                      std::span<const int16_t> samples) {
    Advance();
    if (block_count <= 0 || samples.size() % static_cast<size_t>(block_count) != 0) return false;
    return Fill(slot, format, samples, block_count);
}

void VirtualSoundDevice::WriteStreamBlock(int slot, int block, std::span<const int16_t> samples) {
    Advance();
    if (!Valid(slot)) return;
    Slot& s = m_slots[slot];
    if (!s.Exists || s.BlockCount == 0 || block < 0 || block >= s.BlockCount) return;
    size_t block_samples = s.Samples.size() / static_cast<size_t>(s.BlockCount);
    if (samples.size() != block_samples) return;
    std::copy(samples.begin(), samples.end(), s.Samples.begin() + block * block_samples);
}

void VirtualSoundDevice::Play(int slot, PlayMode mode) {
    Advance();
    if (!Valid(slot) || !m_slots[slot].Exists) return;
    Slot& s = m_slots[slot];
    s.Mode = mode;
    s.StartMixFrame = NowMixFrame();
    s.Playing = mode == PlayMode::Looping || s.StartFrame < FrameCount(s);
}

void VirtualSoundDevice::Stop(int slot) {
    Advance();
    if (!Valid(slot) || !m_slots[slot].Exists) return;
    Slot& s = m_slots[slot];
    if (!s.Playing) return;
    uint64_t f = FrameAt(s, NowMixFrame());
    s.StartFrame =
        s.Mode == PlayMode::Looping ? f % FrameCount(s) : std::min<uint64_t>(f, FrameCount(s));
    s.Playing = false;
}

void VirtualSoundDevice::Release(int slot) {
    Advance();
    if (Valid(slot)) m_slots[slot] = Slot{};
}

bool VirtualSoundDevice::IsPlaying(int slot) {
    Advance();
    return Valid(slot) && m_slots[slot].Exists && m_slots[slot].Playing;
}

uint32_t VirtualSoundDevice::PlayPosition(int slot) {
    Advance();
    if (!Valid(slot) || !m_slots[slot].Exists) return 0;
    const Slot& s = m_slots[slot];
    uint64_t count = FrameCount(s);
    uint64_t f = s.Playing ? FrameAt(s, NowMixFrame()) : s.StartFrame;
    f = s.Mode == PlayMode::Looping ? f % count : std::min(f, count);
    if (f == count) f = 0;
    return static_cast<uint32_t>(f * static_cast<uint64_t>(s.Format.BlockAlign()));
}

void VirtualSoundDevice::SetVolume(int slot, int hundredths_db) {
    Advance();
    if (Valid(slot) && m_slots[slot].Exists) m_slots[slot].Volume = ClampVolume(hundredths_db);
}

void VirtualSoundDevice::SetMasterVolume(int hundredths_db) {
    Advance();
    m_master_volume = ClampVolume(hundredths_db);
}

void VirtualSoundDevice::StartCapture() {
    Advance();
    m_capturing = true;
    m_capture_start = m_mixed_until;
    m_captured.clear();
}

const std::vector<int16_t>& VirtualSoundDevice::Captured() {
    Advance();
    return m_captured;
}

uint32_t AviDurationMs(const std::vector<uint8_t>& head) {
    // RIFF "AVI " LIST "hdrl" "avih" <size> then the main header: microseconds per frame at +0,
    // total frames at +16.
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(head[at]) | static_cast<uint32_t>(head[at + 1]) << 8 |
               static_cast<uint32_t>(head[at + 2]) << 16 |
               static_cast<uint32_t>(head[at + 3]) << 24;
    };
    if (head.size() < 56 || std::memcmp(head.data(), "RIFF", 4) != 0 ||
        std::memcmp(head.data() + 8, "AVI ", 4) != 0 ||
        std::memcmp(head.data() + 12, "LIST", 4) != 0 ||
        std::memcmp(head.data() + 20, "hdrl", 4) != 0 ||
        std::memcmp(head.data() + 24, "avih", 4) != 0) {
        return 0;
    }
    uint64_t micros = static_cast<uint64_t>(u32(32)) * u32(48);
    return static_cast<uint32_t>(std::min<uint64_t>(micros / 1000, 0xFFFFFFFFu));
}

bool VirtualMoviePlayer::Open(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> head(64, 0);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    m_duration_ms = AviDurationMs(head);
    m_open = true;
    m_stopped = false;
    m_open_count += 1;
    m_ready_ms = m_now() + m_prepare_ms;
    return true;
}

bool VirtualMoviePlayer::Preparing() {
    return m_open && static_cast<int32_t>(m_now() - m_ready_ms) < 0;
}

bool VirtualMoviePlayer::IsOpen() {
    return m_open && !(m_prepare_fails && !Preparing());
}

void VirtualMoviePlayer::ShowAndPlay() {
    if (!IsOpen() || Preparing()) return;
    m_visible = true;
    m_stopped = false;
    m_started_ms = m_now();
}

bool VirtualMoviePlayer::IsPlaying() {
    if (!m_open || m_stopped) return false;
    if (m_duration_ms == 0) return true;
    return m_now() - m_started_ms < m_duration_ms;
}

}  // namespace vespin
