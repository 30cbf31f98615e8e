#pragma once
// Reading the viewer's page definitions from the data script `view`: the page links of
// ":VIEW_0", a page's header and its set blocks. Any bytes are safe: set counts are held to
// 0..10, item numbers to 1..30, variants to 50 an item, and a block never reads past its end.

#include <string>
#include <string_view>
#include <vector>

#include "core/screens/viewer_state.h"

namespace vespin {

struct EngineState;

// What decides the item states: the seen pictures and the E flags.
struct ViewerUnlocks {
    const FlagBank<2000>* Seen = nullptr;
    const FlagBank<1024>* EventFlags = nullptr;
};

// The lines of the loaded `view` script, upper-cased, trailing blanks and returns dropped.
std::vector<std::string> ViewerLines(const EngineState& e);

// Reads the M0..M4 links of ":VIEW_0" into `page`. False when the block is missing.
bool ReadViewerLinks(const std::vector<std::string>& lines, ViewerPage& page);

// Reads page `name` (upper-cased) into `page`, whose set triples are kept where the definition
// gives none. False, with `page` as it was, when the page's label is missing.
bool ReadViewerPage(const std::vector<std::string>& lines, std::string_view name,
                    const ViewerUnlocks& unlocks, ViewerPage& page);

// Start-up: the gallery name list from the items of "VIEW_1" (as gallery items, whatever the
// page's type), and S088 = its length.
void ScanGalleryNames(EngineState& e);

}  // namespace vespin
