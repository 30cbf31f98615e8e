#pragma once
// The glyph renderer: single Shift-JIS characters drawn onto 24-bit surfaces. Normally a glyph is
// anti-aliased, in one of nine text colours, with a soft black shadow one pixel right and one
// down; with FONTAA set, characters go through plain text output instead, with a black copy at
// (+2, +2). Coverage cells are cached so that the rasteriser sees each character once between
// two font rebuilds.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/graphics/surface.h"
#include "core/text/font_source.h"
#include "core/text/glyph_cache.h"
#include "core/text/plain_text.h"
#include "core/text/text_colour.h"

namespace vespin {

struct EngineState;
struct SettingsValues;

inline constexpr std::array<Rgb, 9> kTextPalette{{
    {255, 255, 255},
    {0, 128, 0},
    {255, 0, 0},
    {0, 255, 255},
    {255, 255, 0},
    {0, 0, 255},
    {128, 0, 128},
    {192, 192, 192},
    {255, 160, 160},
}};

// The two diamonds stay anti-aliased even in plain mode.
inline constexpr unsigned kWhiteDiamond = 0x819E;  // ◇
inline constexpr unsigned kBlackDiamond = 0x819F;  // ◆

enum class GlyphPath : uint8_t { AntiAliased, Plain };

struct TextRendererState {
    FontSource Fonts;
    // The text font's face and weight as the last rebuild applied them; its size follows the
    // window style at every use.
    std::string FaceName;  // Shift-JIS
    FontWeight Weight = FontWeight::Regular;
    int Ascent = 0;  // of the text font, in pixels, as last read

    // 32 × 35 working plates: coverage of the prepared character and of its shadow (the value in
    // all three channels), the current text colour, and black for the shadow.
    Surface FacePlate;
    Surface ShadowPlate;
    Surface ColourPlate;
    Surface ShadowColourPlate;

    GlyphCache Cache;
    // A rebuild leaves the common set to be rendered just before the next character is prepared
    // or drawn, at the size the rebuild saw: the cache then holds exactly what an immediate
    // pre-render would have left, and start-up (which rebuilds twice) renders nothing.
    bool CommonSetPending = false;
    int CommonSetPoints = 0;
    Rgb CurrentColour = kWhite;
    GlyphPath PreparedPath = GlyphPath::AntiAliased;
    std::string PlainChar;  // the prepared character, kept for the plain path
};

// The characters every rebuild renders, in order, so that ordinary text comes from the cache:
// 14 marks and 日, then hiragana, katakana and full-width digits (194 codes).
const std::vector<unsigned>& CommonCharacterCodes();

// The text font's size in points for the current window style: FONTSIZE for the picture style,
// FONTSIZE2 for the tinted style.
int TextFontPoints(const SettingsValues& settings);
// The text font as plain text output uses it (face, size for the window style, weight).
PlainFont TextPlainFont(const EngineState& e);

// Start-up: the text font's face and weight from the settings. The font file is looked up when
// the first character needs it.
void CreateTextFont(EngineState& e);
// Start-up, once the settings are read: plates, cache, RebuildFont, colour 1 then 0 so that the
// colour plate starts white.
void InitTextRenderer(EngineState& e);
// Applies FontName and FONTBOLD, empties the cache and has the common characters pre-rendered
// before the next character. Called after any change of font setting or window style.
void RebuildFont(EngineState& e);
// Renders the common characters into the cache now if a rebuild left them pending. Preparing
// and drawing a character do this first; it is public for measurements.
void RenderPendingCommonSet(EngineState& e);

// Prepares one character (one byte, or a lead byte and a trail byte): anti-aliased into the
// plates, or kept for plain drawing when FONTAA is set (except the two diamonds).
void PrepareChar(EngineState& e, std::string_view chars);
// Draws the prepared character with its cell's top-left at (x, y); clipped to `target`.
void DrawPreparedChar(EngineState& e, Surface& target, int x, int y);
// DrawPreparedChar onto the DisplaySurface, then presents the 32 × 35 cell at (x, y).
void DrawCharAndShow(EngineState& e, int x, int y);
// Makes kTextPalette[index mod 9] the current colour; the colour plate is refilled only when
// the colour changes. A negative index counts back from the end of the palette.
void SelectTextColour(EngineState& e, int index);
// Draws `text` one character at a time at x = x0 + 12 × (1-based byte position of the
// character), in the given colour. Any byte of 0x80 or above takes the next byte with it.
void DrawTextFixedPitch(EngineState& e, std::string_view text, int x0, Surface& target,
                        int colour_index, int y);

}  // namespace vespin
