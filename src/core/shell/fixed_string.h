#pragma once
// A NUL-terminated byte string in a fixed field of N bytes, as the engine's records (string slots,
// script names in the call stack) and its save files hold them. Assignments longer than N - 1
// bytes are cut, never overrun.

#include <array>
#include <cstring>
#include <string_view>

namespace vespin {

template <size_t N>
class FixedString {
  public:
    FixedString() { m_bytes.fill(0); }
    FixedString(std::string_view s) { Assign(s); }  // NOLINT: implicit on purpose

    void Assign(std::string_view s) {
        m_bytes.fill(0);
        size_t n = s.size() < N - 1 ? s.size() : N - 1;
        if (n > 0) std::memcpy(m_bytes.data(), s.data(), n);  // an empty view may have no data
    }
    FixedString& operator=(std::string_view s) {
        Assign(s);
        return *this;
    }
    void Clear() { m_bytes.fill(0); }

    std::string_view View() const { return std::string_view(m_bytes.data(), Length()); }
    const char* CStr() const { return m_bytes.data(); }
    size_t Length() const { return strnlen(m_bytes.data(), N); }
    bool Empty() const { return m_bytes[0] == 0; }
    static constexpr size_t Capacity() { return N; }
    // The raw field, for save files.
    std::array<char, N>& Bytes() { return m_bytes; }
    const std::array<char, N>& Bytes() const { return m_bytes; }

    bool operator==(std::string_view s) const { return View() == s; }

  private:
    std::array<char, N> m_bytes;
};

}  // namespace vespin
