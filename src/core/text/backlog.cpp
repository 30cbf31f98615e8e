#include "core/text/backlog.h"

#include <cstring>

namespace vespin {

void AppendBacklog(BacklogState& log, std::string_view bytes) {
    int line_end = log.LineCount * kBacklogLineBytes + (kBacklogLineBytes - 1);
    for (char c : bytes) {
        if (log.FillPosition >= line_end) break;
        log.Text[log.FillPosition++] = c;
    }
}

void EndBacklogLine(BacklogState& log) {
    log.Text[log.FillPosition] = 0;
    if (log.LineCount < kBacklogMaxLines) {
        ++log.LineCount;
    } else {
        std::memmove(log.Text.data(), log.Text.data() + kBacklogLineBytes,
                     kBacklogLineBytes * kBacklogMaxLines);
    }
    log.FillPosition = log.LineCount * kBacklogLineBytes;
    log.Text[log.FillPosition] = 0;
}

void ClearBacklog(BacklogState& log) {
    log.Text.fill(0);
    log.LineCount = 0;
    log.FillPosition = 0;
}

std::string_view BacklogLine(const BacklogState& log, int index) {
    if (index < 0 || index > log.LineCount) return {};
    const char* line = log.Text.data() + index * kBacklogLineBytes;
    return std::string_view(line, strnlen(line, kBacklogLineBytes));
}

}  // namespace vespin
