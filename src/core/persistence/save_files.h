#pragma once
// Where the save files live and how they are written: every file is written to a temporary file
// beside it, flushed to the disk and renamed over the old one, so a crash or a full disk never
// leaves half a file in its place.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace vespin {

struct EngineState;

// Start-up: the game folder holds the saves when it can be written (players copy their saves in
// beside the archives); otherwise $XDG_DATA_HOME/vespin/<game folder name>/ (by default under
// ~/.local/share), said once on stderr. Reading uses the same folder.
void SettleSaveFolder(EngineState& e);
// The per-user folder for a game folder: $XDG_DATA_HOME/vespin/<name>/, by default under
// ~/.local/share.
std::filesystem::path PerUserSaveFolder(const std::filesystem::path& game_folder);
// The folder settled above (the game folder before start-up has settled it).
std::filesystem::path SaveFolder(const EngineState& e);

// Replaces `path` with `bytes`. False, leaving any previous file untouched, when the temporary
// file cannot be created, written, flushed or renamed.
bool WriteFileReplacing(const std::filesystem::path& path, std::span<const uint8_t> bytes);

enum class ReadOutcome : uint8_t { Read, Missing, WrongSize, Unreadable };
// Reads the whole file into `out` when it is a regular file of exactly `size` bytes; `out` is
// written only when the outcome is Read.
ReadOutcome ReadExactFile(const std::filesystem::path& path, void* out, size_t size);

}  // namespace vespin
