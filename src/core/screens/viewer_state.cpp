#include "core/screens/viewer_state.h"

#include "core/shell/engine_state.h"

namespace vespin {

void MarkPictureSeen(EngineState& e, std::string_view upper_name) {
    const std::vector<std::string>& list = e.Viewer.PictureList;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == upper_name) {
            e.Viewer.CgSeenBits.Set(static_cast<int>(i), true);
            return;
        }
    }
}

void MarkAllPicturesSeen(EngineState& e) {
    for (size_t i = 0; i < e.Viewer.PictureList.size(); ++i)
        e.Viewer.CgSeenBits.Set(static_cast<int>(i), true);
}

}  // namespace vespin
