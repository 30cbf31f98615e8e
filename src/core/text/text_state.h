#pragma once
// The text cursor, the typing pace and the page of text on screen.

#include <array>
#include <cstdint>
#include <string>

#include "core/graphics/surface.h"

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
    int WindowDisplayKind = 0;      // 0 none, 1 window, 2 full-text
    bool WindowImageValid = false;  // composed for the current scene
    TextPage Page;

    // The window's pictures: the source (colours above, opacities below), the window image (the
    // scene blended with it), its clean copy taken before the quick buttons are drawn, and the
    // four 24 x 26 frames of the click-wait marker blended over the screen behind it.
    Surface WindowSource;
    Surface WindowImage;
    Surface CleanWindowImage;
    Surface QuickButtonBackdrop;  // 160 x 160 behind the quick buttons
    Surface ClickWaitPicture;     // "sys_clickw": 4 frames side by side, colours over opacities
    Surface MarkerFrames;
    bool MarkerReady = false;
    // The plain-text font size for the current mode (ruby and the subtitle set their own).
    int PlainFontSize = 18;
    std::string PlainFontFace;  // Shift-JIS; the subtitle card leaves the Gothic face here
};

}  // namespace vespin
