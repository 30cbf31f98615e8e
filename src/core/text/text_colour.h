#pragma once
// A text colour as red, green and blue; surfaces store the same colour as blue, green, red.

#include <cstdint>

namespace vespin {

struct Rgb {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

}  // namespace vespin
