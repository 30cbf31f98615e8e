#pragma once
// The two media services a Host may offer the engine: a sound device with eight slots, and a
// movie player whose picture covers the drawing area. The engine reaches both through Host
// (host.h); a host without them returns none and the game runs silently and without movies.
//
// Both are called only from the engine's thread. A device mixes in the background on its own;
// nothing here calls back into the engine.

#include <cstdint>
#include <filesystem>
#include <span>

namespace vespin {

// Interleaved signed 16-bit samples (left first), `Channels` per frame.
struct PcmFormat {
    int Channels = 2;        // 1 or 2
    int SampleRate = 44100;  // frames per second

    int BlockAlign() const { return Channels * 2; }  // bytes per frame
    bool operator==(const PcmFormat&) const = default;
};

enum class PlayMode : uint8_t { Once, Looping };

// Volumes are in hundredths of a decibel: 0 is full volume, kSilentVolume is silence, and
// anything in between attenuates logarithmically (-600 halves the amplitude, near enough).
inline constexpr int kSilentVolume = -10000;

// Eight slots, each empty or holding one buffer. A buffer is either a whole sound, copied in
// when the slot is filled, or a ring of equal blocks that the engine keeps rewriting behind the
// play position (the music stream). Positions are byte offsets into the buffer or ring, counted
// as if the samples were laid out end to end.
class SoundDevice {
  public:
    static constexpr int kSlotCount = 8;

    virtual ~SoundDevice() = default;

    // Releases whatever `slot` holds, then fills it with a copy of `samples` (the caller keeps
    // ownership; a whole number of frames). On success the slot holds a stopped buffer at
    // position 0 and volume 0; on failure (format not supported, no memory) it is empty and the
    // result is false.
    virtual bool CreateBuffer(int slot, const PcmFormat& format,
                              std::span<const int16_t> samples) = 0;

    // Releases whatever `slot` holds, then fills it with a ring of `block_count` blocks whose
    // initial contents are `samples` (block_count equal blocks, end to end). Once started with
    // Play(slot, PlayMode::Looping) the ring plays block after block and wraps around. Same
    // result and failure rules as CreateBuffer.
    virtual bool CreateStream(int slot, const PcmFormat& format, int block_count,
                              std::span<const int16_t> samples) = 0;

    // Replaces the contents of block `block` of the ring in `slot` with `samples` (exactly one
    // block). The engine writes only blocks other than the one being played, and each block at
    // least once between two of its turns; the new samples are heard on the block's next turn.
    // Ignored when the slot holds no ring or the arguments do not fit it.
    virtual void WriteStreamBlock(int slot, int block, std::span<const int16_t> samples) = 0;

    // Starts the slot's buffer from its current position: once to its end, or looping until
    // stopped. Nothing for an empty slot.
    virtual void Play(int slot, PlayMode mode) = 0;
    // Stops the slot's buffer where it is; the buffer stays in the slot.
    virtual void Stop(int slot) = 0;
    // Stops and frees the slot's buffer; the slot is empty on return.
    virtual void Release(int slot) = 0;

    // Whether the slot's buffer is playing now. A buffer played once reports false from the
    // moment its last sample has been played; an empty slot reports false.
    virtual bool IsPlaying(int slot) = 0;
    // The play cursor in bytes from the start of the buffer or ring (0 for an empty slot). For a
    // ring, position / block bytes is the block being played.
    virtual uint32_t PlayPosition(int slot) = 0;

    // Volume of one slot's buffer, in hundredths of a decibel (clamped to kSilentVolume..0).
    // Nothing for an empty slot; a new buffer starts at 0.
    virtual void SetVolume(int slot, int hundredths_db) = 0;
    // The overall volume over every slot, same unit; MasterVolume reports it (initially the
    // device's own, normally 0).
    virtual void SetMasterVolume(int hundredths_db) = 0;
    virtual int MasterVolume() = 0;
};

// The media player behind the `movie` command: a borderless panel of 800 x 600 exactly over the
// drawing area, hidden except while a movie plays.
class MoviePlayer {
  public:
    virtual ~MoviePlayer() = default;

    // Opens the movie file at `path` for playing, with the panel as its display. The panel stays
    // hidden. False when the file cannot be opened or played; nothing is open then. A player that
    // needs time to prepare a file returns at once, and reports Preparing() until it knows.
    virtual bool Open(const std::filesystem::path& path) = 0;
    // Whether the movie opened last is still being prepared; it returns at once.
    virtual bool Preparing() { return false; }
    // Whether a movie is open: ready to play once Preparing() is false. A movie that could not
    // be prepared after all leaves nothing open.
    virtual bool IsOpen() = 0;
    // Shows the panel over the drawing area and starts the open movie from its start.
    virtual void ShowAndPlay() = 0;
    // Whether the open movie is still playing (false once it has reached its end or was stopped).
    virtual bool IsPlaying() = 0;
    virtual bool PanelVisible() = 0;
    virtual void HidePanel() = 0;
    // Asks the movie to stop; IsPlaying may report true for a short while after.
    virtual void Stop() = 0;
    // Closes the movie file; the player can open another.
    virtual void Close() = 0;
};

}  // namespace vespin
