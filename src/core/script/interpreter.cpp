#include "core/script/interpreter.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/audio/sound_commands.h"
#include "core/graphics/picture_commands.h"
#include "core/host/host.h"
#include "core/script/commands.h"
#include "core/script/expression.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/backlog.h"
#include "core/text/message_window.h"
#include "core/text/page_history.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

// What one step of typing asks for next.
enum class Step {
    Continue,  // go on typing the line
    EndPass,   // return from this interpreter call
    NextLine,  // read the next line at once, in this call
};

bool IsSingleByteChar(uint8_t b) {
    return b >= 0x20 && b <= 0x7E;
}

unsigned Code16(const char* p) {
    return static_cast<unsigned>(static_cast<uint8_t>(p[0])) << 8 | static_cast<uint8_t>(p[1]);
}

// Width of the character at `p`: one byte for printable ASCII, otherwise two, except that a lead
// byte right before the line's NUL stands alone so the NUL is never swallowed.
int CharWidth(const char* p) {
    if (IsSingleByteChar(static_cast<uint8_t>(p[0]))) return 1;
    return p[1] == 0 ? 1 : 2;
}

// Copies the next line into LineBuffer. Lines longer than the buffer are cut at 2,047 bytes; the
// rest of such a line is skipped.
void FetchNextLine(ScriptState& s) {
    const char* buffer = reinterpret_cast<const char*>(s.ScriptBuffer.data());
    int n = 0;
    while (s.ReadPosition < s.ScriptSize) {
        char c = buffer[s.ReadPosition++];
        if (c == 0) break;
        if (n < kLineCapacity - 1) s.LineBuffer[n++] = c;
    }
    s.LineBuffer[n] = 0;
}

void SkipBlock(EngineState& e) {
    ScriptState& s = e.Script;
    const char* line = s.LineBuffer.data();
    int target;
    if (line[1] == ':') {
        std::string_view name(line + 2);
        size_t paren = name.find('(');
        if (paren != std::string_view::npos) name = name.substr(0, paren);
        target = FindNamedBlockEnd(e, s.ReadPosition, name);
    } else {
        target = SkipToLineStartingWith(e, s.ReadPosition, '}');
    }
    s.ReadPosition = target == kNoLine ? s.ScriptSize : target;
}

// Moves LineColumn past the next ']' of the line; NextLine when the line ends first.
bool SkipPastTagEnd(ScriptState& s) {
    const char* line = s.LineBuffer.data();
    const char* close = std::strchr(line + s.LineColumn, ']');
    if (!close) return false;
    s.LineColumn = static_cast<int>(close - line) + 1;
    return true;
}

struct Tag {
    const char* Name;
    int ArgumentOffset;  // from the first byte after '['
};
constexpr Tag kTags[] = {
    {"gra", 4},  {"1", 2},     {"2", 2}, {"col", 4}, {"wait", 5}, {"voice", 6},
    {"clrb", 5}, {"delay", 6}, {"?", 1}, {"$", 1},   {"@", 2},    {"=", 2},
};

void SetSubstitution(ScriptState& s, std::string_view text) {
    s.SubstitutionText = text;
    s.SubstitutionPosition = 0;
}

}  // namespace

InlineTagMatch MatchInlineTag(const char* body) {
    InlineTagMatch match;
    for (int i = 0; i < static_cast<int>(std::size(kTags)); ++i) {
        if (sjis::StartsWithIgnoringCase(body, kTags[i].Name)) {
            match.Tag = i;
            break;
        }
    }
    // The argument starts one byte after the name; never read past the line's NUL.
    match.Argument = body + std::strlen(body);
    if (match.Tag >= 0 && std::strlen(body) >= static_cast<size_t>(kTags[match.Tag].ArgumentOffset))
        match.Argument = body + kTags[match.Tag].ArgumentOffset;
    return match;
}

namespace {

// One inline tag; LineColumn is at the '['.
Step RunTag(EngineState& e) {
    ScriptState& s = e.Script;
    auto [tag, arg] = MatchInlineTag(s.LineBuffer.data() + s.LineColumn + 1);
    switch (tag) {
        case 1:
            SetWideSpacing(e, false);
            break;
        case 2:
            SetWideSpacing(e, true);
            break;
        case 3:
            SetColourIndex(e, ParseDecimal(arg));
            break;
        case 4: {
            int ticks = ParseDecimal(arg);
            if (e.Shell.SkipState == 0 && ticks > 0) e.Shell.WaitTicks = ticks;
            if (!SkipPastTagEnd(s)) s.FetchLine = true;
            return Step::EndPass;
        }
        case 7: {
            // A negative delay would hold the interpreter for billions of ticks: ignored.
            int delay = ParseDecimal(arg);
            if (delay >= 0) e.Text.CharDelay = delay;
            break;
        }
        case 8: {
            char text[16];
            std::string_view expr(arg, std::strcspn(arg, "]"));
            int value;
            try {
                value = EvaluateExpression(e, expr);
            } catch (const ScriptConversionError&) {
                // The pass is abandoned, but past the tag: run again, it would fail on every pass.
                if (!SkipPastTagEnd(s)) s.FetchLine = true;
                throw;
            }
            std::snprintf(text, sizeof text, "%d", value);
            SetSubstitution(s, text);
            break;
        }
        case 9: {
            int n = ParseDecimal(arg);
            if (n >= 0 && n <= 9) SetSubstitution(s, e.StringSlots[n].View());
            break;
        }
        case 11:
            SetClickWaitKind(e);
            break;
        case 0: {
            std::string_view argument(arg, std::strcspn(arg, "]"));
            PictureOperation(e, argument, static_cast<PictureSelector>(e.Scene.Selector));
            break;
        }
        case 6:
            ClearCharacters(e, arg);  // to the end of the line, ']' included
            break;
        case 5:
            PlayVoiceTag(e, std::string_view(arg, std::strcspn(arg, "]")));
            break;
        default:
            break;  // @ and unknown: nothing
    }
    if (SkipPastTagEnd(s)) return Step::Continue;
    s.FetchLine = true;
    return Step::NextLine;
}

// Ruby text: '<', an optional number, the text, '>'. LineColumn is at the '<'.
Step RunRuby(EngineState& e) {
    ScriptState& s = e.Script;
    const char* line = s.LineBuffer.data();
    int col = s.LineColumn + 1;
    int consumed = 0;
    int n = ParseDigits(line + col, &consumed);
    if (n != 0) {
        // The number and its separating blank; never past the line's end.
        int skip = n < 10 ? 2 : 3;
        for (int i = 0; i < skip && line[col] != 0; ++i)
            ++col;
    } else {
        n = 1;
    }
    const char* text = line + col;
    const char* close = std::strchr(text, '>');
    size_t length = close ? static_cast<size_t>(close - text) : std::strlen(text);
    DrawRuby(e, n, std::string_view(text, length));
    if (!close) {
        s.FetchLine = true;
        return Step::NextLine;
    }
    s.LineColumn = static_cast<int>(close - line) + 1;
    return Step::Continue;
}

// '%' followed by a tick count; LineColumn is at the '%'.
Step RunTickWait(EngineState& e) {
    ScriptState& s = e.Script;
    int consumed = 0;
    int ticks = ParseDigits(s.LineBuffer.data() + s.LineColumn + 1, &consumed);
    s.LineColumn += 1;
    if (ticks == 0) {
        ticks = 10;  // "%0" waits the default and then types its 0
    } else {
        s.LineColumn += consumed;
    }
    if (e.Shell.SkipState == 0) e.Shell.WaitTicks = ticks;
    return Step::EndPass;
}

// "＄" and a full-width digit: a name. LineColumn is at the "＄".
void RunNameMark(EngineState& e, int digit) {
    ScriptState& s = e.Script;
    if (digit <= 1 && e.Vars.F.Test(28)) {
        SetSubstitution(s, sjis_text::kHetare);
    } else {
        SetSubstitution(s, e.StringSlots[digit].View());
    }
    s.LineColumn += 4;
}

// One character taken out of the line or the substitution text.
struct TypedChar {
    char Bytes[2] = {0, 0};
    int Width = 0;
    std::string_view View() const { return std::string_view(Bytes, Width); }
};

// The next character of the substitution text. Copied out, because the text is
// cleared when it runs out.
TypedChar NextSubstitutionChar(ScriptState& s) {
    const char* text = s.SubstitutionText.CStr() + s.SubstitutionPosition;
    TypedChar ch;
    ch.Width = CharWidth(text);
    for (int i = 0; i < ch.Width; ++i)
        ch.Bytes[i] = text[i];
    s.SubstitutionPosition += ch.Width;
    if (s.SubstitutionPosition >= static_cast<int>(s.SubstitutionText.Length())) {
        s.SubstitutionText.Clear();
        s.SubstitutionPosition = 0;
        s.ColourResetPending = true;
    }
    return ch;
}

// Whether typing pauses after a character: one character a pass plus CharDelay - 1 ticks.
bool PauseAfterChar(EngineState& e) {
    if (e.Script.NameLine || e.Text.CharDelay == 0) return false;
    bool typing_effect =
        !e.Text.PageCompleteRequested && e.Settings.NormalTextSpeed && e.Shell.SkipState == 0;
    if (!typing_effect && e.AutoDelay() == 0) return false;
    e.Shell.WaitTicks = e.Text.CharDelay - 1;
    return true;
}

// Marks and characters at LineColumn; returns what RunScript should do next.
Step TypeStep(EngineState& e) {
    ScriptState& s = e.Script;
    TypedChar ch;
    if (!s.SubstitutionText.Empty()) {
        ch = NextSubstitutionChar(s);
    } else {
        const char* p = s.LineBuffer.data() + s.LineColumn;
        uint8_t b = static_cast<uint8_t>(*p);
        unsigned code = b != 0 && p[1] != 0 ? Code16(p) : 0;
        switch (b) {
            case '%':
                return RunTickWait(e);
            case '[':
                return RunTag(e);
            case '<':
                return RunRuby(e);
            case 0:
                EndTextLine(e);
                s.FetchLine = true;
                return Step::EndPass;
            default:
                break;
        }
        if (code == sjis_text::kMarkPageEnd || code == sjis_text::kMarkClickWait) {
            BeginWait(e, code == sjis_text::kMarkPageEnd ? 1 : 2);
            s.FetchLine = true;
            return Step::EndPass;
        }
        if (code == sjis_text::kMarkNewPage) {
            CommitLogLine(e.Backlog);
            NewPage(e);
            s.FetchLine = true;
            return Step::EndPass;
        }
        if (code == sjis_text::kMarkName && p[2] != 0) {
            unsigned digit = Code16(p + 2);
            if (digit >= sjis_text::kFullWidthZero && digit <= sjis_text::kFullWidthNine) {
                RunNameMark(e, static_cast<int>(digit - sjis_text::kFullWidthZero));
                return Step::Continue;
            }
        }
        ch.Width = CharWidth(p);
        for (int i = 0; i < ch.Width; ++i)
            ch.Bytes[i] = p[i];
        s.LineColumn += ch.Width;
        if (s.ColourResetPending) {
            e.Text.TextColour = 0;
            s.ColourResetPending = false;
        }
    }
    PutChar(e, ch.View());
    return PauseAfterChar(e) ? Step::EndPass : Step::Continue;
}

// Types the current line from LineColumn until it ends, waits or pauses.
Step TypeLine(EngineState& e) {
    for (;;) {
        Step step = TypeStep(e);
        if (step != Step::Continue) return step;
    }
}

// Dispatches LineBuffer by its first byte.
Step RunLine(EngineState& e) {
    ScriptState& s = e.Script;
    for (;;) {
        const char* line = s.LineBuffer.data();
        switch (line[0]) {
            case 0:
                e.Text.TextRow += 1;
                return Step::NextLine;
            case '!':
                ExecuteAssignment(e, line + 1);
                return Step::NextLine;
            case ':':
            case ';':
            case '}':
                return Step::NextLine;
            case '{':
                SkipBlock(e);
                return Step::NextLine;
            case '*':
            case '@': {
                int index = FindCommand(line + 1);
                if (index < 0) return Step::NextLine;
                CommandResult r = ExecuteCommand(e, index);
                if (r == CommandResult::NextLine) return Step::NextLine;
                if (r == CommandResult::EndPass) return Step::EndPass;
                continue;  // `if` rewrote LineBuffer: dispatch it again
            }
            case '\\':
                BeginWait(e, 1);
                RecordPage(e);
                return Step::EndPass;
            case '=':
                BeginWait(e, 2);
                return Step::EndPass;
            case '~':
                BeginWait(e, 4);
                return Step::EndPass;
            case '+':
                BeginWait(e, 5);
                return Step::EndPass;
            case '>':
                BeginSpeakerName(e, line + 1);
                s.LineColumn = 1;
                s.FetchLine = false;
                return TypeLine(e);
            default:
                s.LineColumn = 0;
                s.FetchLine = false;
                return TypeLine(e);
        }
    }
}

}  // namespace

void RunScript(EngineState& e) {
    ScriptState& s = e.Script;
    // A pass reads at most this many lines, and shows at most this many scenes: a script that
    // loops through jumps without ever waiting must not hang the engine, and one that loops
    // through pictures (each a whole frame composed) must not hold it for minutes either.
    constexpr int kMaxLinesPerPass = 100000;
    constexpr uint32_t kMaxScenesPerPass = 200;
    const uint32_t scenes_before = e.Scene.ScenesShown;
    if (!s.FetchLine) {
        if (TypeLine(e) == Step::EndPass) return;
    }
    for (int lines = 0; lines < kMaxLinesPerPass; ++lines) {
        if (e.Scene.ScenesShown - scenes_before >= kMaxScenesPerPass) return;
        s.NameLine = false;
        s.LineStart = s.ReadPosition;
        s.LineColumn = 0;
        if (s.ReadPosition >= s.ScriptSize) {
            ReturnFromCall(e);
            return;
        }
        FetchNextLine(s);
        if (RunLine(e) == Step::EndPass) return;
    }
}

}  // namespace vespin
