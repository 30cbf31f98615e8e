#include "core/host/null_host.h"

#include "core/text/sjis.h"

namespace vespin {

std::optional<std::string> MemorySettingsStore::Read(std::string_view name) {
    auto it = m_values.find(sjis::UpperAscii(name));
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

void MemorySettingsStore::Write(std::string_view name, std::string_view value) {
    m_values[sjis::UpperAscii(name)] = std::string(value);
}

void NullHost::PumpMessages(EngineEvents& engine) {
    DeliverDueTick(engine);
}

void NullHost::DeliverDueTick(EngineEvents& engine) {
    // Compare through a signed difference so the test survives the clock's wrap-around.
    if (static_cast<int32_t>(m_now - m_next_tick) < 0) return;
    uint32_t late = m_now - m_next_tick;
    m_next_tick += (late / kTimerPeriodMs + 1) * kTimerPeriodMs;
    engine.OnTimerTick();
}

}  // namespace vespin
