#include "headless/state_dump.h"

#include "core/script/variables.h"

namespace vespin {

namespace {

template <size_t Bits>
std::string Array(const FlagBank<Bits>& bank) {
    return FlagsAsJsonArray(bank.Bytes.data(), bank.Size());
}
template <size_t N>
std::string Array(const IntBank<N>& bank) {
    return IntegersAsJsonArray(bank.Values.data(), bank.Size());
}

template <typename Bank>
void AppendBank(std::string& out, const char* key, const Bank& bank) {
    if (out.size() > 1) out += ',';
    out += std::string("\"") + key + "\":" + Array(bank);
}

}  // namespace

std::string FlagsAsJsonArray(const uint8_t* bytes, int bits) {
    std::string out = "[";
    for (int i = 0; i < bits; ++i) {
        if (i) out += ',';
        out += (bytes[i / 8] >> (i % 8) & 1) ? '1' : '0';
    }
    return out + ']';
}

std::string IntegersAsJsonArray(const int32_t* values, int count) {
    std::string out = "[";
    for (int i = 0; i < count; ++i) {
        if (i) out += ',';
        out += std::to_string(values[i]);
    }
    return out + ']';
}

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
