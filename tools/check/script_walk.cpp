#include "tools/check/script_walk.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <span>

#include "core/audio/movie.h"
#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/graphics/picture_commands.h"
#include "core/resources/picture.h"
#include "core/screens/seltree.h"
#include "core/script/control_flow.h"
#include "core/script/expression.h"
#include "core/script/interpreter.h"
#include "core/script/label_index.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin::check {

namespace {

constexpr size_t kLineLimit = 2047;  // bytes of a line the interpreter reads, its NUL apart
constexpr int kReadMarkLast = 80000;
constexpr size_t kIfActionLimit = 200;

// The lines of a decoded script: each starts at an offset and ends at its NUL.
std::vector<int> LineStarts(const std::string& text) {
    std::vector<int> starts;
    for (size_t at = 0; at < text.size();) {
        starts.push_back(static_cast<int>(at));
        size_t nul = text.find('\0', at);
        at = nul == std::string::npos ? text.size() : nul + 1;
    }
    return starts;
}

std::string LineAt(const std::string& text, int start) {
    size_t nul = text.find('\0', start);
    return text.substr(start, nul == std::string::npos ? std::string::npos : nul - start);
}

std::string PageKey(std::string_view script, std::string_view label) {
    return sjis::UpperAscii(script) + ":" + sjis::UpperAscii(label);
}

bool IsCommand(std::string_view name, int index) {
    return CommandName(index) == name;
}

// The text of a command's argument up to `stops` (or the end of the line).
std::string_view ArgumentUpTo(const char* arg, const char* stops) {
    return std::string_view(arg, std::strcspn(arg, stops));
}

class ScriptWalker {
  public:
    ScriptWalker(EngineState& e, const GameScripts& game, std::vector<Finding>& findings,
                 WalkOutcome& outcome, const std::map<int, std::set<std::string>>& slot_texts)
        : m_e(e), m_game(game), m_findings(findings), m_out(outcome), m_slot_texts(slot_texts) {}

    void Walk(const std::string& name, const std::string& text) {
        m_script = name;
        m_text = text;
        m_section.clear();
        m_choice.clear();
        m_in_choices = false;
        m_in_page = false;
        m_reported_block = false;
        SetScriptText(m_e, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        for (int start : LineStarts(text)) {
            ++m_line_number;
            m_line = LineAt(text, start);
            m_next = start + static_cast<int>(m_line.size()) + 1;
            CheckLine(m_line);
        }
        m_line_number = 0;
    }

    // The selection trees' targets, read by the engine's own tree reader: each is a call.
    void CheckTreeTargets(const std::string& text) {
        SelectionTreeState trees;
        ReadSelectionTrees(trees, text);
        m_script = "SELTREE";
        m_section.clear();
        for (const std::vector<TreeEntry>& tree : trees.Trees) {
            for (const TreeEntry& entry : tree) {
                std::string target(entry.Target.View());
                if (target.empty()) continue;
                m_line_number = LineOf(text, target);
                m_line = LineAt(text, LineStarts(text)[std::max(0, m_line_number - 1)]);
                m_choice = sjis::ToUtf8(entry.Label.View());
                JumpToScript("tree", SplitNameAndLabel(target.c_str(), target.c_str()).Name,
                             SplitNameAndLabel(target.c_str(), target.c_str()));
            }
        }
        m_choice.clear();
        m_line_number = 0;
    }

  private:
    void Report(Severity level, const std::string& message) {
        m_findings.push_back({level, m_script, m_line_number, message, sjis::ToUtf8(m_line)});
    }

    void CheckLine(const std::string& line) {
        if (line.size() > kLineLimit) {
            Report(Severity::Error, "line of " + std::to_string(line.size()) +
                                        " bytes; the engine reads at most 2047");
        }
        char first = line.empty() ? 0 : line[0];
        if (m_in_page && first != ':') {
            CheckPageLine(line);
            return;
        }
        switch (first) {
            case 0:
            case ';':
            case '\\':
            case '=':
            case '~':
            case '+':
                break;
            case '!':
                CheckAssignment(std::string_view(line).substr(1));
                break;
            case ':':
                m_section = line.substr(1);
                m_out.Labels.push_back({m_script, m_section, m_line_number});
                m_in_page = m_game.PresentationPages.count(PageKey(m_script, m_section)) > 0;
                break;
            case '}':
                m_in_choices = false;
                m_choice.clear();
                break;
            case '{':
                CheckBlockStart(line);
                break;
            case '*':
            case '@':
                CheckCommand(line);
                break;
            default:
                CheckText(line, first == '>' ? 1 : 0);
                break;
        }
    }

    // A presentation page's own commands: only its pictures are looked up.
    void CheckPageLine(const std::string& line) {
        if (line.empty() || (line[0] != '*' && line[0] != '@')) return;
        std::string_view command = std::string_view(line).substr(1);
        if (sjis::StartsWithIgnoringCase(command, "end")) m_in_page = false;
        if (sjis::StartsWithIgnoringCase(command, "gra ")) NeedPicturesOf(command.substr(4));
    }

    // --- blocks ---------------------------------------------------------------------------

    void CheckBlockStart(const std::string& line) {
        std::string_view rest = std::string_view(line).substr(1);
        if (!rest.empty() && rest[0] == ':') {
            std::string_view name = rest.substr(1, rest.find('(') - 1);
            if (FindNamedBlockEnd(m_e, m_next, name) == kNoLine)
                Report(Severity::Error, "block \"" + sjis::ToUtf8(name) + "\" has no \"}:" +
                                            sjis::ToUtf8(name) + "\" line after it");
            rest = rest.substr(std::min(rest.size(), rest.find('(')));
        } else if (SkipToLineStartingWith(m_e, m_next, '}') == kNoLine && !m_reported_block) {
            m_reported_block = true;  // every later '{' lacks it too
            Report(Severity::Error, "block without a \"}\" line after it");
        }
        if (!rest.empty() && rest[0] == '(') {
            CheckCondition(rest);
            rest = rest.substr(std::min(rest.size(), rest.find(')') + 1));
        }
        if (m_in_choices) m_choice = sjis::ToUtf8(rest);
    }

    // --- expressions ----------------------------------------------------------------------

    // Runs `evaluate` over the scratch engine; false when the text does not parse.
    template <typename Evaluate>
    bool Parses(std::string_view text, Evaluate evaluate, ExpressionReport& report) {
        try {
            evaluate(report);
        } catch (const ScriptConversionError& error) {
            Report(Severity::Error,
                   "\"" + sjis::ToUtf8(text) + "\" does not parse: " + error.what());
            return false;
        }
        if (report.Voided) {
            Report(Severity::Error, "\"" + sjis::ToUtf8(text) +
                                        "\" does not parse: an invalid character makes it 0");
            return false;
        }
        return true;
    }

    void CheckAssignment(std::string_view text) {
        ExpressionReport report;
        Parses(
            text, [&](ExpressionReport& r) { ExecuteAssignment(m_e, text, &r); }, report);
    }
    void CheckCondition(std::string_view text) {
        ExpressionReport report;
        Parses(
            text, [&](ExpressionReport& r) { EvaluateCondition(m_e, text, &r); }, report);
    }
    // The expression's value when it reads no variable, else nullopt.
    std::optional<int> CheckExpression(std::string_view text) {
        ExpressionReport report;
        int value = 0;
        bool ok = Parses(
            text, [&](ExpressionReport& r) { value = EvaluateExpression(m_e, text, &r); }, report);
        if (!ok || report.References > 0) return std::nullopt;
        return value;
    }

    // --- resources ------------------------------------------------------------------------

    void NeedPicture(std::string_view name, const char* what = "picture") {
        if (name.empty() || FindPicture(m_e.Archives, name).Found()) return;
        Report(Severity::Error,
               std::string(what) + " \"" + sjis::ToUtf8(name) + "\" is in no picture archive");
    }
    void NeedPicturesOf(std::string_view argument) {
        for (const PictureReference& ref : PicturesNamedBy(argument)) {
            NeedPicture(ref.Name);
            if (ref.WithMask && FindPicture(m_e.Archives, ref.Name).Found())
                NeedPicture(MaskName(ref.Name), "mask");
        }
    }
    void NeedSound(std::string_view name) {
        if (name.empty() || FindSound(m_e.Archives, name).Found()) return;
        Report(Severity::Error,
               "sound \"" + sjis::ToUtf8(name) + "\" is in no voice or effect archive");
    }
    void NeedScript(std::string_view name, const char* what) {
        if (m_game.Texts.count(sjis::UpperAscii(name))) return;
        Report(Severity::Error, std::string(what) + " \"" + sjis::ToUtf8(name) +
                                    "\" is in neither vg_data2.vsp nor vg_data.vsp");
    }

    // --- jumps ----------------------------------------------------------------------------

    void Edge(std::string_view kind, const std::string& script, std::string_view label) {
        m_out.Edges.push_back(
            {m_script, m_section, script, std::string(label), std::string(kind), m_choice});
    }

    void JumpHere(std::string_view kind, std::string_view label) {
        int target = FindLabel(m_e, label);
        if (target < 0) {
            Report(Severity::Error, "label \"" + sjis::ToUtf8(label) + "\" is not in " + m_script);
        } else {
            WarnInlineLabel(m_text, target, label);
        }
        Edge(kind, m_script, label);
    }

    // The engine takes any ':' as a label, also one inside a line ("*call x:y" is a label "y");
    // a jump that lands after such a line is almost always a mistake.
    void WarnInlineLabel(const std::string& text, int target, std::string_view label) {
        size_t end = static_cast<size_t>(target) - 1;  // the NUL of the label's line
        size_t start = end == 0 ? 0 : text.rfind('\0', end - 1);
        start = start == std::string::npos ? 0 : (end == 0 ? 0 : start + 1);
        if (text[start] == ':') return;
        int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + start, '\0'));
        Report(Severity::Warning, "label \"" + sjis::ToUtf8(label) +
                                      "\" is only found inside line " + std::to_string(line) +
                                      "; the jump lands after that line");
    }

    void JumpToScript(std::string_view kind, std::string_view name, const NameAndLabel& target) {
        std::string upper = sjis::UpperAscii(name);
        auto script = m_game.Texts.find(upper);
        if (script == m_game.Texts.end()) {
            NeedScript(name, "script");
            return;
        }
        if (target.HasLabel) {
            int at = ScanForLabel(script->second, target.Label);
            if (at < 0) {
                Report(Severity::Error,
                       "label \"" + sjis::ToUtf8(target.Label) + "\" is not in " + upper);
            } else {
                WarnInlineLabel(script->second, at, target.Label);
            }
        }
        Edge(kind, upper, target.HasLabel ? target.Label : std::string_view());
    }

    void CheckCall(const char* line, const char* arg, std::string_view kind) {
        NameAndLabel target = SplitNameAndLabel(line, arg);
        if (kind == "call" && arg[0] == '$') {
            int slot = (arg[1] >= '0' && arg[1] <= '9') ? arg[1] - '0' : 0;
            std::string values;
            if (auto texts = m_slot_texts.find(slot); texts != m_slot_texts.end()) {
                for (const std::string& text : texts->second)
                    values += (values.empty() ? "" : ", ") + sjis::ToUtf8(text);
            }
            Report(Severity::NotChecked,
                   "computed call through string slot " + std::to_string(slot) +
                       (values.empty() ? "" : "; the scripts set it to: " + values));
            return;
        }
        JumpToScript(kind, target.Name, target);
    }

    void CheckIf(const char* arg) {
        const char* close = static_cast<const char*>(std::memchr(arg, ')', std::strlen(arg)));
        if (!close || static_cast<size_t>(close - arg) > kIfActionLimit) {
            Report(Severity::Error, "condition without its \")\"");
            return;
        }
        CheckCondition(std::string_view(arg, close + 1 - arg));
        const char* action = close + 1;
        while (*action == ' ' || *action == '\t')
            ++action;
        if (*action == '*' || *action == '@' || *action == '!') {
            CheckLine(action);
        } else if (*action != 0) {
            JumpHere("if", action);
        }
    }

    void CheckComputedJump(const char* arg) {
        int bodies = 0;
        for (int p = m_next; p < m_e.Script.ScriptSize;) {
            std::string_view line = ScriptLineAt(m_e, p);
            if (!line.empty() && line[0] == '}') break;
            if (!line.empty() && line[0] == '{') ++bodies;
            p += static_cast<int>(line.size()) + 1;
        }
        std::string what = "computed jump into one of " + std::to_string(bodies) + " bodies";
        if (*arg == 0) {
            Report(Severity::NotChecked, what + " by G1");
        } else if (std::optional<int> value = CheckExpression(arg)) {
            Report(Severity::NotChecked, what + "; its value is always " + std::to_string(*value));
        } else {
            Report(Severity::NotChecked, what + " by \"" + sjis::ToUtf8(arg) + "\"");
        }
    }

    // --- commands -------------------------------------------------------------------------

    void CheckCommand(const std::string& line) {
        int index = FindCommand(std::string_view(line).substr(1));
        if (index < 0) {
            Report(Severity::Error, "unknown command");
            return;
        }
        if (!CommandBuilt(index))
            Report(Severity::Warning,
                   "this engine does not run \"" + std::string(CommandName(index)) + "\" yet");
        const char* arg = CommandArgument(line.c_str(), index);
        CheckArguments(line.c_str(), index, arg);
    }

    void CheckArguments(const char* line, int index, const char* arg) {
        std::string_view name = CommandName(index);
        if (name == "gra " || name == "grb ") {
            NeedPicturesOf(arg);
        } else if (name == "partsload ") {
            std::string_view text(arg);
            size_t comma = text.find(',');
            NeedPicture(text.substr(0, comma));
            if (comma != std::string_view::npos) NeedPicture(text.substr(comma + 1));
        } else if (name == "direct ") {
            NeedPicture(ArgumentUpTo(arg, ","));
        } else if (name == "music ") {
            CheckMusic(ParseDecimal(arg));
        } else if (name == "voice" || name == "se " || name == "seloop ") {
            NeedSound(arg);
        } else if (name == "movie ") {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(MoviePath(m_e.GameFolder, arg), ec))
                Report(Severity::Error, "movie file \"" + sjis::ToUtf8(arg) + "\" does not exist");
        } else if (name == "anim") {
            std::string anim = sjis::UpperAscii(ArgumentUpTo(arg, ","));
            if (!FindInOrder(m_e.Archives, {ArchiveId::Anim, ArchiveId::Anim2}, anim).Found())
                Report(Severity::Error,
                       "animation \"" + sjis::ToUtf8(anim) + "\" is in no animation archive");
        } else {
            CheckFlowArguments(line, index, arg);
        }
    }

    void CheckMusic(int track) {
        if (track <= 0) return;
        if (FindEntry(m_e.Archives[ArchiveId::Bgm], MusicEntryName(track)) < 0)
            Report(Severity::Error,
                   "music track " + std::to_string(track) + " is not in vg_bgm.vsp");
    }

    void CheckFlowArguments(const char* line, int index, const char* arg) {
        std::string_view name = CommandName(index);
        if (name == "go ") {
            JumpHere("go", arg);
        } else if (name == "chain ") {
            CheckCall(line, arg, "chain");
        } else if (name == "call ") {
            CheckCall(line, arg, "call");
        } else if (name == "present ") {
            CheckCall(line, arg, "present");
        } else if (name == "if ") {
            CheckIf(arg);
        } else if (name == "cjmp") {
            CheckComputedJump(arg);
        } else if (name == "calc ") {
            CheckAssignment(arg);
        } else if (name == "select" || name == "sel2" || name == "clickmap ") {
            m_in_choices = true;
            if (name == "clickmap ") CheckClickmap(arg);
        } else if (name == "switch") {
            if (*arg != 0 && FindNamedBlockEnd(m_e, m_next, arg) == kNoLine)
                Report(Severity::Error, "switch \"" + sjis::ToUtf8(arg) + "\" has no \"}:" +
                                            sjis::ToUtf8(arg) + "\" line after it");
        } else {
            CheckNumbersAndData(index, arg);
        }
    }

    void CheckClickmap(const char* arg) {
        auto map = m_game.Texts.find("MAP");
        if (map == m_game.Texts.end()) {
            NeedScript("map", "clickmap data script");
            return;
        }
        std::string wanted = ":" + sjis::UpperAscii(arg);
        for (int start : LineStarts(map->second)) {
            if (sjis::StartsWithIgnoringCase(LineAt(map->second, start), wanted)) return;
        }
        Report(Severity::Error, "clickmap \"" + sjis::ToUtf8(arg) + "\" is not in the map script");
    }

    void CheckNumbersAndData(int index, const char* arg) {
        std::string_view name = CommandName(index);
        if (name == "mark ") {
            int n = ParseDecimal(arg);
            if (n < 0 || n > kReadMarkLast)
                Report(Severity::Error, "read mark " + std::to_string(n) + " is outside 0..80000");
        } else if (name == "string ") {
            int n = ParseDecimal(arg);
            if (n < 0 || n >= kStringSlotCount)
                Report(Severity::Error, "string slot " + std::to_string(n) + " is outside 0..19");
        } else if (name == "roll ") {
            NeedScript(arg, "roll script");
        } else if (name == "effect") {
            NeedScript("effect", "effect script");
        } else if (name == "sroll") {
            NeedScript("sroll", "staff roll script");
        } else if (name == "seltree") {
            NeedScript("seltree", "selection tree script");
        } else if (name == "kaisou") {
            NeedScript("sys_flashbak", "recollection catalogue");
        } else if (name == "viewer") {
            NeedScript("view", "viewer script");
        }
    }

    // --- text lines -----------------------------------------------------------------------

    void CheckText(const std::string& line, size_t from) {
        const char* text = line.c_str();
        for (size_t i = from; i < line.size();) {
            auto b = static_cast<uint8_t>(text[i]);
            if (sjis::IsLeadByte(b) && i + 1 < line.size()) {
                auto second = static_cast<uint8_t>(text[i + 1]);
                // "▼", "▽" and "〓" drop the rest of the line.
                if (b == 0x81 && (second == 0xA5 || second == 0xA4 || second == 0xAC)) return;
                i += 2;
            } else if (b == '[') {
                const char* close = std::strchr(text + i, ']');
                CheckTag(text + i + 1);
                if (!close) return;
                i = static_cast<size_t>(close - text) + 1;
            } else if (b == '<') {
                const char* close = std::strchr(text + i, '>');
                if (!close) return;
                i = static_cast<size_t>(close - text) + 1;
            } else {
                ++i;
            }
        }
    }

    void CheckTag(const char* body) {
        InlineTagMatch match = MatchInlineTag(body);
        std::string_view arg = ArgumentUpTo(match.Argument, "]");
        switch (match.Tag) {
            case kTagGra:
                NeedPicturesOf(arg);
                break;
            case kTagVoice:
                NeedSound(arg);
                break;
            case kTagExpression:
                CheckExpression(arg);
                break;
            case kTagSlot: {
                int n = ParseDecimal(std::string(arg).c_str());
                if (n < 0 || n > 9)
                    Report(Severity::Error,
                           "[$" + std::to_string(n) + "] names no string slot (0..9)");
                break;
            }
            case -1:
                Report(Severity::Warning,
                       "unknown tag \"[" + sjis::ToUtf8(ArgumentUpTo(body, "]")) + "]\"");
                break;
            default:
                break;
        }
    }

    EngineState& m_e;
    const GameScripts& m_game;
    std::vector<Finding>& m_findings;
    WalkOutcome& m_out;
    const std::map<int, std::set<std::string>>& m_slot_texts;

    std::string m_script;
    std::string m_text;
    std::string m_line;
    int m_line_number = 0;
    int m_next = 0;         // offset of the line after the current one
    std::string m_section;  // the label the current line sits under
    std::string m_choice;   // the choice entry whose body holds the current line
    bool m_in_choices = false;
    bool m_in_page = false;  // inside a page that `present` shows
    bool m_reported_block = false;

    // The line (1-based) of the first line that holds `piece`, for reports; 1 when none does.
    static int LineOf(const std::string& text, const std::string& piece) {
        size_t at = text.find(piece);
        if (at == std::string::npos) return 1;
        return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\0'));
    }
};

// Scripts named by `roll` (and pages shown by `present`) are not scenario lines; texts put into
// string slots are what `call $N` can call.
void CollectFromCommands(const GameScripts& game, std::set<std::string>& data_scripts,
                         std::set<std::string>& presentation_pages,
                         std::map<int, std::set<std::string>>& slot_texts) {
    for (const auto& [name, text] : game.Texts) {
        for (int start : LineStarts(text)) {
            std::string line = LineAt(text, start);
            if (line.empty() || (line[0] != '*' && line[0] != '@')) continue;
            int index = FindCommand(std::string_view(line).substr(1));
            if (index < 0) continue;
            const char* arg = CommandArgument(line.c_str(), index);
            if (IsCommand("roll ", index)) data_scripts.insert(sjis::UpperAscii(arg));
            if (IsCommand("present ", index)) {
                NameAndLabel page = SplitNameAndLabel(line.c_str(), arg);
                if (page.HasLabel) {
                    presentation_pages.insert(PageKey(page.Name, page.Label));
                } else {
                    data_scripts.insert(sjis::UpperAscii(page.Name));
                }
            }
            if (IsCommand("string ", index) && line.size() > 10)
                slot_texts[ParseDecimal(arg)].insert(line.substr(10));
        }
    }
}

}  // namespace

WalkOutcome WalkGame(EngineState& e, GameScripts& game, std::vector<Finding>& findings) {
    std::map<int, std::set<std::string>> slot_texts;
    CollectFromCommands(game, game.DataScripts, game.PresentationPages, slot_texts);
    WalkOutcome outcome;
    ScriptWalker walker(e, game, findings, outcome, slot_texts);
    for (const auto& [name, text] : game.Texts) {
        if (!game.DataScripts.count(name)) walker.Walk(name, text);
    }
    if (auto trees = game.Texts.find("SELTREE"); trees != game.Texts.end())
        walker.CheckTreeTargets(trees->second);
    return outcome;
}

}  // namespace vespin::check
