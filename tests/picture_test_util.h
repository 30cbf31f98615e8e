#pragma once
// Helpers for the picture tests: pictures with structure, JPEG encoding through the library,
// and small sized-layout archives written to a temporary game folder.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/graphics/surface.h"
#include "tools/picture_codec.h"

namespace vespin::test {

using Bytes = std::vector<uint8_t>;

// Flat areas, a gradient, a noisy band and a hard edge: what the stages are built for.
inline Surface PatternPicture(int w, int h, uint32_t seed = 1) {
    Surface s(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = s.Row(y);
        for (int x = 0; x < w; ++x) {
            uint8_t* p = row + x * 3;
            if (y < h / 3) {
                p[0] = uint8_t(x * 255 / (w > 1 ? w - 1 : 1));
                p[1] = uint8_t(y * 4);
                p[2] = 90;
            } else if (y < h / 2) {
                p[0] = uint8_t(rng());
                p[1] = uint8_t(rng());
                p[2] = uint8_t(rng());
            } else {
                bool inside =
                    (x - w / 2) * (x - w / 2) + (y - h * 3 / 4) * (y - h * 3 / 4) < h * h / 16;
                p[0] = inside ? 30 : 200;
                p[1] = inside ? 160 : 200;
                p[2] = inside ? 250 : 210;
            }
        }
    }
    return s;
}

inline Surface SolidPicture(int w, int h, uint8_t b, uint8_t g, uint8_t r) {
    Surface s(w, h);
    s.Fill(b, g, r);
    return s;
}

// A baseline JPEG of `picture` (blue-green-red), or of its first channel as grey.
inline Bytes EncodeJpeg(const Surface& picture, int quality = 95, bool grey = false) {
    return vespin::EncodeJpeg(picture, quality, grey ? JpegColour::Grey : JpegColour::Colour);
}

struct ArchiveEntry {
    std::string Name;
    Bytes Data;
    int32_t SizeOverride = -1;  // a directory size that differs from the data, when >= 0
};

// Writes an archive in the sized directory layout (count, name width, then name/offset/size).
inline void WriteSizedArchive(const std::filesystem::path& path,
                              const std::vector<ArchiveEntry>& entries, int name_width = 16) {
    Bytes file;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file.push_back(uint8_t(v >> (8 * i)));
    };
    put32(uint32_t(entries.size()));
    put32(uint32_t(name_width));
    uint32_t offset = 8 + uint32_t(entries.size()) * (name_width + 8);
    for (const ArchiveEntry& e : entries) {
        Bytes name(name_width, 0);
        std::memcpy(name.data(), e.Name.data(), std::min<size_t>(e.Name.size(), name_width - 1));
        file.insert(file.end(), name.begin(), name.end());
        put32(offset);
        put32(e.SizeOverride >= 0 ? uint32_t(e.SizeOverride) : uint32_t(e.Data.size()));
        offset += uint32_t(e.Data.size());
    }
    for (const ArchiveEntry& e : entries)
        file.insert(file.end(), e.Data.begin(), e.Data.end());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

// A fresh folder under the system's temporary directory, removed with the object.
class TempFolder {
  public:
    explicit TempFolder(const std::string& tag) {
        std::random_device rd;
        m_path =
            std::filesystem::temp_directory_path() / ("vespin-" + tag + "-" + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

inline bool SameSurface(const Surface& a, const Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           (a.SizeBytes() == 0 || std::memcmp(a.Data(), b.Data(), a.SizeBytes()) == 0);
}

}  // namespace vespin::test
