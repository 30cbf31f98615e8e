#include "core/audio/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/audio/wady.h"

namespace vespin {

namespace {

// libvorbisfile reads through these callbacks from the entry's bytes; the memory belongs to the
// caller and outlives the stream.
struct MemoryStream {
    const uint8_t* Data;
    size_t Size;
    size_t Position;
};

size_t ReadMemory(void* ptr, size_t size, size_t count, void* source) {
    auto* m = static_cast<MemoryStream*>(source);
    if (size == 0 || count == 0) return 0;
    size_t wanted = count > SIZE_MAX / size ? SIZE_MAX : size * count;
    size_t n = std::min(wanted, m->Size - m->Position);
    if (n > 0) std::memcpy(ptr, m->Data + m->Position, n);
    m->Position += n;
    return n / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* m = static_cast<MemoryStream*>(source);
    ogg_int64_t base = 0;
    switch (whence) {
        case SEEK_SET:
            base = 0;
            break;
        case SEEK_CUR:
            base = static_cast<ogg_int64_t>(m->Position);
            break;
        case SEEK_END:
            base = static_cast<ogg_int64_t>(m->Size);
            break;
        default:
            return -1;
    }
    if (offset < -base || offset > static_cast<ogg_int64_t>(m->Size) - base) return -1;
    m->Position = static_cast<size_t>(base + offset);
    return 0;
}

long TellMemory(void* source) {
    return static_cast<long>(static_cast<MemoryStream*>(source)->Position);
}

int CloseMemory(void*) {
    return 0;
}

// The playable length in bytes: the end of the last 4-byte group that is not all zero, found
// from the end backwards, but never less than half the reservation.
size_t TrimmedLength(const uint8_t* bytes, size_t reserved) {
    size_t floor = reserved / 2;
    size_t end = reserved;
    while (end >= 4 && end > floor) {
        const uint8_t* g = bytes + end - 4;
        if ((g[0] | g[1] | g[2] | g[3]) != 0) break;
        end -= 4;
    }
    return std::max(end, floor);
}

}  // namespace

bool DecodeOgg(std::span<const uint8_t> entry, DecodedSound& out) {
    MemoryStream memory{entry.data(), entry.size(), 0};
    ov_callbacks callbacks{ReadMemory, SeekMemory, CloseMemory, TellMemory};
    OggVorbis_File file;
    if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return false;
    vorbis_info* info = ov_info(&file, -1);
    ogg_int64_t total = ov_pcm_total(&file, -1);
    int channels = info ? info->channels : 0;
    long rate = info ? info->rate : 0;
    if (total <= 0 || (channels != 1 && channels != 2) || rate <= 0 ||
        total > static_cast<ogg_int64_t>(wady::kMaxPcmBytes / (channels + 2))) {
        ov_clear(&file);
        return false;
    }
    // (channels + 2) bytes per frame: more than a mono voice needs, which the trim below and the
    // zeroed rest of the reservation make up for.
    size_t reserved = static_cast<size_t>(total) * static_cast<size_t>(channels + 2);
    std::vector<uint8_t> bytes(reserved, 0);
    size_t filled = 0;
    while (filled < reserved) {
        int bitstream = 0;
        size_t chunk = std::min<size_t>(reserved - filled, 1 << 16);
        long n = ov_read(&file, reinterpret_cast<char*>(bytes.data() + filled),
                         static_cast<int>(chunk), 0, 2, 1, &bitstream);
        if (n <= 0) break;
        filled += static_cast<size_t>(n);
    }
    ov_clear(&file);

    size_t block = static_cast<size_t>(channels) * 2;
    size_t length = TrimmedLength(bytes.data(), reserved) / block * block;
    out.Format = PcmFormat{channels, static_cast<int>(rate)};
    out.Samples.resize(length / 2);
    for (size_t i = 0; i < out.Samples.size(); ++i) {
        out.Samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return !out.Samples.empty();
}

}  // namespace vespin
