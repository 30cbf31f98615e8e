#pragma once
// The choice on screen: its entries, where they are drawn, which one the pointer is over, and the
// record of choices taken (for automatic navigation).

#include <array>
#include <cstdint>

#include "core/graphics/surface.h"
#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kMaxChoices = 32;
inline constexpr int kChoiceRecordBytes = 4096;
// A clickmap region whose entry line was never read has nowhere to go.
inline constexpr int kNoTarget = -1;

enum ChoiceKindValue : int {
    kNoChoice = 0,
    kChoiceInWindow = 1,  // select / sel2 as plates over the message window style
    kChoiceFullText = 2,  // select / sel2 as lines of full-screen text
    kChoiceClickmap = 4,
    kChoiceSelectionTree = 6,
};

struct ChoiceRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct ChoiceState {
    int ChoiceCount = 0;
    int HoveredChoice = 0;  // 1-based; 0 none; -1 right after the list was built
    std::array<FixedString<65>, kMaxChoices> ChoiceLabels;
    std::array<int, kMaxChoices> ChoiceTargets{};
    std::array<ChoiceRect, kMaxChoices> ChoiceRects{};
    std::array<ChoiceRect, kMaxChoices> LabelRects{};  // clickmap label boxes, 24 pixels high
    std::array<bool, kMaxChoices> ChoiceEnabled{};
    int ChoiceBoxLeft = 0, ChoiceBoxTop = 0, ChoiceBoxWidth = 0;
    // `sel2` without F100: the last entry is shown, disabled.
    bool LastEntryDisabled = false;
    std::array<uint8_t, kChoiceRecordBytes> ChoiceRecord{};

    Surface PlatePicture;   // "sys_sw"
    Surface PlatePicture2;  // "sys_sw2"
};

}  // namespace vespin
