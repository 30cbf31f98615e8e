#include "core/persistence/choice_history.h"

#include <system_error>
#include <utility>
#include <vector>

#include "core/persistence/save_game.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

namespace fs = std::filesystem;

constexpr int kNewestSlot = 61;
constexpr int kOldestSlot = 80;

bool SlotExists(const EngineState& e, int slot) {
    std::error_code ec;
    return fs::exists(SlotPath(e, slot), ec);
}

}  // namespace

bool SaveChoiceHistory(EngineState& e) {
    if (e.Vars.S[28] != 0) return false;
    int gap = kNewestSlot;
    while (gap < kOldestSlot && SlotExists(e, gap))
        ++gap;
    // Each file moves one place down into the gap the previous move left; the oldest save, when
    // all twenty are taken, is set aside first and removed only once every move has succeeded.
    // A move that fails puts back the ones before it, so the ring is as it was and no save is
    // lost; the new save is then not taken.
    std::vector<std::pair<fs::path, fs::path>> moved;
    auto move = [&](const fs::path& from, const fs::path& to) {
        std::error_code ec;
        fs::rename(from, to, ec);
        if (!ec) moved.emplace_back(from, to);
        return !ec;
    };
    auto undo = [&] {
        std::error_code ec;
        for (auto it = moved.rbegin(); it != moved.rend(); ++it)
            fs::rename(it->second, it->first, ec);
    };
    fs::path dropped;
    if (SlotExists(e, gap)) {
        dropped = SlotPath(e, gap).string() + ".dropped";
        if (!move(SlotPath(e, gap), dropped)) return false;
    }
    for (int k = gap; k > kNewestSlot; --k) {
        if (!move(SlotPath(e, k - 1), SlotPath(e, k))) {
            undo();
            return false;
        }
    }
    std::error_code ec;
    if (!dropped.empty()) fs::remove(dropped, ec);
    return SaveGame(e, kNewestSlot, SaveKind::Quiet);
}

}  // namespace vespin
