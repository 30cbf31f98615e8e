#include "core/text/backlog.h"

#include <cstdint>
#include <cstring>

#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

bool IsUnloggedMark(uint8_t lead, uint8_t trail) {
    unsigned code = static_cast<unsigned>(lead) << 8 | trail;
    return code == sjis_text::kDiamond || code == sjis_text::kSection || code == sjis_text::kRoot;
}

void AppendRaw(BacklogState& log, std::string_view bytes) {
    int line_end = log.LineCount * kBacklogLineBytes + (kBacklogLineBytes - 1);
    for (char c : bytes) {
        if (log.FillPosition >= line_end) break;
        log.Text[log.FillPosition++] = c;
    }
}

}  // namespace

void AppendLogText(BacklogState& log, std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        uint8_t lead = static_cast<uint8_t>(bytes[i]);
        size_t width = (lead >= 0x80 && i + 1 < bytes.size()) ? 2 : 1;
        if (width == 1 || !IsUnloggedMark(lead, static_cast<uint8_t>(bytes[i + 1])))
            AppendRaw(log, bytes.substr(i, width));
        i += width;
    }
}

void AddVoiceMark(BacklogState& log, std::string_view name) {
    AppendRaw(log, "@");
    AppendRaw(log, name);
    CommitLogLine(log);
}

void CommitLogLine(BacklogState& log) {
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

std::string_view VoiceMarkName(std::string_view line) {
    if (line.empty() || line[0] != '@') return {};
    return line.substr(1);
}

}  // namespace vespin
