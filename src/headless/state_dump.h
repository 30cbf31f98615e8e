#pragma once
// Text dumps of engine state for authors and tests.

#include <cstdint>
#include <string>

namespace vespin {

struct VariableBanks;

// The banks as one JSON object: keys "F", "V", "S", "E", "T", "P", "G", each an array of
// integers in index order, flags as 0 or 1.
std::string VariablesAsJson(const VariableBanks& vars);

// One bank's JSON array as the dump above writes it: `bits` flags (least significant bit of each
// byte first) as 0 or 1, or `count` integers.
std::string FlagsAsJsonArray(const uint8_t* bytes, int bits);
std::string IntegersAsJsonArray(const int32_t* values, int count);

}  // namespace vespin
