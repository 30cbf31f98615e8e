#pragma once
// Writes a surface (blue, green, red) as an 8-bit RGB PNG.

#include <string>

#include "core/graphics/surface.h"

namespace vespin {

// False with `error` set when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path, std::string& error);

}  // namespace vespin
