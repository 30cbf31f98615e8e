// The encoder of the packed picture format, for the content tool and the tests. It aims at
// streams that decode fast and exactly rather than at the smallest files: a greedy match finder
// over a short hash chain, and a run-length pass that only takes runs that pay for themselves.

#include <algorithm>
#include <cstring>

#include "core/resources/packed_picture.h"

namespace vespin {

namespace {

constexpr size_t kMaxDistance = 16384;
constexpr size_t kMaxMatch = 4096;
constexpr int kHashBits = 16;
constexpr int kChainDepth = 16;

void ApplyDeltaFilter(uint8_t* data, size_t size) {
    // Backwards, so every byte still sees the original byte three places before it.
    for (size_t i = size; i-- > 3;)
        data[i] = static_cast<uint8_t>(data[i] - data[i - 3]);
}

// ---- Run-length stage ------------------------------------------------------------------------

// How many times the `unit`-byte pattern at `p` repeats from `p` on, at most 8192.
size_t RepeatCount(const uint8_t* p, const uint8_t* end, size_t unit) {
    size_t count = 1;
    for (const uint8_t* q = p + unit;
         count < 8192 && end - q >= static_cast<ptrdiff_t>(unit) && std::memcmp(q, p, unit) == 0;
         q += unit) {
        ++count;
    }
    return count;
}

std::vector<uint8_t> EncodeRunLength(const std::vector<uint8_t>& in) {
    std::vector<uint8_t> out;
    out.reserve(in.size() + in.size() / 64 + 16);
    const uint8_t* p = in.data();
    const uint8_t* const end = p + in.size();
    const uint8_t* literal = p;
    auto flush_literals = [&](const uint8_t* upto) {
        while (literal < upto) {
            size_t n = std::min<size_t>(128, upto - literal);
            out.push_back(static_cast<uint8_t>(n - 1));
            out.insert(out.end(), literal, literal + n);
            literal += n;
        }
    };
    while (p < end) {
        size_t best_unit = 0, best_count = 0;
        for (size_t unit = 1; unit <= 4 && end - p >= static_cast<ptrdiff_t>(unit); ++unit) {
            size_t count = RepeatCount(p, end, unit);
            // A run costs 2 + unit bytes; take it only when it covers clearly more.
            if (count * unit >= unit + 4 && count * unit > best_count * best_unit) {
                best_unit = unit;
                best_count = count;
            }
        }
        if (best_unit == 0) {
            ++p;
            continue;
        }
        flush_literals(p);
        const size_t c = best_count - 1;
        out.push_back(static_cast<uint8_t>(0x80 | (best_unit - 1) << 5 | c >> 8));
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.insert(out.end(), p, p + best_unit);
        p += best_count * best_unit;
        literal = p;
    }
    flush_literals(end);
    return out;
}

// ---- Window stage ------------------------------------------------------------------------------

class WindowEncoder {
  public:
    explicit WindowEncoder(std::vector<uint8_t>& out) : m_out(out) {}

    void Literal(uint8_t b) { m_literals.push_back(b); }

    void Match(size_t dist, size_t len) {
        FlushLiterals();
        if (dist <= 32 && len <= 4) {
            Token(true, {static_cast<uint8_t>((dist - 1) << 2 | (len - 2))});
        } else if (dist <= 1024 && len <= 18) {
            Token(true, {static_cast<uint8_t>(0x80 | (dist - 1) >> 4),
                         static_cast<uint8_t>(((dist - 1) & 15) << 4 | (len - 3))});
        } else {
            const size_t c = len == 4096 ? 255 : len == 1024 ? 254 : len == 256 ? 253 : len - 3;
            Token(true, {static_cast<uint8_t>(0xC0 | (dist - 1) >> 8),
                         static_cast<uint8_t>((dist - 1) & 0xFF), static_cast<uint8_t>(c)});
        }
    }

    void Finish() { FlushLiterals(); }

    // The length a match of `len` available bytes at `dist` is emitted with (0: none).
    static size_t UsableLength(size_t dist, size_t len) {
        if (len >= 4096) return 4096;
        if (len >= 1024) return 1024;
        if (len >= 256) return 256;
        if (len >= 4 || (len == 3 && dist <= 1024)) return len;
        if (len == 2 && dist <= 32) return 2;
        return 0;
    }

  private:
    void Token(bool is_code, std::initializer_list<uint8_t> bytes) {
        if (m_tokens == 8 || m_control == SIZE_MAX) {
            m_control = m_out.size();
            m_out.push_back(0);
            m_tokens = 0;
        }
        if (is_code) m_out[m_control] |= static_cast<uint8_t>(0x80 >> m_tokens);
        ++m_tokens;
        m_out.insert(m_out.end(), bytes);
    }

    void FlushLiterals() {
        size_t i = 0;
        while (m_literals.size() - i >= 9) {
            size_t n = std::min<size_t>(40, m_literals.size() - i);
            Token(true, {static_cast<uint8_t>((n - 9) << 2 | 3)});
            m_out.insert(m_out.end(), m_literals.begin() + i, m_literals.begin() + i + n);
            i += n;
        }
        for (; i < m_literals.size(); ++i)
            Token(false, {m_literals[i]});
        m_literals.clear();
    }

    std::vector<uint8_t>& m_out;
    std::vector<uint8_t> m_literals;
    size_t m_control = SIZE_MAX;
    int m_tokens = 0;
};

uint32_t Hash3(const uint8_t* p) {
    return ((uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]) * 2654435761u) >> (32 - kHashBits);
}

std::vector<uint8_t> EncodeWindow(const std::vector<uint8_t>& in) {
    std::vector<uint8_t> out;
    WindowEncoder encoder(out);
    const size_t n = in.size();
    std::vector<int32_t> head(size_t{1} << kHashBits, -1);
    std::vector<int32_t> chain(n, -1);
    auto insert = [&](size_t i) {
        if (i + 3 > n) return;
        uint32_t h = Hash3(&in[i]);
        chain[i] = head[h];
        head[h] = static_cast<int32_t>(i);
    };
    auto common = [&](size_t a, size_t b) {
        size_t limit = std::min(kMaxMatch, n - b), len = 0;
        while (len < limit && in[a + len] == in[b + len])
            ++len;
        return len;
    };
    size_t i = 0;
    while (i < n) {
        size_t best_len = 0, best_dist = 0;
        // Short distances first (runs and repeated pixels), then the hash chain.
        for (size_t d = 1; d <= 3 && d <= i; ++d) {
            size_t len = WindowEncoder::UsableLength(d, common(i - d, i));
            if (len > best_len) best_len = len, best_dist = d;
        }
        if (i + 3 <= n && best_len < kMaxMatch) {
            int32_t c = head[Hash3(&in[i])];
            for (int depth = 0; c >= 0 && depth < kChainDepth; ++depth, c = chain[c]) {
                size_t d = i - static_cast<size_t>(c);
                if (d > kMaxDistance) break;
                size_t len = WindowEncoder::UsableLength(d, common(c, i));
                if (len > best_len) best_len = len, best_dist = d;
            }
        }
        if (best_len == 0) {
            encoder.Literal(in[i]);
            insert(i++);
            continue;
        }
        encoder.Match(best_dist, best_len);
        for (size_t k = 0; k < best_len; ++k)
            insert(i + k);
        i += best_len;
    }
    encoder.Finish();
    return out;
}

}  // namespace

bool EncodePackedPicture(const Surface& picture, const PackOptions& options,
                         std::vector<uint8_t>& out) {
    out.clear();
    if (picture.Width() > 0xFFFF || picture.Height() > 0xFFFF) return false;
    std::vector<uint8_t> data(picture.Data(), picture.Data() + picture.SizeBytes());
    PackedHeader header;
    header.Width = static_cast<uint16_t>(picture.Width());
    header.Height = static_cast<uint16_t>(picture.Height());
    if (options.Delta) {
        ApplyDeltaFilter(data.data(), data.size());
        header.Flags |= kPackedDelta;
    }
    if (options.RunLength) {
        data = EncodeRunLength(data);
        header.Flags |= kPackedRunLength;
        header.IntermediateLength = static_cast<uint32_t>(data.size());
    }
    std::vector<uint8_t> stream = EncodeWindow(data);
    header.CompressedLength = static_cast<uint32_t>(stream.size());
    out.resize(kPackedHeaderSize);
    WritePackedHeader(header, out.data());
    out.insert(out.end(), stream.begin(), stream.end());
    return true;
}

}  // namespace vespin
