#include <cstdio>
#include <set>

#include "core/text/sjis.h"
#include "tools/check/route_check.h"
#include "tools/tool_io.h"

namespace vespin::check {

namespace {

const char* LevelName(Severity level) {
    switch (level) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::NotChecked:
            return "not checked";
    }
    return "";
}

std::string Summary(const CheckResult& result) {
    char line[160];
    std::snprintf(line, sizeof line, "%zu scripts: %d errors, %d warnings, %d not checked\n",
                  result.Scripts.size(), result.Count(Severity::Error),
                  result.Count(Severity::Warning), result.Count(Severity::NotChecked));
    return line;
}

// A graph node's name in UTF-8: the script, or the script and one of its labels.
std::string Node(const std::string& script, const std::string& label) {
    return sjis::ToUtf8(label.empty() ? script : script + ":" + label);
}

}  // namespace

std::string FormatText(const CheckResult& result) {
    std::string out;
    for (const Finding& f : result.Findings) {
        out += f.Script + ":" + std::to_string(f.Line) + ": " + LevelName(f.Level) + ": " +
               f.Message + "\n    " + f.Text + "\n";
    }
    return out + Summary(result);
}

std::string FormatJson(const CheckResult& result) {
    using tool::JsonString;
    std::string out = "{\"scripts\":" + std::to_string(result.Scripts.size());
    out += ",\"errors\":" + std::to_string(result.Count(Severity::Error));
    out += ",\"warnings\":" + std::to_string(result.Count(Severity::Warning));
    out += ",\"not_checked\":" + std::to_string(result.Count(Severity::NotChecked));
    out += ",\"findings\":[";
    for (size_t i = 0; i < result.Findings.size(); ++i) {
        const Finding& f = result.Findings[i];
        out += (i ? ",\n" : "\n") + std::string("{\"level\":") + JsonString(LevelName(f.Level)) +
               ",\"script\":" + JsonString(f.Script) + ",\"line\":" + std::to_string(f.Line) +
               ",\"message\":" + JsonString(f.Message) + ",\"text\":" + JsonString(f.Text) + "}";
    }
    return out + "]}\n";
}

// Scripts are boxes, labels ellipses inside their script's cluster; a choice names its edge.
std::string FormatDot(const CheckResult& result) {
    std::set<std::string> labels;
    for (const RouteEdge& e : result.Edges) {
        if (!e.FromLabel.empty()) labels.insert(Node(e.FromScript, e.FromLabel));
        if (!e.ToLabel.empty()) labels.insert(Node(e.ToScript, e.ToLabel));
    }
    std::string out = "digraph routes {\n  rankdir=LR;\n  node [fontname=\"IPAGothic\"];\n";
    for (const std::string& script : result.Scripts) {
        out += "  subgraph " + tool::JsonString("cluster_" + script) +
               " {\n    label=" + tool::JsonString(script) + ";\n    " + tool::JsonString(script) +
               " [shape=box];\n";
        for (const std::string& node : labels) {
            if (node.compare(0, script.size() + 1, script + ":") == 0)
                out += "    " + tool::JsonString(node) +
                       " [label=" + tool::JsonString(node.substr(script.size() + 1)) + "];\n";
        }
        out += "  }\n";
    }
    for (const RouteEdge& e : result.Edges) {
        std::string label = e.Choice.empty() ? e.Kind : e.Kind + ": " + e.Choice;
        out += "  " + tool::JsonString(Node(e.FromScript, e.FromLabel)) + " -> " +
               tool::JsonString(Node(e.ToScript, e.ToLabel)) +
               " [label=" + tool::JsonString(label) + (e.Kind == "call" ? ", style=dashed" : "") +
               "];\n";
    }
    return out + "}\n";
}

}  // namespace vespin::check
