#include "headless/state_dump.h"

#include "core/script/variables.h"

namespace vespin {

namespace {

template <typename Bank>
void AppendFlags(std::string& out, const char* key, const Bank& bank) {
    out += std::string("\"") + key + "\":[";
    for (int i = 0; i < bank.Size(); ++i) {
        if (i) out += ',';
        out += bank.Test(i) ? '1' : '0';
    }
    out += ']';
}

template <typename Bank>
void AppendInts(std::string& out, const char* key, const Bank& bank) {
    out += std::string("\"") + key + "\":[";
    for (int i = 0; i < bank.Size(); ++i) {
        if (i) out += ',';
        out += std::to_string(bank.Get(i));
    }
    out += ']';
}

}  // namespace

std::string VariablesAsJson(const VariableBanks& v) {
    std::string out = "{";
    AppendFlags(out, "F", v.F);
    out += ',';
    AppendInts(out, "V", v.V);
    out += ',';
    AppendInts(out, "S", v.S);
    out += ',';
    AppendFlags(out, "E", v.E);
    out += ',';
    AppendFlags(out, "T", v.T);
    out += ',';
    AppendInts(out, "P", v.P);
    out += ',';
    AppendInts(out, "G", v.G);
    out += "}\n";
    return out;
}

}  // namespace vespin
