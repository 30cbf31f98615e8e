#include "core/shell/screenshot.h"

#include <optional>

#include "core/persistence/banner.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr char kSavedText[] =  // 画面を保存しました
    "\x89\xE6\x96\xCA\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
constexpr char kFailedText[] =  // 画面を保存できません
    "\x89\xE6\x96\xCA\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
constexpr int kBannerMs = 500;

}  // namespace

void TakeScreenshot(EngineState& e) {
    std::optional<bool> saved = e.Host.SaveScreenshot();
    if (!saved) return;  // the host keeps no screenshots
    const ShellState& sh = e.Shell;
    if (sh.EngineBusy || sh.TransitionRunning || sh.WindowClosed) return;
    e.Shell.EngineBusy = true;
    ShowBanner(e, *saved ? kSavedText : kFailedText, kBannerMs);
    e.Shell.EngineBusy = false;
}

}  // namespace vespin
