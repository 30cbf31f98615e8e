#include "core/graphics/picture_commands.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/scene.h"
#include "core/graphics/transitions.h"
#include "core/host/host.h"
#include "core/resources/picture.h"
#include "core/screens/viewer_state.h"
#include "core/script/expression.h"
#include "core/script/text_parse.h"
#include "core/shell/engine.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

constexpr size_t kNameLimit = 63;
constexpr size_t kDirectNameLimit = 31;
constexpr int kCoordinateLimit = 1 << 20;

enum class Position { None, Left, Right, Centre };

struct PictureArgument {
    std::string Name;
    int Transition = -1;  // no digits: -1, run as the instant transition
    Position Where = Position::None;
};

// "NAME", "NAME n", "NAME,nL" ...: the name ends at a blank, a comma, ']' or the end; the rest, up
// to byte 63 of the argument, gives the transition number (the last run of digits) and the
// position.
PictureArgument ParsePictureArgument(std::string_view text) {
    PictureArgument a;
    size_t end = text.find_first_of(" ,]");
    a.Name = std::string(text.substr(0, std::min<size_t>({end, text.size(), kNameLimit})));
    if (end == std::string_view::npos || text[end] == ']') return a;
    std::string_view rest = text.substr(end + 1, kNameLimit > end ? kNameLimit - end : 0);
    for (size_t i = 0; i < rest.size() && rest[i] != ']'; ++i) {
        char c = rest[i];
        if (c >= '0' && c <= '9') {
            int consumed = 0;
            a.Transition = ParseDigits(rest.data() + i, &consumed);
            i += consumed - 1;
        } else if (c == 'L' || c == 'l') {
            a.Where = Position::Left;
        } else if (c == 'R' || c == 'r') {
            a.Where = Position::Right;
        } else if (c == 'C' || c == 'c') {
            a.Where = Position::Centre;
        }
    }
    return a;
}

void MirrorHorizontally(Surface& s) {
    for (int y = 0; y < s.Height(); ++y) {
        uint8_t* row = s.Row(y);
        for (int l = 0, r = s.Width() - 1; l < r; ++l, --r)
            std::swap_ranges(row + l * 3, row + l * 3 + 3, row + r * 3);
    }
}

int& CharacterFlags(EngineState& e) {
    return e.Vars.S[sys::kCharacterFlags];
}
bool FastSkipping(const EngineState& e) {
    return e.Shell.SkipState == 3;
}

void Background(EngineState& e, const PictureArgument& a, PictureSelector selector) {
    MarkPictureSeen(e, sjis::UpperAscii(a.Name));
    if (sjis::EqualsIgnoringCase(a.Name, "a1001")) return;
    e.Scene.BackgroundName = a.Name;
    if (FastSkipping(e)) return;
    if (!LoadPicture(e.Archives, a.Name, e.Scene.BackgroundLayer)) return;
    if (selector == PictureSelector::Gra) {
        CharacterFlags(e) = 0;
        ShowScene(e, a.Transition);
    }
}

// Loads a side character and its mask; the flag follows a successful load (or a fast skip).
void SideCharacter(EngineState& e, const std::string& name, Surface& layer, Surface& mask,
                   int bit) {
    bool loaded = FastSkipping(e);
    if (!FastSkipping(e) && LoadPicture(e.Archives, name, layer)) {
        LoadPicture(e.Archives, MaskName(name), mask);
        loaded = true;
    }
    if (loaded) CharacterFlags(e) |= bit;
}

void Character(EngineState& e, const PictureArgument& a, PictureSelector selector) {
    SceneState& sc = e.Scene;
    switch (a.Where) {
        case Position::None:
            sc.LeftCentreName = a.Name;
            if (FastSkipping(e)) {
                CharacterFlags(e) = 4;
            } else if (LoadPicture(e.Archives, a.Name, sc.CentreCharacterLayer)) {
                LoadPicture(e.Archives, MaskName(a.Name), sc.CentreCharacterMask);
                if (e.Vars.S[12] == 1) {
                    MirrorHorizontally(sc.CentreCharacterLayer);
                    MirrorHorizontally(sc.CentreCharacterMask);
                }
                CharacterFlags(e) = 4;
            }
            break;
        case Position::Left:
            CharacterFlags(e) &= ~4;
            sc.LeftCentreName = a.Name;
            SideCharacter(e, a.Name, sc.LeftCharacterLayer, sc.LeftCharacterMask, 1);
            break;
        case Position::Right:
            CharacterFlags(e) &= ~4;
            sc.RightName = a.Name;
            SideCharacter(e, a.Name, sc.RightCharacterLayer, sc.RightCharacterMask, 2);
            break;
        case Position::Centre:
            break;  // the layers stay as they are; `gra` still shows the scene
    }
    if (selector == PictureSelector::Gra) ShowScene(e, a.Transition);
}

void SolidColour(EngineState& e, const PictureArgument& a, PictureSelector selector) {
    e.Scene.BackgroundName = a.Name;
    FillWithNamedColour(e.Scene.BackgroundLayer, a.Name);
    CharacterFlags(e) = 0;
    if (selector == PictureSelector::Gra) ShowScene(e, a.Transition);
}

}  // namespace

std::string MaskName(std::string name) {
    if (!name.empty()) name[0] = 'M';
    return name;
}

void FillWithNamedColour(Surface& layer, std::string_view name) {
    // A hexadecimal digit times 16; g or G is full intensity; anything else is 0.
    auto digit = [&](size_t i) -> uint8_t {
        char c = i < name.size() ? name[i] : 0;
        if (c >= '0' && c <= '9') return static_cast<uint8_t>((c - '0') * 16);
        if (c >= 'a' && c <= 'f') return static_cast<uint8_t>((c - 'a' + 10) * 16);
        if (c >= 'A' && c <= 'F') return static_cast<uint8_t>((c - 'A' + 10) * 16);
        if (c == 'g' || c == 'G') return 255;
        return 0;
    };
    layer.Resize(kScreenWidth, kScreenHeight);
    layer.Fill(digit(1), digit(2), digit(3));
}

void PictureOperation(EngineState& e, std::string_view argument, PictureSelector selector) {
    e.Scene.Selector = static_cast<int>(selector);
    PictureArgument a = ParsePictureArgument(argument);
    if (a.Name.empty()) return;
    switch (a.Name[0]) {
        case 'A':
        case 'a':
            Background(e, a, selector);
            break;
        case 'B':
        case 'b':
            Character(e, a, selector);
            break;
        case 'S':
        case 's':
            SolidColour(e, a, selector);
            break;
        default:
            break;
    }
}

std::vector<PictureReference> PicturesNamedBy(std::string_view argument) {
    PictureArgument a = ParsePictureArgument(argument);
    if (a.Name.empty()) return {};
    switch (a.Name[0]) {
        case 'A':
        case 'a':
            if (sjis::EqualsIgnoringCase(a.Name, "a1001")) return {};
            return {{a.Name, false}};
        case 'B':
        case 'b':
            if (a.Where == Position::Centre) return {};
            return {{a.Name, true}};
        default:
            return {};
    }
}

void ClearCharacters(EngineState& e, std::string_view t) {
    SceneState& sc = e.Scene;
    int& flags = CharacterFlags(e);
    char last = t.empty() ? 0 : t.back();
    if (flags == kCentreShown) {
        flags = 0;
        sc.LeftCentreName.Clear();
        sc.RightName.Clear();
    } else if (last == 'L' || last == 'l') {
        flags &= kRightShown;
    } else if (last == 'R' || last == 'r') {
        flags &= kLeftShown;
    } else {
        sc.LeftCentreName.Clear();
        sc.RightName.Clear();
        flags = 0;
    }
    int consumed = 0;
    int transition = ParseDigits(std::string(t).c_str(), &consumed);
    ShowScene(e, transition);
}

CommandResult RunGra(EngineState& e, const char* arg) {
    PictureOperation(e, arg, PictureSelector::Gra);
    return SettleTransitionInterrupt(e) ? CommandResult::EndPass : CommandResult::NextLine;
}

CommandResult RunGrb(EngineState& e, const char* arg) {
    PictureOperation(e, arg, PictureSelector::Grb);
    return CommandResult::NextLine;
}

CommandResult RunClrb(EngineState& e, const char* arg) {
    ClearCharacters(e, arg);
    return CommandResult::NextLine;
}

CommandResult RunUpdate(EngineState& e, const char*) {
    ComposeScene(e);  // `grb` may have changed the layers since the last composition
    UpdateDisplay(e);
    ShowOnDrawingArea(e, e.DisplaySurface);
    return CommandResult::NextLine;
}

CommandResult RunFix(EngineState& e, const char*) {
    e.CompositionSurface = e.DrawingArea;
    CharacterFlags(e) = 0;
    e.DisplaySurface = e.CompositionSurface;
    return CommandResult::NextLine;
}

CommandResult RunPartsLoad(EngineState& e, const char* arg) {
    std::string_view text(arg);
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        LoadPicture(e.Archives, text, e.Scene.PartsSheet);
        e.Vars.S[15] = 0;
    } else {
        LoadPicture(e.Archives, text.substr(0, comma), e.Scene.PartsSheet);
        LoadPicture(e.Archives, text.substr(comma + 1), e.Scene.WorkSurface);
        e.Vars.S[15] = 1;
    }
    return CommandResult::NextLine;
}

CommandResult RunPtSet(EngineState& e, const char* arg) {
    int v[6] = {};
    std::string_view text(arg);
    for (int i = 0; i < 6; ++i) {
        size_t comma = text.find(',');
        v[i] = EvaluateExpression(e, text.substr(0, comma));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    // Script values reach far beyond any surface; bounding them keeps the sizes from overflowing.
    for (int& value : v)
        value = std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
    Rect from{v[0], v[1], v[2] - v[0], v[3] - v[1]};
    BlitToDrawingAreaKeyed(e, e.Scene.PartsSheet, from, v[4], v[5], 255, 255, 0);
    return CommandResult::NextLine;
}

CommandResult RunDirect(EngineState& e, const char* arg) {
    uint32_t start = e.Host.NowMs();
    std::string_view text(arg);
    size_t comma = text.find(',');
    std::string name(text.substr(0, std::min(comma, kDirectNameLimit)));
    int numbers[3] = {};
    for (int i = 0; i < 3 && comma != std::string_view::npos; ++i) {
        text.remove_prefix(comma + 1);
        numbers[i] = ParseDecimal(std::string(text).c_str());
        comma = text.find(',');
    }
    if (LoadPicture(e.Archives, name, e.Scene.PartsSheet)) {
        const Surface& sheet = e.Scene.PartsSheet;
        BlitToDrawingArea(e, sheet, Rect{0, 0, sheet.Width(), sheet.Height()}, numbers[1],
                          numbers[2]);
    }
    e.Shell.InterpreterEnabled = false;
    WaitProcessingMessages(e, start, numbers[0]);
    e.Shell.InterpreterEnabled = true;
    return CommandResult::NextLine;
}

CommandResult RunMode(EngineState& e, const char* arg) {
    int wanted = ParseDecimal(arg);
    if (wanted != e.Vars.S[sys::kFullTextMode]) {
        ClearPage(e);
        UpdateDisplay(e);
        if (e.FullTextMode()) {
            e.Vars.S[32] = 0;
            e.Vars.S[sys::kFullTextMode] = 0;
            e.Text.WindowDisplayKind = 1;
        } else {
            ComposeWindowImage(e);
            e.Vars.S[sys::kFullTextMode] = 1;
            e.Text.WindowDisplayKind = 2;
        }
        ShowScene(e, 6);
    }
    e.Script.FetchLine = true;
    return CommandResult::EndPass;
}

}  // namespace vespin
