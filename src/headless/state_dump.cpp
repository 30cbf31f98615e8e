#include "headless/state_dump.h"

#include "core/script/variables.h"

namespace vespin {

namespace {

// The bank's entries as a JSON array: flags as 0 or 1, integers as they are.
template <size_t Bits>
int Entry(const FlagBank<Bits>& bank, int i) {
    return bank.Test(i) ? 1 : 0;
}
template <size_t N>
int Entry(const IntBank<N>& bank, int i) {
    return bank.Get(i);
}

template <typename Bank>
void AppendBank(std::string& out, const char* key, const Bank& bank) {
    if (out.size() > 1) out += ',';
    out += std::string("\"") + key + "\":[";
    for (int i = 0; i < bank.Size(); ++i) {
        if (i) out += ',';
        out += std::to_string(Entry(bank, i));
    }
    out += ']';
}

}  // namespace

std::string VariablesAsJson(const VariableBanks& v) {
    std::string out = "{";
    AppendBank(out, "F", v.F);
    AppendBank(out, "V", v.V);
    AppendBank(out, "S", v.S);
    AppendBank(out, "E", v.E);
    AppendBank(out, "T", v.T);
    AppendBank(out, "P", v.P);
    AppendBank(out, "G", v.G);
    out += "}\n";
    return out;
}

}  // namespace vespin
