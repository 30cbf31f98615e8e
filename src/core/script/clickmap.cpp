// `clickmap NAME`: regions of the screen described by the data script `map`, each a choice. Plain
// regions show their label on a blue band when hovered, `*` regions light up from the parts sheet,
// `@` regions show nothing.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/scene.h"
#include "core/script/choice_list.h"
#include "core/script/choice_state.h"
#include "core/script/choices.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/text/plain_text.h"
#include "core/text/sjis.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kBandHeight = 24;
constexpr int kLabelFontHeight = 16;
constexpr int kCoordinateLimit = 1 << 20;

PlainFont LabelFont(const EngineState& e) {
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{kLabelFontHeight, SizeUnit::Cell};
    font.Weight = FontWeight::Regular;
    return font;
}

void PlaceLabelBox(EngineState& e, int i) {
    ChoiceState& c = e.Choices;
    const ChoiceRect& r = c.ChoiceRects[i];
    int w =
        MeasurePlainText(e.TextRenderer.Fonts, c.ChoiceLabels[i].View(), LabelFont(e)).Width + 32;
    int left = r.Left + (r.Right - r.Left - w) / 2;
    c.LabelRects[i] = {left, r.Top + (r.Bottom - r.Top - kBandHeight) / 2, left + w, 0};
    c.LabelRects[i].Bottom = c.LabelRects[i].Top + kBandHeight;
}

// The lines of one map in the data script: ":NAME", the region count, then the regions.
class MapReader {
  public:
    explicit MapReader(const EngineState& e)
        : m_text(reinterpret_cast<const char*>(e.Script.DataScriptBuffer.data()),
                 static_cast<size_t>(e.Script.DataScriptSize)) {}

    // Moves to the line after the first ':' followed by `name`; false when there is none.
    bool Find(std::string_view name) {
        for (size_t i = 0; i < m_text.size(); ++i) {
            if (m_text[i] != ':') continue;
            if (!sjis::StartsWithIgnoringCase(m_text.substr(i + 1), name)) continue;
            m_at = i;
            NextLine();
            return true;
        }
        return false;
    }
    std::string_view NextLine() {
        if (m_at >= m_text.size()) return {};
        size_t end = m_text.find('\0', m_at);
        if (end == std::string_view::npos) end = m_text.size();
        std::string_view line = m_text.substr(m_at, end - m_at);
        m_at = end + 1;
        return line;
    }

  private:
    std::string_view m_text;
    size_t m_at = 0;
};

bool ReadRegions(EngineState& e, std::string_view name) {
    if (!LoadScript(e, "map", ScriptMode::Data)) return false;
    MapReader map(e);
    if (!map.Find(name)) return false;
    ChoiceState& c = e.Choices;
    int count = std::clamp(ParseDecimal(std::string(map.NextLine()).c_str()), 0, kMaxChoices);
    for (int i = 0; i < count; ++i) {
        std::string line(map.NextLine());
        size_t comma = line.find(',');
        c.ChoiceLabels[i] = std::string_view(line).substr(0, std::min<size_t>(comma, 64));
        int v[4] = {};
        for (int k = 0; k < 4 && comma != std::string::npos; ++k) {
            // Bounded so that widths and centres computed from the corners cannot overflow.
            v[k] = std::clamp(ParseDecimal(line.c_str() + comma + 1), -kCoordinateLimit,
                              kCoordinateLimit);
            comma = line.find(',', comma + 1);
        }
        c.ChoiceRects[i] = {std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]),
                            std::max(v[1], v[3])};
        c.ChoiceEnabled[i] = true;
        PlaceLabelBox(e, i);
    }
    c.ChoiceCount = count;
    return count > 0;
}

char Marker(const EngineState& e, int i) {
    std::string_view label = e.Choices.ChoiceLabels[i].View();
    return label.empty() ? 0 : label[0];
}

Rect AsRect(const ChoiceRect& r) {
    return Rect{r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
}

// The label's blue band over what the window shows under the box.
void ShowLabelBand(EngineState& e, int i) {
    const ChoiceRect& box = e.Choices.LabelRects[i];
    int w = box.Right - box.Left;
    if (w <= 0) return;
    Surface band(w, kBandHeight);
    for (int y = 0; y < kBandHeight; ++y) {
        int sy = box.Top + y;
        for (int x = 0; x < w; ++x) {
            int sx = box.Left + x;
            uint8_t* p = band.Row(y) + x * 3;
            if (sx >= 0 && sx < kScreenWidth && sy >= 0 && sy < kScreenHeight)
                std::memcpy(p, e.DrawingArea.Row(sy) + sx * 3, 3);
            int scale, blue;
            if (x < 16) {
                scale = 32 - x, blue = 8 * x;
            } else if (x >= w - 16) {
                int l = x - (w - 16);
                scale = 16 + l, blue = 120 - 8 * l;
            } else {
                scale = 16, blue = 128;
            }
            for (int ch = 0; ch < 3; ++ch)
                p[ch] = static_cast<uint8_t>(p[ch] * scale / 32);
            p[0] = static_cast<uint8_t>(std::min(255, p[0] + blue));
        }
    }
    DrawPlainText(e.TextRenderer.Fonts, band, 16, 4, e.Choices.ChoiceLabels[i].View(), LabelFont(e),
                  kWhite);
    BlitToDrawingArea(e, band, Rect{0, 0, w, kBandHeight}, box.Left, box.Top);
}

void Unhighlight(EngineState& e, int i) {
    switch (Marker(e, i)) {
        case '*':
            ShowOnDrawingArea(e, e.DisplaySurface, AsRect(e.Choices.ChoiceRects[i]));
            break;
        case '@':
            break;
        default:
            ShowOnDrawingArea(e, e.DisplaySurface, AsRect(e.Choices.LabelRects[i]));
            break;
    }
}

void Highlight(EngineState& e, int i) {
    std::string_view sound = e.StringSlots[7].View();
    if (!sound.empty()) PlayVoice(e, sound);
    const ChoiceRect& r = e.Choices.ChoiceRects[i];
    switch (Marker(e, i)) {
        case '*':
            BlitToDrawingArea(e, e.Scene.PartsSheet, AsRect(r), r.Left, r.Top);
            break;
        case '@':
            break;
        default:
            ShowLabelBand(e, i);
            break;
    }
}

}  // namespace

CommandResult RunClickmap(EngineState& e, const char* arg) {
    StopSkipAndAuto(e, StopMode::Unforced);
    e.Script.FetchLine = true;
    ChoiceState& c = e.Choices;
    // A map the data script does not hold offers nothing: the script goes on past the block.
    if (!ReadRegions(e, arg)) return CommandResult::EndPass;
    c.HoveredChoice = 0;
    e.Shell.ChoiceKind = kChoiceClickmap;
    // The targets of an earlier choice must not stay live: when an entry line fails to read
    // (a condition with a bad index), its region would jump back into that choice.
    c.ChoiceTargets.fill(kNoTarget);
    std::vector<ChoiceEntry> entries = ReadChoiceEntries(e);
    for (size_t i = 0; i < entries.size() && static_cast<int>(i) < c.ChoiceCount; ++i) {
        if (!entries[i].ConditionHolds) c.ChoiceEnabled[i] = false;
        if (!entries[i].Rest.empty()) {
            c.ChoiceLabels[i] = entries[i].Rest.substr(0, 64);
            PlaceLabelBox(e, static_cast<int>(i));
        }
        c.ChoiceTargets[i] = entries[i].Target;
    }
    for (size_t i = entries.size(); static_cast<int>(i) < c.ChoiceCount; ++i) {
        c.ChoiceEnabled[i] = false;  // a region without an entry line has nowhere to go
    }
    ChoiceHover(e, e.Shell.LastMouseX, e.Shell.LastMouseY);
    return CommandResult::EndPass;
}

void ClickmapHover(EngineState& e, int x, int y) {
    ChoiceState& c = e.Choices;
    int hovered = 0;
    for (int i = 0; i < c.ChoiceCount && hovered == 0; ++i) {
        const ChoiceRect& r = c.ChoiceRects[i];
        bool takeable = c.ChoiceEnabled[i] && c.ChoiceTargets[i] != kNoTarget;
        if (takeable && x > r.Left && x < r.Right && y > r.Top && y < r.Bottom) hovered = i + 1;
    }
    if (hovered == c.HoveredChoice) return;
    if (c.HoveredChoice > 0) Unhighlight(e, c.HoveredChoice - 1);
    if (hovered > 0) Highlight(e, hovered - 1);
    c.HoveredChoice = hovered;
}

void TakeClickmapRegion(EngineState& e, int index) {
    if (e.Choices.ChoiceTargets[index] == kNoTarget) return;
    const ChoiceRect& r = e.Choices.ChoiceRects[index];
    if (e.Vars.S[15] != 0) {
        Rect area = AsRect(r);
        CopyRect(e.Scene.WorkSurface, area, e.DisplaySurface, area.x, area.y);
        ShowOnDrawingArea(e, e.DisplaySurface, area);
    } else {
        ComposeScene(e);
        UpdateDisplay(e);
        ShowOnDrawingArea(e, e.DisplaySurface);
    }
    e.Vars.S[15] = 0;
    e.Script.ReadPosition = e.Choices.ChoiceTargets[index];
    e.Vars.S[sys::kResumePoint] = 0;
    e.Script.FetchLine = true;
    e.Shell.ChoiceKind = kNoChoice;
}

}  // namespace vespin
