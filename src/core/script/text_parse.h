#pragma once
// Small readers of decimal numbers in script text, bounded and overflow-free.

#include <climits>
#include <cstdint>

namespace vespin {

// Reads an atoi-style number: leading blanks, an optional sign, then digits. Saturates at the
// int range instead of overflowing. `consumed`, when given, receives the bytes read (0 when no
// digit was found).
inline int ParseDecimal(const char* p, int* consumed = nullptr) {
    const char* start = p;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') {
        if (consumed) *consumed = 0;
        return 0;
    }
    int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value <= INT_MAX) value = value * 10 + (*p - '0');
        ++p;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    if (consumed) *consumed = static_cast<int>(p - start);
    return static_cast<int>(value);
}

// Reads plain digits only (no blanks, no sign), saturating.
inline int ParseDigits(const char* p, int* consumed) {
    int64_t value = 0;
    int n = 0;
    while (p[n] >= '0' && p[n] <= '9') {
        if (value <= INT_MAX) value = value * 10 + (p[n] - '0');
        ++n;
    }
    *consumed = n;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace vespin
