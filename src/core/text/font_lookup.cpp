// Finding a font file for a face name with fontconfig, with a stand-in of the same kind when the
// named face is not installed. The look-ups use a configuration of their own rather than the
// library's process-wide default: it is released with its owner, so nothing fontconfig allocates
// for the engine outlives the engine, and a toolkit sharing the process keeps its default intact.

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/text/font_source.h"

namespace vespin {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

bool Contains(std::string_view haystack, std::string_view needle) {
    return haystack.find(needle) != std::string_view::npos;
}

std::vector<std::string> Families(const FcPattern* p) {
    std::vector<std::string> out;
    FcChar8* s = nullptr;
    for (int i = 0; FcPatternGetString(p, FC_FAMILY, i, &s) == FcResultMatch; ++i) {
        out.emplace_back(reinterpret_cast<const char*>(s));
    }
    return out;
}

// A 明朝 or ゴシック face (or the ASCII names Mincho and Gothic), or neither.
int KindMarks(std::string_view lower_name, FontKind kind) {
    if (kind == FontKind::Gothic) {
        return Contains(lower_name, "\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF") ||
               Contains(lower_name, "gothic");
    }
    return Contains(lower_name, "\xE6\x98\x8E\xE6\x9C\x9D") || Contains(lower_name, "mincho");
}

// A proportional face is asked for by a full-width Ｐ or by a P glued to the kind's name.
bool WantsProportional(std::string_view name) {
    return Contains(name, "\xEF\xBC\xB0") || Contains(name, "P\xE6\x98\x8E\xE6\x9C\x9D") ||
           Contains(name, "P\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF") ||
           Contains(name, "PMincho") || Contains(name, "PGothic");
}

FontFile FileOf(const FcPattern* p) {
    FontFile f;
    FcChar8* path = nullptr;
    if (FcPatternGetString(p, FC_FILE, 0, &path) == FcResultMatch) {
        f.Path = reinterpret_cast<const char*>(path);
    }
    int index = 0;
    if (FcPatternGetInteger(p, FC_INDEX, 0, &index) == FcResultMatch) f.Index = index;
    int weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(p, FC_WEIGHT, 0, &weight) == FcResultMatch) {
        f.NativeBold = weight >= FC_WEIGHT_DEMIBOLD;
    }
    // A regular face matched for a bold request comes back marked bold with emboldening asked
    // for; that bold is ours to synthesise.
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(p, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden) {
        f.NativeBold = false;
    }
    std::vector<std::string> families = Families(p);
    if (!families.empty()) f.Family = families.front();
    for (const std::string& name : families) {
        if (std::any_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            f.JapaneseFamily = name;
            break;
        }
    }
    return f;
}

bool IsProportional(const FcPattern* p) {
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(p, FC_SPACING, 0, &spacing);
    return spacing == FC_PROPORTIONAL;
}

// The installed face whose family is `name` exactly (ignoring ASCII case), if any.
std::optional<FontFile> MatchExactly(FcConfig* config, std::string_view name, FontWeight weight) {
    PatternPtr pattern(FcPatternCreate());
    std::string owned(name);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(owned.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                        weight == FontWeight::Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config, pattern.get(), &result));
    if (!match) return std::nullopt;
    std::string wanted = Lower(name);
    for (const std::string& family : Families(match.get())) {
        if (Lower(family) == wanted) return FileOf(match.get());
    }
    return std::nullopt;
}

// The best installed Japanese face for a name that is not installed: same kind first, then the
// same spacing (fixed or proportional), then the same weight; ties go by family and path so
// that the choice does not depend on the order fontconfig lists fonts in.
std::optional<FontFile> StandIn(FcConfig* config, std::string_view name, FontWeight weight) {
    PatternPtr pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SPACING, nullptr));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontList(config, pattern.get(), objects.get()));
    if (!fonts || fonts->nfont == 0) return std::nullopt;

    FontKind kind = KindOfFaceName(name);
    bool proportional = WantsProportional(name);
    using Key = std::tuple<int, std::string, std::string, int>;
    std::optional<Key> best_key;
    std::optional<FontFile> best;
    for (int i = 0; i < fonts->nfont; ++i) {
        const FcPattern* p = fonts->fonts[i];
        FontFile file = FileOf(p);
        if (file.Path.empty()) continue;
        std::string families;
        for (const std::string& family : Families(p))
            families += Lower(family) + ",";
        int score = (KindMarks(families, kind) ? 4 : 0) +
                    (IsProportional(p) == proportional ? 2 : 0) +
                    (file.NativeBold == (weight == FontWeight::Bold) ? 1 : 0);
        Key key{-score, file.Family, file.Path, file.Index};
        if (!best_key || key < *best_key) {
            best_key = key;
            best = file;
        }
    }
    return best;
}

// Whatever fontconfig offers for a generic family; it may lack Japanese glyphs.
std::optional<FontFile> AnyFont(FcConfig* config, FontKind kind) {
    PatternPtr pattern(FcPatternCreate());
    const char* generic = kind == FontKind::Gothic ? "sans-serif" : "serif";
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config, pattern.get(), &result));
    if (!match) return std::nullopt;
    FontFile file = FileOf(match.get());
    if (file.Path.empty()) return std::nullopt;
    return file;
}

}  // namespace

FontKind KindOfFaceName(std::string_view utf8_name) {
    return KindMarks(Lower(utf8_name), FontKind::Gothic) ? FontKind::Gothic : FontKind::Mincho;
}

struct FontLookup::Config {
    FcConfig* Handle = nullptr;
    ~Config() {
        if (Handle) FcConfigDestroy(Handle);
    }
};

FontLookup::FontLookup() = default;
FontLookup::~FontLookup() = default;

void* FontLookup::Handle() {
    // Loading the configuration parses every file of the system's font setup, so it is done
    // once, at the first look-up, and kept for the next ones.
    if (!m_config) {
        m_config = std::make_unique<Config>();
        m_config->Handle = FcInitLoadConfigAndFonts();
    }
    return m_config->Handle;
}

std::vector<std::string> FontLookup::JapaneseFamilies() {
    auto* config = static_cast<FcConfig*>(Handle());
    std::vector<std::string> out;
    if (!config) return out;
    PatternPtr pattern(FcPatternCreate());
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontList(config, pattern.get(), objects.get()));
    if (!fonts) return out;
    for (int i = 0; i < fonts->nfont; ++i) {
        for (const std::string& name : Families(fonts->fonts[i])) {
            bool wide = std::any_of(name.begin(), name.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            if (wide && name[0] != '@') out.push_back(name);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

FontFile FontLookup::Find(std::string_view utf8_name, FontWeight weight) {
    auto* config = static_cast<FcConfig*>(Handle());
    if (!config) return {};
    if (!utf8_name.empty()) {
        if (std::optional<FontFile> exact = MatchExactly(config, utf8_name, weight)) return *exact;
    }
    std::optional<FontFile> file = StandIn(config, utf8_name, weight);
    if (!file) file = AnyFont(config, KindOfFaceName(utf8_name));
    if (!file) return {};
    file->Substituted = true;
    return *file;
}

FontFile FindFontFile(std::string_view utf8_name, FontWeight weight) {
    FontLookup lookup;
    return lookup.Find(utf8_name, weight);
}

}  // namespace vespin
