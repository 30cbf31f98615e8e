#pragma once
// A 24-bit off-screen picture: 3 bytes a pixel in the order blue, green, red, rows from the top,
// rows packed without padding (2400 bytes a row at 800 pixels).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vespin {

// The drawing area of the main window, which the screen-sized surfaces match.
inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

class Surface {
  public:
    Surface() = default;
    Surface(int width, int height) { Resize(width, height); }

    // Resizes and clears to black. Negative sizes give an empty surface. The pixels themselves
    // are made ready (allocated and cleared) at their first use, so that a surface the game never
    // draws on costs neither memory nor time; until then it reads as black like any other.
    void Resize(int width, int height) {
        m_width = width > 0 ? width : 0;
        m_height = height > 0 ? height : 0;
        m_pixels.clear();  // the capacity stays for the next use
        m_ready = false;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_width * 3; }
    bool Empty() const { return m_width == 0 || m_height == 0; }
    // True while the pixels have not been used since the last Resize: every one is black and no
    // memory holds them yet. Copies between two such surfaces can be skipped.
    bool PixelsPending() const { return !m_ready; }

    uint8_t* Row(int y) { return Pixels() + static_cast<size_t>(y) * Stride(); }
    const uint8_t* Row(int y) const { return Pixels() + static_cast<size_t>(y) * Stride(); }
    uint8_t* Data() { return Pixels(); }
    const uint8_t* Data() const { return Pixels(); }
    size_t SizeBytes() const { return static_cast<size_t>(m_width) * 3 * m_height; }

    void Fill(uint8_t blue, uint8_t green, uint8_t red) {
        if (!m_ready && blue == 0 && green == 0 && red == 0) return;  // black already
        uint8_t* p = Pixels();
        size_t bytes = SizeBytes();
        if (blue == green && green == red) {
            std::memset(p, blue, bytes);
            return;
        }
        for (size_t i = 0; i + 2 < bytes; i += 3) {
            p[i] = blue;
            p[i + 1] = green;
            p[i + 2] = red;
        }
    }

  private:
    // The one place that makes the pixels ready. Reading a surface counts as a use as well:
    // the reader gets real black pixels, never a missing buffer.
    uint8_t* Pixels() const {
        if (!m_ready) {
            m_pixels.assign(SizeBytes(), 0);
            m_ready = true;
        }
        return m_pixels.data();
    }

    int m_width = 0;
    int m_height = 0;
    mutable std::vector<uint8_t> m_pixels;
    mutable bool m_ready = true;  // a default surface has no pixels to make ready
};

// The part of rectangle `from` of `source` that lands inside both surfaces when drawn with its
// top-left at (x, y) of `target`; `from`, `x` and `y` are moved to match. False when nothing does.
bool ClipCopy(const Surface& source, Rect& from, int& x, int& y, const Surface& target);
// Copies rectangle `from` of `source` to (x, y) of `target`, clipped to both; returns the
// rectangle of `target` that was written (empty when none).
Rect CopyRect(const Surface& source, const Rect& from, Surface& target, int x, int y);

}  // namespace vespin
