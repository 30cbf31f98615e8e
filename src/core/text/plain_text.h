#pragma once
// Plain text output: Shift-JIS text drawn without anti-aliasing, in one colour, with a
// transparent background, in a named face. Everything that is not a message-window glyph uses
// it (ruby, the subtitle card, the plain glyph mode, and the screens that write text).

#include <string>
#include <string_view>

#include "core/graphics/surface.h"
#include "core/text/font_source.h"
#include "core/text/text_colour.h"

namespace vespin {

struct PlainFont {
    std::string FaceName;  // Shift-JIS, as the settings hold it
    FontSize Size;
    FontWeight Weight = FontWeight::Regular;
};

struct PlainTextExtent {
    int Width = 0;   // sum of the pen advances
    int Height = 0;  // ascent + descent of the font
};

// Draws `text` with the top-left of its line at (x, y): the baseline lies the font's ascent
// below y. Pixels outside `target` are dropped. Characters that do not convert or that the face
// lacks draw nothing and take no room. Returns the width drawn, as MeasurePlainText gives it.
int DrawPlainText(FontSource& fonts, Surface& target, int x, int y, std::string_view text,
                  const PlainFont& font, Rgb colour);

// The size `text` takes when drawn with `font`; zero when no font is available.
PlainTextExtent MeasurePlainText(FontSource& fonts, std::string_view text, const PlainFont& font);

}  // namespace vespin
