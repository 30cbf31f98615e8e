#pragma once
// The sound device of the vespin front end, on OpenAL Soft: one source per slot. A whole sound is
// one OpenAL buffer on its slot's source; the music ring is kept here as plain samples and fed to
// the source's buffer queue one block at a time, two blocks ahead of the one playing, so that the
// engine's refills of the blocks behind the play position are heard on their next turn.
//
// A front end makes one with Open() from its Host::OpenSoundDevice, keeps it for the life of the
// window, and tells it when the main window gains or loses the focus (SetWindowActive).

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin {

class OpenAlSoundDevice : public SoundDevice {
  public:
    // Whether the system lists a sound output at all (the engine's start-up check).
    static bool OutputPresent();
    // Opens the default output. With `keep_playing_in_background` false, sound is muted while
    // the window is inactive (see SetWindowActive). Null when no device can be opened or it
    // cannot give the eight sources; the game then runs silently.
    static std::unique_ptr<OpenAlSoundDevice> Open(bool keep_playing_in_background);

    ~OpenAlSoundDevice() override;
    OpenAlSoundDevice(const OpenAlSoundDevice&) = delete;
    OpenAlSoundDevice& operator=(const OpenAlSoundDevice&) = delete;

    // The main window became the active window (true) or stopped being it (false).
    void SetWindowActive(bool active);

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

  private:
    struct Slot {
        bool Exists = false;
        PcmFormat Format;
        std::vector<unsigned> Buffers;  // one for a sound, up to three queued for a ring
        // The ring (BlockCount > 0): its samples, the block at the front of the queue and the
        // next block to queue.
        int BlockCount = 0;
        size_t BlockSamples = 0;
        std::vector<int16_t> Ring;
        int FrontBlock = 0;
        int NextToQueue = 0;
        bool RingPlaying = false;
    };

    OpenAlSoundDevice(void* device, void* context, bool keep_in_background);
    static bool Valid(int slot) { return slot >= 0 && slot < kSlotCount; }
    // Moves played blocks of a ring out of the queue and queues the next ones; restarts a ring
    // that ran dry.
    void PumpRing(int slot);
    void QueueBlock(Slot& s, unsigned buffer, unsigned source);
    void ApplyListenerGain();

    void* m_device;
    void* m_context;
    bool m_keep_in_background;
    bool m_window_active = true;
    int m_master_volume = 0;
    std::array<unsigned, kSlotCount> m_sources{};
    std::array<Slot, kSlotCount> m_slots;
};

}  // namespace vespin
