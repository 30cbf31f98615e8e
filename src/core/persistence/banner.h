#pragma once
// The banner of saves and loads: a dark blue band across the middle of the picture with one
// line of large text, faded in, held and faded out again.

#include <string_view>

namespace vespin {

struct EngineState;

// Shows `text_sjis` for `ms` milliseconds between the fades, pumping messages throughout; the
// window's content is put back afterwards. The toolbar is locked meanwhile.
void ShowBanner(EngineState& e, std::string_view text_sjis, int ms);

}  // namespace vespin
