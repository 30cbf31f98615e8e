#pragma once
// The backlog's text: finished lines of 70 bytes (69 of text and a NUL), at most 1,000 of them,
// followed by the line being written. When full, the oldest line scrolls out.

#include <array>
#include <string_view>

#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kBacklogLineBytes = 70;
inline constexpr int kBacklogMaxLines = 1000;
inline constexpr int kPageVoiceListBytes = 256;

struct BacklogState {
    std::array<char, kBacklogLineBytes*(kBacklogMaxLines + 1)> Text{};
    int LineCount = 0;
    int FillPosition = 0;
    // The voices played since the page was last recorded, each followed by a blank.
    FixedString<kPageVoiceListBytes> PageVoiceList;
};

// Appends bytes to the line being written; bytes past the line's 69th are dropped.
void AppendBacklog(BacklogState& log, std::string_view bytes);
// Ends the line being written and starts the next one.
void EndBacklogLine(BacklogState& log);
void ClearBacklog(BacklogState& log);
// A finished line (0 = oldest) or the line being written (index LineCount).
std::string_view BacklogLine(const BacklogState& log, int index);

}  // namespace vespin
