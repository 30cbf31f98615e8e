#pragma once
// The text cursor, the typing pace and the page of text on screen.

#include <array>
#include <cstdint>

namespace vespin {

inline constexpr int kPageRows = 20;
inline constexpr int kPageColumns = 100;

struct TextPage {
    // Shift-JIS bytes as placed on the page (a two-byte character takes two adjacent bytes).
    std::array<std::array<uint8_t, kPageColumns>, kPageRows> Text{};
    // Colour index of each character, at the position of its first byte.
    std::array<std::array<uint8_t, kPageColumns>, kPageRows> Colour{};
};

struct TextState {
    int TextColumn = 0;  // in bytes
    int TextRow = 0;
    int TextColour = 0;
    bool WideSpacing = false;
    int CharDelay = 1;  // timer ticks between typed characters; 1 = one character a pass
    bool PageCompleteRequested = false;
    int PageCharCount = 0;
    int NameOffset = 0;
    bool WindowShown = false;
    bool PageEmpty = true;
    int WindowDisplayKind = 0;  // 0 none, 1 window, 2 full-text
    TextPage Page;
};

}  // namespace vespin
