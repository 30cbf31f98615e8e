#pragma once
// PNG files of surfaces (blue, green, red): what authors draw pictures in, what vespin-tool
// decodes to and what vespin-run writes its screenshots as.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/graphics/surface.h"

namespace vespin {

// Reads an 8- or 16-bit PNG of any colour type into 24-bit colour. Grey and palette pictures are
// expanded and 16-bit samples scaled to 8 bits; an alpha channel (or a transparency chunk) is
// dropped when every pixel is opaque and refused otherwise, since a picture surface has no
// transparency of its own. `note` says what was converted (empty when nothing was). On failure
// `out` is untouched and `error` says why.
bool ReadPng(std::span<const uint8_t> bytes, Surface& out, std::string& error,
             std::string* note = nullptr);

// Encodes a surface as an 8-bit RGB PNG.
bool EncodePng(const Surface& surface, std::vector<uint8_t>& out, std::string& error);
// The same, written to `path`. False with `error` set when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path, std::string& error);

}  // namespace vespin
