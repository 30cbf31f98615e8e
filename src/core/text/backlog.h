#pragma once
// The backlog's text: finished lines of 70 bytes (69 of text and a NUL), at most 1,000 of them,
// followed by the line being written. When full, the oldest line scrolls out.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kBacklogLineBytes = 70;
inline constexpr int kBacklogMaxLines = 1000;
inline constexpr int kPageVoiceListBytes = 256;
inline constexpr int kPageHistoryPages = 20;
inline constexpr int kPageTextBytes = 2000;  // the page's characters, 20 rows of 100 bytes
inline constexpr int kPagePictureNamesBytes = 128;

// One finished page as it looked: its characters, the scene behind it and its voices.
struct PageRecord {
    std::array<uint8_t, kPageTextBytes> Text{};
    int32_t Layout = 0;                                // S023 when the page was recorded
    FixedString<kPagePictureNamesBytes> PictureNames;  // background, then ",name" per character
    FixedString<kPageVoiceListBytes> VoiceList;
    int32_t FullText = 0;
};

// The last 20 pages; page n is record n mod 20. The counter never wraps back.
struct PageHistory {
    std::array<PageRecord, kPageHistoryPages> Pages{};
    int Counter = 0;
};

struct BacklogState {
    std::array<char, kBacklogLineBytes*(kBacklogMaxLines + 1)> Text{};
    int LineCount = 0;
    int FillPosition = 0;
    // The voices played since the page was last recorded, each followed by a blank.
    FixedString<kPageVoiceListBytes> PageVoiceList;
    PageHistory History;
};

// Appends displayed text to the line being written. The marks ◆, § and √ are shown but never
// logged; bytes past the line's 69th are dropped.
void AppendLogText(BacklogState& log, std::string_view bytes);
// Ends the line being written and starts the next one; with 1,000 lines kept the oldest goes.
void CommitLogLine(BacklogState& log);
// A voice mark: "@" and the voice name as a line of its own.
void AddVoiceMark(BacklogState& log, std::string_view name);
void ClearBacklog(BacklogState& log);
// A finished line (0 = oldest) or the line being written (index LineCount).
std::string_view BacklogLine(const BacklogState& log, int index);
// The voice name of a voice-mark line; empty for a line of text.
std::string_view VoiceMarkName(std::string_view line);

}  // namespace vespin
