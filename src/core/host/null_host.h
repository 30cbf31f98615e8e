#pragma once
// The do-nothing Host: a virtual clock that moves only when the engine sleeps, 55 ms timer ticks
// at their virtual times, no input, an in-memory settings store, message boxes answered OK.
// Tests use it directly; the headless runner builds on it.

#include <map>
#include <string>

#include "core/host/host.h"

namespace vespin {

class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view name) override;
    void Write(std::string_view name, std::string_view value) override;
    const std::map<std::string, std::string>& Values() const { return m_values; }

  private:
    std::map<std::string, std::string> m_values;  // keyed by the upper-cased name
};

class NullHost : public Host {
  public:
    static constexpr uint32_t kTimerPeriodMs = 55;

    uint32_t NowMs() override { return m_now; }
    void SleepMs(uint32_t ms) override { m_now += ms; }
    int64_t WallClockSeconds() override { return m_wall_seconds; }
    // Delivers at most one timer tick: ticks that fell due since the last one coalesce.
    void PumpMessages(EngineEvents& engine) override;
    void Present(const Surface& /*source*/, const Rect& /*area*/) override {}
    void SetWindowTitle(std::string_view, std::string_view) override {}
    void SetWindowSize(int, int) override {}
    void MoveWindow(int x, int y) override { m_window_x = x, m_window_y = y; }
    void WindowPosition(int& x, int& y) override { x = m_window_x, y = m_window_y; }
    void ScreenSize(int& width, int& height) override { width = 1920, height = 1080; }
    void CloseWindow() override { m_window_closed = true; }
    void UpdateToolbar(const ToolbarState& state) override { m_toolbar = state; }
    void SetToolbarStripVisible(bool visible) override { m_strip_visible = visible; }
    void ApplyScreenLayout(ScreenLayout layout) override { m_layout = layout; }
    bool EnterExclusiveDisplay(int bits) override {
        if (bits != m_exclusive_bits) return false;
        m_exclusive = true;
        return true;
    }
    void LeaveExclusiveDisplay() override { m_exclusive = false; }
    void ShowPopupMenu(int, int) override {}
    MessageResult ShowMessageBox(std::string_view, std::string_view, MessageIcon,
                                 MessageButtons) override {
        return MessageResult::Ok;
    }
    void ReportError(std::string_view) override {}
    SettingsStore& Settings() override { return m_settings; }
    SettingsStore& SiblingProductSettings() override { return m_sibling_settings; }
    bool TryLockSingleInstance(std::string_view) override { return true; }

    MemorySettingsStore& Store() { return m_settings; }
    MemorySettingsStore& SiblingStore() { return m_sibling_settings; }
    const ToolbarState& Toolbar() const { return m_toolbar; }
    bool WindowClosed() const { return m_window_closed; }
    ScreenLayout Layout() const { return m_layout; }
    bool ExclusiveDisplay() const { return m_exclusive; }
    bool StripVisible() const { return m_strip_visible; }
    // The colour depth an exclusive display accepts (0: none).
    void SetExclusiveDisplayDepth(int bits) { m_exclusive_bits = bits; }
    void SetWallClockSeconds(int64_t seconds) { m_wall_seconds = seconds; }

  protected:
    // Delivers the tick if one is due at the current virtual time.
    void DeliverDueTick(EngineEvents& engine);

    uint32_t m_now = 0;
    uint32_t m_next_tick = kTimerPeriodMs;
    int64_t m_wall_seconds = 0;
    int m_window_x = 0, m_window_y = 0;
    bool m_window_closed = false;
    ToolbarState m_toolbar;
    ScreenLayout m_layout = ScreenLayout::Windowed;
    bool m_exclusive = false;
    bool m_strip_visible = true;
    int m_exclusive_bits = 0;
    MemorySettingsStore m_settings;
    MemorySettingsStore m_sibling_settings;
};

}  // namespace vespin
