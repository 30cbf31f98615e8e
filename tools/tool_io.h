#pragma once
// File helpers and the error type of vespin-tool's commands.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/resources/archive.h"

namespace vespin::tool {

// A user error: printed as "vespin-tool: MESSAGE" with a non-zero exit.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// A UTF-8 text as a JSON string, quoted and escaped.
std::string JsonString(std::string_view utf8);

// Whether a command-line word is an option ("--loop", "-o") rather than a value or a file.
bool LooksLikeOption(const std::string& word);
// The value after the option at args[i], advancing i. A missing value, or one that looks like an
// option (a forgotten value), is a usage error: it must not become the name of a file.
const std::string& OptionValue(const std::vector<std::string>& args, size_t& i);
// A file or entry argument; an option-looking word here is an unknown option.
const std::string& Positional(const std::string& word);

// The words after a subcommand that reads an entry either from a file or from an archive:
// `--archive FILE --entry NAME` and the remaining files.
struct EntrySource {
    std::string Archive, Entry;
    std::vector<std::string> Files;
    bool FromArchive() const { return !Archive.empty() || !Entry.empty(); }
    bool Complete() const { return !Archive.empty() && !Entry.empty(); }
};
EntrySource ParseEntrySource(const std::vector<std::string>& args);

// The directory of the archive at `path`, read with the engine's reader (the script layout for
// vg_data.vsp and vg_data2.vsp, the sized one for the others). Throws when there is no file.
ArchiveDirectory ReadArchiveDirectory(const std::string& path);

// Subcommands: args are the words after "archive", "script", "sound", "picture" or "save".
int ArchiveCommand(const std::vector<std::string>& args);
int ScriptCommand(const std::vector<std::string>& args);
int SoundCommand(const std::vector<std::string>& args);
int PictureCommand(const std::vector<std::string>& args);
int SaveCommand(const std::vector<std::string>& args);
int AnimCommand(const std::vector<std::string>& args);
int CheckCommand(const std::vector<std::string>& args);

}  // namespace vespin::tool
