#pragma once
// The headless host's sound device and movie player, on the virtual clock.
//
// The device plays nothing aloud: a slot's status and play position follow from the virtual time
// at which it was started. With capture on, it also mixes every playing slot at its volume into
// a 44.1 kHz stereo track as virtual time passes, so a run can be listened to afterwards.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin {

class VirtualSoundDevice : public SoundDevice {
  public:
    static constexpr int kMixRate = 44100;

    // `now` reads the virtual clock in milliseconds.
    explicit VirtualSoundDevice(std::function<uint32_t()> now);

    bool CreateBuffer(int slot, const PcmFormat& format, std::span<const int16_t> samples) override;
    bool CreateStream(int slot, const PcmFormat& format, int block_count,
                      std::span<const int16_t> samples) override;
    void WriteStreamBlock(int slot, int block, std::span<const int16_t> samples) override;
    void Play(int slot, PlayMode mode) override;
    void Stop(int slot) override;
    void Release(int slot) override;
    bool IsPlaying(int slot) override;
    uint32_t PlayPosition(int slot) override;
    void SetVolume(int slot, int hundredths_db) override;
    void SetMasterVolume(int hundredths_db) override;
    int MasterVolume() override { return m_master_volume; }

    // Mixing into the captured track starts at the current virtual time.
    void StartCapture();
    // The captured track up to the current virtual time: interleaved stereo at kMixRate.
    const std::vector<int16_t>& Captured();

    // For tests: what a slot holds.
    bool Holds(int slot) const { return Valid(slot) && m_slots[slot].Exists; }
    int Volume(int slot) const { return Valid(slot) ? m_slots[slot].Volume : 0; }
    PcmFormat Format(int slot) const { return Valid(slot) ? m_slots[slot].Format : PcmFormat{}; }
    const std::vector<int16_t>& Samples(int slot) const { return m_slots[slot].Samples; }
    bool Looping(int slot) const { return Valid(slot) && m_slots[slot].Mode == PlayMode::Looping; }
    // How many buffers the slot has been given since the device opened.
    int FillCount(int slot) const { return Valid(slot) ? m_fill_counts[slot] : 0; }

  private:
    struct Slot {
        bool Exists = false;
        bool Playing = false;
        PcmFormat Format;
        std::vector<int16_t> Samples;
        int BlockCount = 0;  // 0 for a plain buffer
        PlayMode Mode = PlayMode::Once;
        int Volume = 0;
        uint64_t StartFrame = 0;     // the buffer's frame when Play was called
        uint64_t StartMixFrame = 0;  // the output frame at that moment
    };

    static bool Valid(int slot) { return slot >= 0 && slot < kSlotCount; }
    uint64_t NowMixFrame() const;
    size_t FrameCount(const Slot& s) const;
    // The slot's buffer frame at output frame `mix_frame`, without wrapping.
    uint64_t FrameAt(const Slot& s, uint64_t mix_frame) const;
    // Brings the status of one-shot buffers and the capture up to the current time. Every call
    // that changes a slot runs this first, so each change is heard from its own moment on.
    void Advance();
    void MixUntil(uint64_t mix_frame);
    bool Fill(int slot, const PcmFormat& format, std::span<const int16_t> samples, int blocks);

    std::function<uint32_t()> m_now;
    std::array<Slot, kSlotCount> m_slots;
    std::array<int, kSlotCount> m_fill_counts{};
    int m_master_volume = 0;
    bool m_capturing = false;
    uint64_t m_capture_start = 0;  // output frame where the capture starts
    uint64_t m_mixed_until = 0;    // output frames mixed so far (absolute)
    std::vector<int16_t> m_captured;
};

// Movies under the headless host: a movie "plays" for the duration an AVI file states in its main
// header (microseconds per frame times the frame count), measured on the virtual clock; a file
// whose duration cannot be read plays until a click ends it. Files are ready at once unless a
// test asks for a preparation time (and perhaps a failure at its end), as a media pipeline has.
class VirtualMoviePlayer : public MoviePlayer {
  public:
    // `now` reads the virtual clock; `hidden` is told whenever the panel is hidden (it uncovers
    // the drawing area).
    VirtualMoviePlayer(std::function<uint32_t()> now, std::function<void()> hidden = {})
        : m_now(std::move(now)), m_hidden(std::move(hidden)) {}

    bool Open(const std::filesystem::path& path) override;
    bool Preparing() override;
    bool IsOpen() override;
    void ShowAndPlay() override;
    bool IsPlaying() override;
    bool PanelVisible() override { return m_visible; }
    void HidePanel() override {
        if (m_visible && m_hidden) m_hidden();
        m_visible = false;
    }
    void Stop() override { m_stopped = true; }
    void Close() override { m_open = false; }

    // Milliseconds the open movie lasts; 0 when unknown (plays until stopped).
    uint32_t DurationMs() const { return m_duration_ms; }
    int OpenCount() const { return m_open_count; }
    // Each file opened from now on takes `ms` of virtual time to prepare; with `fails` it turns
    // out unplayable when that time is up.
    void SetPreparation(uint32_t ms, bool fails) {
        m_prepare_ms = ms;
        m_prepare_fails = fails;
    }

  private:
    std::function<uint32_t()> m_now;
    std::function<void()> m_hidden;
    bool m_open = false;
    bool m_visible = false;
    bool m_stopped = false;
    uint32_t m_duration_ms = 0;
    uint32_t m_started_ms = 0;
    uint32_t m_ready_ms = 0;
    uint32_t m_prepare_ms = 0;
    bool m_prepare_fails = false;
    int m_open_count = 0;
};

// The playing time an AVI file's main header states, in milliseconds; 0 when the file is not an
// AVI or the header is not where it belongs.
uint32_t AviDurationMs(const std::vector<uint8_t>& head);

}  // namespace vespin
