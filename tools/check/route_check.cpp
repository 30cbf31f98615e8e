#include "tools/check/route_check.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>

#include "core/host/null_host.h"
#include "core/script/label_index.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"
#include "tools/check/script_walk.h"

namespace vespin::check {

namespace fs = std::filesystem;

int CheckResult::Count(Severity level) const {
    return static_cast<int>(std::count_if(Findings.begin(), Findings.end(),
                                          [&](const Finding& f) { return f.Level == level; }));
}

namespace {

// Scripts that screens read as data (clickmaps, the viewer, the trees, the rolls and effects):
// their lines are not scenario lines, so they are checked for existence only.
constexpr const char* kDataScripts[] = {"MAP",   "VIEW",    "SELTREE", "SYS_FLASHBAK",
                                        "SROLL", "ENDROLL", "EFFECT"};

// Every script name of the two script archives, the newer archive first, each once.
std::vector<std::string> ScriptNames(const ArchiveSet& archives) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (ArchiveId id : {ArchiveId::Data2, ArchiveId::Data}) {
        for (const std::string& name : archives[id].Names) {
            if (seen.insert(name).second) names.push_back(name);
        }
    }
    return names;
}

// A label line's name as the engine compares it: single-byte letters folded.
std::string LabelKey(std::string_view script, std::string_view label) {
    return std::string(script) + ":" + sjis::UpperAscii(label);
}

void WarnUnreachedLabels(const WalkOutcome& outcome, CheckResult& result) {
    std::set<std::string> targeted;
    for (const RouteEdge& edge : outcome.Edges) {
        if (!edge.ToLabel.empty()) targeted.insert(LabelKey(edge.ToScript, edge.ToLabel));
    }
    for (const LabelDefinition& label : outcome.Labels) {
        if (targeted.count(LabelKey(label.Script, label.Name))) continue;
        result.Findings.push_back({Severity::Warning, label.Script, label.Line,
                                   "label \"" + sjis::ToUtf8(label.Name) + "\" is never jumped to",
                                   sjis::ToUtf8(":" + label.Name)});
    }
}

}  // namespace

CheckResult CheckGame(const fs::path& game_folder) {
    NullHost host;
    auto engine = std::make_unique<EngineState>(host, game_folder);
    ReadDirectories(game_folder, engine->Archives);
    std::vector<std::string> names = ScriptNames(engine->Archives);
    if (names.empty())
        throw std::runtime_error("no script archive (vg_data.vsp, vg_data2.vsp) in " +
                                 game_folder.string());

    GameScripts game;
    for (const std::string& name : names) {
        if (!LoadScript(*engine, name, ScriptMode::Data)) continue;
        const auto& buffer = engine->Script.DataScriptBuffer;
        game.Texts[name].assign(buffer.begin(), buffer.begin() + engine->Script.DataScriptSize);
    }
    for (const char* data : kDataScripts)
        game.DataScripts.insert(data);

    CheckResult result;
    result.Scripts = names;
    WalkOutcome outcome = WalkGame(*engine, game, result.Findings);
    WarnUnreachedLabels(outcome, result);
    result.Edges = std::move(outcome.Edges);
    std::stable_sort(result.Findings.begin(), result.Findings.end(),
                     [&](const Finding& a, const Finding& b) {
                         if (a.Script != b.Script) {
                             auto pos = [&](const std::string& s) {
                                 return std::find(names.begin(), names.end(), s) - names.begin();
                             };
                             return pos(a.Script) < pos(b.Script);
                         }
                         return a.Line < b.Line;
                     });
    return result;
}

}  // namespace vespin::check
