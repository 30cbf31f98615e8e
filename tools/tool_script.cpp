// vespin-tool script encode|decode

#include "tools/script_codec.h"
#include "tools/tool_io.h"

namespace vespin::tool {

int ScriptCommand(const std::vector<std::string>& args) {
    if (args.size() == 3 && (LooksLikeOption(args[1]) || LooksLikeOption(args[2])))
        throw ToolError("unknown option " + (LooksLikeOption(args[1]) ? args[1] : args[2]));
    if (args.size() == 3 && args[0] == "encode") {
        std::vector<uint8_t> script;
        std::string error;
        if (!EncodeScript(ReadText(args[1]), script, error))
            throw ToolError(args[1] + ": " + error);
        WriteBytes(args[2], script);
        return 0;
    }
    if (args.size() == 3 && args[0] == "decode") {
        WriteText(args[2], DecodeScript(ReadBytes(args[1])));
        return 0;
    }
    throw ToolError("usage: vespin-tool script encode IN.txt OUT | decode IN OUT.txt");
}

}  // namespace vespin::tool
