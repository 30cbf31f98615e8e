// Reading an entry of the effect script into steps.

#include <algorithm>

#include "core/screens/effect.h"
#include "core/script/text_parse.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr size_t kMaxFlashPairs = 100;
constexpr size_t kMaxNegativeDurations = 99;
constexpr size_t kMaxShakePairs = 99;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        size_t comma = line.find(',');
        out.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) return out;
        line = line.substr(comma + 1);
    }
}

// A field's number; an absent field reads 0.
int FieldNumber(const std::vector<std::string_view>& f, size_t i) {
    return i < f.size() ? ParseDecimal(std::string(f[i]).c_str()) : 0;
}

bool FieldEmpty(const std::vector<std::string_view>& f, size_t i) {
    return i >= f.size() || f[i].empty();
}

// A colour digit: hexadecimal times 16, G full intensity, anything else 0.
int ColourDigit(char c) {
    if (c >= '0' && c <= '9') return (c - '0') * 16;
    if (c >= 'A' && c <= 'F') return (c - 'A' + 10) * 16;
    if (c >= 'a' && c <= 'f') return (c - 'a' + 10) * 16;
    if (c == 'G' || c == 'g') return 255;
    return 0;
}

int ColourReference(std::string_view rgb) {
    return ColourDigit(rgb[0]) + 256 * ColourDigit(rgb[1]) + 65536 * ColourDigit(rgb[2]);
}

class StepList {
  public:
    explicit StepList(std::vector<EffectStep>& steps) : m_steps(steps) {}
    void Add(EffectKind kind, int duration, int a = 0, int b = 0) {
        if (m_steps.size() < kMaxEffectSteps)
            m_steps.push_back({kind, std::max(duration, 0), a, b});
    }

  private:
    std::vector<EffectStep>& m_steps;
};

// F,d,F800,d,F0008,d...: "F" alone shows the picture, F+RGB fills, F+RGBA blends. Codes of other
// lengths are not steps the format knows: they are passed over with their durations.
void ReadFlash(const std::vector<std::string_view>& f, StepList& steps) {
    for (size_t pair = 0; pair < kMaxFlashPairs; ++pair) {
        const size_t i = pair * 2;
        if (FieldEmpty(f, i) || f[i][0] != 'F') return;
        const std::string_view code = f[i];
        const int duration = FieldNumber(f, i + 1);
        if (code.size() == 1) steps.Add(EffectKind::ShowNormal, duration);
        if (code.size() == 4)
            steps.Add(EffectKind::Fill, duration, ColourReference(code.substr(1)));
        if (code.size() == 5) {
            steps.Add(EffectKind::Blend, duration, ColourReference(code.substr(1)),
                      ColourDigit(code[4]));
        }
    }
}

// N,d1,d2,...: the negative for d1, the picture for d2, and so on.
void ReadNegative(const std::vector<std::string_view>& f, StepList& steps) {
    for (size_t k = 0; k < kMaxNegativeDurations && !FieldEmpty(f, k + 1); ++k) {
        steps.Add(k % 2 == 0 ? EffectKind::Negative : EffectKind::ShowNormal,
                  FieldNumber(f, k + 1));
    }
}

// S,d,x1,y1,x2,y2,...: the window moved by each offset for d. A pair whose y is missing moves
// by 0 vertically.
void ReadShake(const std::vector<std::string_view>& f, StepList& steps) {
    const int duration = FieldNumber(f, 1);
    for (size_t pair = 0; pair < kMaxShakePairs; ++pair) {
        const size_t i = 2 + pair * 2;
        if (FieldEmpty(f, i)) return;
        steps.Add(EffectKind::MoveWindow, duration, FieldNumber(f, i), FieldNumber(f, i + 1));
        if (FieldEmpty(f, i + 1)) return;
    }
}

}  // namespace

std::vector<EffectStep> ReadEffectEntry(const std::vector<std::string>& lines,
                                        std::string_view name) {
    std::vector<EffectStep> steps;
    StepList list(steps);
    const std::string label = ":" + sjis::UpperAscii(name);
    auto start = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return sjis::UpperAscii(line) == label;
    });
    if (start == lines.end()) return steps;
    for (auto it = start + 1; it != lines.end() && steps.size() < kMaxEffectSteps; ++it) {
        const std::string line = sjis::UpperAscii(*it);
        if (line.empty()) continue;
        if (line[0] == ':') break;
        const std::vector<std::string_view> f = Fields(line);
        if (line[0] == 'F') ReadFlash(f, list);
        if (line[0] == 'N') ReadNegative(f, list);
        if (line[0] == 'S') ReadShake(f, list);
    }
    return steps;
}

}  // namespace vespin
