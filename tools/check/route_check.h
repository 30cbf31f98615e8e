#pragma once
// The route checker: reads every script of a game with the engine's own loader, command table,
// tag matcher and expression evaluator, and reports what would break in play: jumps to labels
// or scripts that do not exist, pictures and sounds no archive holds, blocks without their end,
// expressions that do not parse. It also collects the jumps and calls between scripts and
// labels, so that authors can draw the routes.

#include <filesystem>
#include <string>
#include <vector>

namespace vespin::check {

enum class Severity { Error, Warning, NotChecked };

struct Finding {
    Severity Level = Severity::Error;
    std::string Script;  // as stored in the archive (upper case)
    int Line = 0;        // 1-based
    std::string Message;
    std::string Text;  // the line, in UTF-8
};

// One jump, call or chain. A node is a script, or a script and one of its labels; names are in
// Shift-JIS, as the scripts write them.
struct RouteEdge {
    std::string FromScript, FromLabel;  // the label section the line sits in ("" = the top)
    std::string ToScript, ToLabel;
    std::string Kind;    // "go", "call", "chain", "if"
    std::string Choice;  // the choice entry whose body holds the line, in UTF-8, or ""
};

struct CheckResult {
    std::vector<Finding> Findings;
    std::vector<RouteEdge> Edges;
    std::vector<std::string> Scripts;  // every script checked, in archive order
    int Count(Severity level) const;
};

// Throws std::runtime_error when the folder holds no script archive.
CheckResult CheckGame(const std::filesystem::path& game_folder);

// Output: one line a finding and a summary line; a JSON object; a Graphviz graph.
std::string FormatText(const CheckResult& result);
std::string FormatJson(const CheckResult& result);
std::string FormatDot(const CheckResult& result);

}  // namespace vespin::check
