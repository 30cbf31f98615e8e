#pragma once
// Text dumps of engine state for authors and tests.

#include <string>

namespace vespin {

struct VariableBanks;

// The banks as one JSON object: keys "F", "V", "S", "E", "T", "P", "G", each an array of
// integers in index order, flags as 0 or 1.
std::string VariablesAsJson(const VariableBanks& vars);

}  // namespace vespin
