#include "core/persistence/save_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "core/shell/engine_state.h"

namespace vespin {

namespace {

namespace fs = std::filesystem;

// A folder we may write in: a probe file can be created and removed there.
bool CanWriteIn(const fs::path& folder) {
    std::string probe = (folder / ".vespin-probe-XXXXXX").string();
    int fd = mkstemp(probe.data());
    if (fd < 0) return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

bool UsableAsSaveFolder(const fs::path& folder) {
    std::error_code ec;
    fs::path save = folder / "save";
    if (fs::exists(save, ec) && !fs::is_directory(save, ec)) return false;
    return CanWriteIn(folder);
}

}  // namespace

fs::path PerUserSaveFolder(const fs::path& game_folder) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        base = fs::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    fs::path name = game_folder.filename();
    if (name.empty()) name = game_folder.parent_path().filename();
    if (name.empty()) name = "game";
    return base / "vespin" / name;
}

namespace {

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename itself survive a crash.
void SyncFolder(const fs::path& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

void SettleSaveFolder(EngineState& e) {
    if (UsableAsSaveFolder(e.GameFolder)) {
        e.Saves.Folder = e.GameFolder;
        return;
    }
    fs::path folder = PerUserSaveFolder(e.GameFolder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    e.Saves.Folder = folder;
    std::fprintf(stderr, "vespin: the game folder %s cannot be written; saves are kept in %s\n",
                 e.GameFolder.c_str(), folder.c_str());
}

fs::path SaveFolder(const EngineState& e) {
    return e.Saves.Folder.empty() ? e.GameFolder : e.Saves.Folder;
}

bool WriteFileReplacing(const fs::path& path, std::span<const uint8_t> bytes) {
    std::string temp = path.string() + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    // mkstemp makes the file private; a save is an ordinary file of the user's.
    if (ok) chmod(temp.c_str(), 0644);
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}

ReadOutcome ReadExactFile(const fs::path& path, void* out, size_t size) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return ReadOutcome::Missing;
    if (!fs::is_regular_file(path, ec)) return ReadOutcome::Unreadable;
    uintmax_t actual = fs::file_size(path, ec);
    if (ec) return ReadOutcome::Unreadable;
    if (actual != size) return ReadOutcome::WrongSize;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadOutcome::Unreadable;
    // Read whole first: a file that shrinks while it is read is not taken at all.
    std::string bytes(size + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size + 1));
    if (static_cast<size_t>(in.gcount()) != size) return ReadOutcome::WrongSize;
    std::memcpy(out, bytes.data(), size);
    return ReadOutcome::Read;
}

}  // namespace vespin
