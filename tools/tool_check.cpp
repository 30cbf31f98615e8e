// vespin-tool check: the route checker over a game folder.

#include <cstdio>

#include "tools/check/route_check.h"
#include "tools/tool_io.h"

namespace vespin::tool {

int CheckCommand(const std::vector<std::string>& args) {
    bool json = false, graph = false;
    std::string folder;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg == "--graph") {
            graph = true;
        } else if (folder.empty()) {
            folder = Positional(arg);
        } else {
            throw ToolError("check takes one game folder");
        }
    }
    if (folder.empty()) throw ToolError("usage: vespin-tool check [--json | --graph] GAMEDIR");
    if (json && graph) throw ToolError("--json and --graph cannot be combined");
    check::CheckResult result;
    try {
        result = check::CheckGame(folder);
    } catch (const std::runtime_error& error) {
        throw ToolError(error.what());
    }
    std::string out = graph  ? check::FormatDot(result)
                      : json ? check::FormatJson(result)
                             : check::FormatText(result);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return result.Count(check::Severity::Error) == 0 ? 0 : 1;
}

}  // namespace vespin::tool
