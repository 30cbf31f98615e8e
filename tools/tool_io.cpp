#include "tools/tool_io.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vespin::tool {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ToolError("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw ToolError("cannot write " + path);
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

bool LooksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

const std::string& OptionValue(const std::vector<std::string>& args, size_t& i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size() || LooksLikeOption(args[i + 1]))
        throw ToolError(option + " needs a value");
    return args[++i];
}

const std::string& Positional(const std::string& word) {
    if (LooksLikeOption(word)) throw ToolError("unknown option " + word);
    return word;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

EntrySource ParseEntrySource(const std::vector<std::string>& args) {
    EntrySource source;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--archive") {
            source.Archive = OptionValue(args, i);
        } else if (args[i] == "--entry") {
            source.Entry = OptionValue(args, i);
        } else {
            source.Files.push_back(Positional(args[i]));
        }
    }
    return source;
}

}  // namespace vespin::tool
