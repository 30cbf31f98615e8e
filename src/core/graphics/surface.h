#pragma once
// A 24-bit off-screen picture: 3 bytes a pixel in the order blue, green, red, rows from the top,
// rows packed without padding (2400 bytes a row at 800 pixels).

#include <cstddef>
#include <cstdint>
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

    // Resizes and clears to black. Negative sizes give an empty surface.
    void Resize(int width, int height) {
        m_width = width > 0 ? width : 0;
        m_height = height > 0 ? height : 0;
        m_pixels.assign(static_cast<size_t>(m_width) * 3 * m_height, 0);
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_width * 3; }
    bool Empty() const { return m_width == 0 || m_height == 0; }

    uint8_t* Row(int y) { return m_pixels.data() + static_cast<size_t>(y) * Stride(); }
    const uint8_t* Row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * Stride(); }
    uint8_t* Data() { return m_pixels.data(); }
    const uint8_t* Data() const { return m_pixels.data(); }
    size_t SizeBytes() const { return m_pixels.size(); }

    void Fill(uint8_t blue, uint8_t green, uint8_t red) {
        for (size_t i = 0; i + 2 < m_pixels.size(); i += 3) {
            m_pixels[i] = blue;
            m_pixels[i + 1] = green;
            m_pixels[i + 2] = red;
        }
    }

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_pixels;
};

// The part of rectangle `from` of `source` that lands inside both surfaces when drawn with its
// top-left at (x, y) of `target`; `from`, `x` and `y` are moved to match. False when nothing does.
bool ClipCopy(const Surface& source, Rect& from, int& x, int& y, const Surface& target);
// Copies rectangle `from` of `source` to (x, y) of `target`, clipped to both; returns the
// rectangle of `target` that was written (empty when none).
Rect CopyRect(const Surface& source, const Rect& from, Surface& target, int x, int y);

}  // namespace vespin
