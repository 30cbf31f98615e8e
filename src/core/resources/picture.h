#pragma once
// Loading pictures by name. Every picture the engine shows comes through LoadPicture: a JPEG
// entry of vg_gjp.vsp or a packed picture of the vg_gra archives, decoded into a 24-bit surface
// of exactly the picture's size.
//
// Entries are untrusted. Any failure (a missing name, an unreadable archive, a truncated or
// malformed stream, a picture too large to be real) leaves the target surface as it was.

#include <cstdint>
#include <string_view>

#include "core/graphics/surface.h"
#include "core/resources/archive.h"

namespace vespin {

enum class PictureError : uint8_t {
    None,
    NotFound,    // no picture archive holds the name
    ReadFailed,  // the archive that holds it cannot be opened
    Truncated,   // the data ends before its header, its announced length or its last token
    Malformed,   // bytes per pixel other than 3, a match reaching before the start, ...
    TooLarge,    // more than kMaxPicturePixels, or lengths no real picture has
    BadJpeg,     // the JPEG decoder rejected the entry
};
const char* PictureErrorText(PictureError error);

// The largest picture any decoder will allocate: 8192 x 8192 pixels (192 MiB), in any shape, so
// long scroll pictures fit while a forged header cannot ask for gigabytes.
inline constexpr int64_t kMaxPicturePixels = int64_t{8192} * 8192;

// Loads the picture `name` (ASCII case ignored) from vg_gjp.vsp, else vg_gra3.vsp, vg_gra2.vsp,
// vg_gra.vsp: the first archive that holds the name decides, even when its entry then fails to
// decode. Returns true when `target` now holds the picture; otherwise `target` is untouched and
// `error` (when given) says why.
// Where LoadPicture finds a picture: vg_gjp.vsp (JPEG) first, then the packed archives, newest
// first. Not found when no archive holds the name.
EntryRef FindPicture(const ArchiveSet& archives, std::string_view name);

bool LoadPicture(const ArchiveSet& archives, std::string_view name, Surface& target,
                 PictureError* error = nullptr);

}  // namespace vespin
