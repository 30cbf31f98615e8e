#pragma once
// File helpers and the error type of vespin-tool's commands.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vespin::tool {

// A user error: printed as "vespin-tool: MESSAGE" with a non-zero exit.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Subcommands: args are the words after "archive", "script" or "sound".
int ArchiveCommand(const std::vector<std::string>& args);
int ScriptCommand(const std::vector<std::string>& args);
int SoundCommand(const std::vector<std::string>& args);

}  // namespace vespin::tool
