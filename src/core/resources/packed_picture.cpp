#include "core/resources/packed_picture.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vespin {

namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// The most output one input byte can stand for: a 3-byte long match gives 4096 bytes, a run of
// 8192 four-byte units takes 6 bytes. Lengths beyond these cannot come from real streams, and
// checking them first keeps a forged header from making us allocate for nothing.
constexpr uint64_t kMaxWindowGain = 1366;
constexpr uint64_t kMaxRunGain = 5462;

// Copies a match of `len` bytes that starts `dist` bytes back (1 <= dist <= op - start). The
// result is that of a copy one byte at a time from the front, so a match may repeat the bytes it
// is producing. Nothing is written at or past `oend`; `len` must already fit before it.
uint8_t* CopyMatch(uint8_t* op, size_t dist, size_t len, uint8_t* oend) {
    const uint8_t* src = op - dist;
    uint8_t* const end = op + len;
    if (dist == 1) {
        std::memset(op, *src, len);
        return end;
    }
    if (static_cast<size_t>(oend - end) < 16) {  // too near the end for whole chunks
        while (op < end)
            *op++ = *src++;
        return end;
    }
    if (dist < 8) {
        // A repeating pattern: after its first 8 bytes, any whole number of periods back is also
        // the pattern, so a distance of 8 or more can take over.
        for (int k = 0; k < 8; ++k)
            op[k] = src[k];
        op += 8;
        src = op - (8 + dist - 1) / dist * dist;
    }
    // Each chunk reads bytes written before it (the distance is at least the chunk), and may
    // write past `end` into bytes that later tokens overwrite.
    if (op - src >= 16) {
        for (; op < end; op += 16, src += 16)
            std::memcpy(op, src, 16);
    } else {
        for (; op < end; op += 8, src += 8)
            std::memcpy(op, src, 8);
    }
    return end;
}

}  // namespace

bool ParsePackedHeader(std::span<const uint8_t> bytes, PackedHeader& header) {
    if (bytes.size() < kPackedHeaderSize) return false;
    const uint8_t* p = bytes.data();
    header.Reserved = Le16(p);
    header.Flags = p[2];
    header.BytesPerPixel = p[3];
    header.CompressedLength = Le32(p + 4);
    header.IntermediateLength = Le32(p + 8);
    header.Width = Le16(p + 12);
    header.Height = Le16(p + 14);
    return true;
}

void WritePackedHeader(const PackedHeader& header, uint8_t* out) {
    PutLe16(out, header.Reserved);
    out[2] = header.Flags;
    out[3] = header.BytesPerPixel;
    PutLe32(out + 4, header.CompressedLength);
    PutLe32(out + 8, header.IntermediateLength);
    PutLe16(out + 12, header.Width);
    PutLe16(out + 14, header.Height);
}

PictureError InflateWindowStage(std::span<const uint8_t> in, uint8_t* out, size_t out_size) {
    const uint8_t* ip = in.data();
    const uint8_t* const iend = ip + in.size();
    uint8_t* op = out;
    uint8_t* const oend = out + out_size;
    unsigned control = 0;
    int tokens_left = 0;
    // The control byte after a group's eighth token is taken only when another token is due, so
    // a stream that ends exactly there is complete.
    while (op < oend) {
        if (tokens_left == 0) {
            if (ip == iend) return PictureError::Truncated;
            control = *ip++;
            tokens_left = 8;
        }
        --tokens_left;
        const bool is_code = control & 0x80;
        control <<= 1;
        if (ip == iend) return PictureError::Truncated;
        if (!is_code) {
            *op++ = *ip++;
            continue;
        }
        const unsigned u = *ip++;
        size_t dist = 0;
        size_t len = 0;
        if (!(u & 0x80)) {
            if ((u & 3) == 3) {
                // Literal run. Only the bytes that fit are needed: nothing follows them.
                len = std::min<size_t>((u >> 2) + 9, oend - op);
                if (static_cast<size_t>(iend - ip) < len) return PictureError::Truncated;
                std::memcpy(op, ip, len);
                op += len;
                ip += len;
                continue;
            }
            dist = (u >> 2) + 1;
            len = (u & 3) + 2;
        } else if (!(u & 0x40)) {
            if (ip == iend) return PictureError::Truncated;
            const unsigned b = *ip++;
            dist = ((u & 0x3F) << 4 | b >> 4) + 1;
            len = (b & 0x0F) + 3;
        } else {
            if (iend - ip < 2) return PictureError::Truncated;
            const unsigned b = ip[0];
            const unsigned c = ip[1];
            ip += 2;
            dist = ((u & 0x3F) << 8 | b) + 1;
            len = c == 255 ? 4096 : c == 254 ? 1024 : c == 253 ? 256 : c + 3;
        }
        if (dist > static_cast<size_t>(op - out)) return PictureError::Malformed;
        op = CopyMatch(op, dist, std::min<size_t>(len, oend - op), oend);
    }
    return PictureError::None;
}

PictureError ExpandRunLengthStage(std::span<const uint8_t> in, uint8_t* out, size_t out_size) {
    const uint8_t* ip = in.data();
    const uint8_t* const iend = ip + in.size();
    size_t op = 0;
    while (op < out_size) {
        if (ip == iend) return PictureError::Truncated;
        const unsigned h = *ip++;
        if (!(h & 0x80)) {
            const size_t len = std::min<size_t>((h & 0x7F) + 1, out_size - op);
            if (static_cast<size_t>(iend - ip) < len) return PictureError::Truncated;
            std::memcpy(out + op, ip, len);
            op += len;
            ip += len;
            continue;
        }
        const size_t unit = ((h >> 5) & 3) + 1;
        if (static_cast<size_t>(iend - ip) < 1 + unit) return PictureError::Truncated;
        size_t count = ((h & 0x1F) << 8 | *ip++) + 1;
        count = std::min(count, (out_size - op) / unit);
        const size_t total = count * unit;
        if (total > 0) {
            // Write the unit once, then double what is written until the run is complete.
            std::memcpy(out + op, ip, unit);
            for (size_t done = unit; done < total; done *= 2) {
                std::memcpy(out + op + done, out + op, std::min(done, total - done));
            }
        }
        ip += unit;
        op += total;
    }
    return PictureError::None;
}

void UndoDeltaFilter(uint8_t* data, size_t size) {
    uint8_t run[3] = {0, 0, 0};
    size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        data[i] = run[0] = static_cast<uint8_t>(run[0] + data[i]);
        data[i + 1] = run[1] = static_cast<uint8_t>(run[1] + data[i + 1]);
        data[i + 2] = run[2] = static_cast<uint8_t>(run[2] + data[i + 2]);
    }
    for (int c = 0; i < size; ++i, ++c)
        data[i] = run[c] = static_cast<uint8_t>(run[c] + data[i]);
}

PictureError DecodePackedPicture(std::span<const uint8_t> stream, Surface& target) {
    PackedHeader header;
    if (!ParsePackedHeader(stream, header)) return PictureError::Truncated;
    if (header.BytesPerPixel != 3) return PictureError::Malformed;
    if (int64_t{header.Width} * header.Height > kMaxPicturePixels) return PictureError::TooLarge;
    if (stream.size() - kPackedHeaderSize < header.CompressedLength) {
        return PictureError::Truncated;
    }
    const auto compressed = stream.subspan(kPackedHeaderSize, header.CompressedLength);
    const uint64_t raw_size = header.RawSize();
    const bool run_length = header.Flags & kPackedRunLength;
    const uint64_t window_size = run_length ? header.IntermediateLength : raw_size;
    // A run-length stream never needs more than two bytes for each byte it stands for.
    if (run_length && window_size > 2 * raw_size + 1024) return PictureError::TooLarge;
    if (window_size > compressed.size() * kMaxWindowGain + 4096) return PictureError::Truncated;
    if (run_length && raw_size > window_size * kMaxRunGain + 4096) return PictureError::Truncated;

    Surface picture(header.Width, header.Height);
    PictureError error;
    if (run_length) {
        std::vector<uint8_t> runs(window_size);
        error = InflateWindowStage(compressed, runs.data(), runs.size());
        if (error == PictureError::None) {
            error = ExpandRunLengthStage(runs, picture.Data(), raw_size);
        }
    } else {
        error = InflateWindowStage(compressed, picture.Data(), raw_size);
    }
    if (error != PictureError::None) return error;
    if (header.Flags & kPackedDelta) UndoDeltaFilter(picture.Data(), raw_size);
    target = std::move(picture);
    return PictureError::None;
}

}  // namespace vespin
