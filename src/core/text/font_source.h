#pragma once
// Fonts for all text the engine draws. A face is asked for by name (Shift-JIS, as the settings
// hold it) and found with fontconfig; when it is not installed, an installed Japanese face of the
// same kind stands in (Mincho for a 明朝 name, Gothic for a ゴシック name), so text always has a
// face. FreeType rasterises the glyphs.

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp932.h"

namespace vespin {

struct FreeTypeLibrary;

enum class FontKind : uint8_t { Mincho, Gothic };
enum class FontWeight : uint8_t { Regular, Bold };

// How a pixel size is meant: the em square (a point size converted at 96 dots per inch), or the
// whole character cell from the top of the ascent to the bottom of the descent.
enum class SizeUnit : uint8_t { Em, Cell };

struct FontSize {
    int Pixels = 0;
    SizeUnit Unit = SizeUnit::Em;
    auto operator<=>(const FontSize&) const = default;
};

// A point size as pixels at 96 dots per inch, rounded to the nearest pixel.
int PointsToPixels(int points);

// The file fontconfig chose for a face name.
struct FontFile {
    std::string Path;  // empty when no font is installed at all
    int Index = 0;     // face index inside a collection
    std::string Family;
    std::string JapaneseFamily;  // the family's name with a byte of 0x80 or above, if it has one
    bool NativeBold = false;     // the file's face is bold itself; otherwise bold is synthesised
    bool Substituted = false;    // the asked-for face is not installed; this one stands in for it
};

// The kind of face a name asks for: Gothic when it names a ゴシック or Gothic face, else Mincho.
FontKind KindOfFaceName(std::string_view utf8_name);

// Looks faces up by their UTF-8 family names; never fails while any scalable font is installed.
// Holds the font configuration from the first look-up until it is destroyed.
class FontLookup {
  public:
    FontLookup();
    ~FontLookup();
    FontLookup(const FontLookup&) = delete;
    FontLookup& operator=(const FontLookup&) = delete;

    FontFile Find(std::string_view utf8_name, FontWeight weight);
    // Every installed scalable family that has a name with a byte of 0x80 or above (a Japanese
    // name), by that name, sorted and without repeats; names beginning with '@' are left out.
    std::vector<std::string> JapaneseFamilies();

  private:
    // Loads the configuration at the first use; null when fontconfig cannot load one.
    void* Handle();
    struct Config;
    std::unique_ptr<Config> m_config;
};

// One look-up with a configuration loaded for it alone (tools and tests; the engine keeps a
// FontLookup in its FontSource).
FontFile FindFontFile(std::string_view utf8_name, FontWeight weight);

enum class Rasterise : uint8_t {
    Grey,  // anti-aliased, 0..255 coverage, from the outline
    Mono,  // plain text: every pixel 0 or 255
};

// One rasterised glyph. Coverage is Width × Height bytes, row by row from the top.
struct GlyphBitmap {
    int Width = 0;
    int Height = 0;
    int Left = 0;     // black box's left edge relative to the pen position
    int Top = 0;      // black box's top edge above the baseline
    int Advance = 0;  // pen advance in whole pixels
    std::vector<uint8_t> Coverage;
};

// One face at one size and weight.
class Font {
  public:
    struct Impl;
    explicit Font(std::unique_ptr<Impl> impl);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int PixelsPerEm() const;
    // The font's ascent and descent in pixels, from the face's metrics for Windows-style line
    // layout where the face has them.
    int Ascent() const;
    int Descent() const;

    // False when the face has no glyph for `ch` or the rasteriser fails. A glyph without ink
    // (a space) succeeds with an empty box.
    bool Render(char32_t ch, Rasterise mode, GlyphBitmap& out);
    // Pen advance of `ch` as plain text draws it; 0 for a character the face lacks.
    int Advance(char32_t ch);

  private:
    std::unique_ptr<Impl> m_impl;
};

class FontSource {
  public:
    FontSource();
    ~FontSource();
    FontSource(const FontSource&) = delete;
    FontSource& operator=(const FontSource&) = delete;

    // The face named `face_sjis` at `size` and `weight`; null only when no font is installed.
    // Sizes are kept to 1..512 pixels so that a stray setting cannot ask for giant bitmaps.
    std::shared_ptr<Font> Get(std::string_view face_sjis, FontSize size, FontWeight weight);
    // The file chosen for a face name (remembered after the first look-up).
    const FontFile& Resolve(std::string_view face_sjis, FontWeight weight);

    Cp932Decoder& Decoder() { return m_decoder; }
    FontLookup& Lookup() { return m_lookup; }

  private:
    struct Entry {
        std::string Face;
        FontSize Size;
        FontWeight Weight;
        std::shared_ptr<vespin::Font> Shared;
    };

    std::shared_ptr<FreeTypeLibrary> m_library;
    FontLookup m_lookup;
    std::map<std::pair<std::string, FontWeight>, FontFile> m_files;
    std::set<std::string> m_reported;  // face names whose stand-in was reported
    std::list<Entry> m_fonts;          // most recently used first, a few sizes at most
    Cp932Decoder m_decoder;
};

}  // namespace vespin
