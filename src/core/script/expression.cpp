#include "core/script/expression.h"

#include <cstdint>
#include <string>

#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/sjis.h"

namespace vespin {

ScriptConversionError::ScriptConversionError(const std::string& index_text)
    : std::runtime_error("'" + sjis::ToUtf8(index_text) + "' is not a valid integer value.") {}

namespace {

// Reads a bank index of exactly `width` characters (fewer only at the end of the text). Anything
// but decimal digits is a conversion failure.
int ReadIndex(std::string_view text, size_t at, size_t width, size_t& next) {
    std::string_view digits = text.substr(at < text.size() ? at : text.size(), width);
    next = at + digits.size();
    if (digits.empty()) throw ScriptConversionError(std::string(digits));
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') throw ScriptConversionError(std::string(digits));
        value = value * 10 + (c - '0');
    }
    return value;
}

size_t IndexWidth(char bank) {
    switch (bank) {
        case 'T':
            return 4;
        case 'G':
            return 1;
        default:
            return 3;
    }
}

// 32-bit arithmetic that wraps instead of overflowing; division and modulo by 0 give 0.
int32_t Apply(char op, int32_t a, int32_t b) {
    auto ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    switch (op) {
        case '+':
            return static_cast<int32_t>(ua + ub);
        case '-':
            return static_cast<int32_t>(ua - ub);
        case '*':
            return static_cast<int32_t>(ua * ub);
        case '/':
            if (b == 0) return 0;
            if (b == -1) return static_cast<int32_t>(0u - ua);  // INT_MIN / -1 wraps
            return a / b;
        case '%':
            if (b == 0 || b == -1) return 0;
            return a % b;
        case '&':
            return a & b;
        case '|':
            return a | b;
        case 'X':
            return a ^ b;
        default:
            return b;
    }
}

bool IsExpressionEnd(char c) {
    switch (c) {
        case '=':
        case '<':
        case '>':
        case ';':
        case '!':
        case '&':
        case '|':
        case ']':
        case ',':
            return true;
        default:
            return false;
    }
}

// A reference at text[i] (the bank letter); sets `value` and returns the position after it.
size_t ReadReference(EngineState& e, std::string_view text, size_t i, int32_t& value,
                     ExpressionReport* report) {
    if (report) ++report->References;
    char letter = text[i] == 'v' ? 'V' : text[i];
    size_t next = i + 1;
    if (letter == 'R') {
        int64_t n = 0;
        int digits = 0;
        while (next < text.size() && digits < 7 && text[next] >= '0' && text[next] <= '9') {
            n = n * 10 + (text[next++] - '0');
            ++digits;
        }
        int drawn = e.Rng.Next();
        value = n > 0 ? static_cast<int32_t>(drawn % n) : 0;
        return next;
    }
    int index = ReadIndex(text, i + 1, IndexWidth(letter), next);
    const VariableBanks& v = e.Vars;
    switch (letter) {
        case 'E':
            value = v.E.Test(index);
            break;
        case 'F':
            value = v.F.Test(index);
            break;
        case 'T':
            value = v.T.Test(index);
            break;
        case 'V':
            value = v.V.Get(index);
            break;
        case 'S':
            value = v.S.Get(index);
            break;
        case 'P':
            value = v.P.Get(index);
            break;
        case 'G':
            value = v.G.Get(index);
            break;
        default:
            value = 0;
            break;
    }
    return next;
}

bool IsReferenceLetter(char c) {
    switch (c) {
        case 'E':
        case 'F':
        case 'T':
        case 'V':
        case 'v':
        case 'S':
        case 'P':
        case 'G':
        case 'R':
            return true;
        default:
            return false;
    }
}

std::string NormaliseAssignment(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<uint8_t>(text[i]);
        if (sjis::IsLeadByte(b) && i + 1 < text.size()) {
            if (!(b == 0x81 && static_cast<uint8_t>(text[i + 1]) == 0x40)) {  // full-width blank
                out += text[i];
                out += text[i + 1];
            }
            ++i;
        } else if (b != ' ' && b != '\t') {
            out += static_cast<char>(sjis::UpperAscii(b));
        }
    }
    return out;
}

void StoreFlag(auto& bank, int index, int value) {
    if (value == 0 || value == 1) bank.Set(index, value == 1);
}

void AssignOne(EngineState& e, std::string_view statement, ExpressionReport* report) {
    if (statement.empty()) return;
    char bank = statement[0];
    // A letter that names no bank still has its index read and its value evaluated, and only
    // then stores nothing: a random number drawn in the value is taken from the sequence.
    size_t after_index = 0;
    int index = ReadIndex(statement, 1, IndexWidth(bank), after_index);
    std::string_view expr = statement.substr(std::min(after_index + 1, statement.size()));
    int value = EvaluateExpression(e, expr, report);
    VariableBanks& v = e.Vars;
    switch (bank) {
        case 'E':
            StoreFlag(v.E, index, value);
            break;
        case 'F':
            StoreFlag(v.F, index, value);
            break;
        case 'T':
            StoreFlag(v.T, index, value);
            break;
        case 'V':
            v.V.Put(index, value);
            break;
        case 'S':
            SetSystemValue(e, index, value);
            break;
        case 'P':
            v.P.Put(index, value);
            break;
        case 'G':
            v.G.Put(index, value);
            break;
        default:
            break;  // no such bank
    }
}

}  // namespace

void SetSystemValue(EngineState& e, int index, int value) {
    e.Vars.S.Put(index, value);
    if (index == sys::kSaveAvailability) RefreshToolbar(e);
}

void ExecuteAssignment(EngineState& e, std::string_view text, ExpressionReport* report) {
    std::string normal = NormaliseAssignment(text);
    std::string_view rest = normal;
    for (;;) {
        AssignOne(e, rest, report);
        size_t semicolon = rest.find(';');
        if (semicolon == std::string_view::npos) return;
        rest.remove_prefix(semicolon + 1);
    }
}

int EvaluateExpression(EngineState& e, std::string_view text, ExpressionReport* report) {
    int32_t acc = 0, cur = 0;
    char op = '+';
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            cur = static_cast<int32_t>(static_cast<uint32_t>(cur) * 10u + (c - '0'));
            ++i;
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '%') {
            acc = Apply(op, acc, cur);
            cur = 0;
            op = c;
            ++i;
        } else if (c == '_') {
            char next = i + 1 < text.size() ? text[i + 1] : 0;
            if (next == '&' || next == '|' || next == 'X') {
                acc = Apply(op, acc, cur);
                cur = 0;
                op = next;
                i += 2;
            } else {
                ++i;
            }
        } else if (IsReferenceLetter(c)) {
            i = ReadReference(e, text, i, cur, report);
        } else if (c == 0 || IsExpressionEnd(c)) {
            break;
        } else {
            if (report) report->Voided = true;
            return 0;  // an invalid character voids the whole expression
        }
    }
    return Apply(op, acc, cur);
}

namespace {

bool IsComparisonChar(char c) {
    switch (c) {
        case 0:
        case '!':
        case '&':
        case ',':
        case '<':
        case '=':
        case '>':
        case '|':
            return true;
        default:
            return false;
    }
}

// First comparison-operator character after position `from` (the character at `from` itself is
// never one), or the end of the text.
size_t NextOperator(std::string_view text, size_t from) {
    size_t i = from + 1;
    while (i < text.size() && !IsComparisonChar(text[i]))
        ++i;
    return i < text.size() ? i : text.size();
}

}  // namespace

bool EvaluateCondition(EngineState& e, std::string_view text, ExpressionReport* report) {
    if (!text.empty() && text[0] == '(') text.remove_prefix(1);
    std::string cond;
    bool second_byte = false;  // of a double-byte character, which is never folded
    for (char c : text) {
        if (c == ')' || c == 0 || cond.size() >= 100) break;
        if (c == ' ' || c == '\t') continue;
        auto b = static_cast<uint8_t>(c);
        cond += second_byte ? c : static_cast<char>(sjis::UpperAscii(b));
        second_byte = !second_byte && sjis::IsLeadByte(b);
    }
    std::string_view t = cond;
    auto at = [&](size_t i) { return i < t.size() ? t[i] : '\0'; };

    bool result = false;
    size_t pos = 0;
    while (pos <= t.size()) {
        int left = EvaluateExpression(e, t.substr(pos), report);
        size_t op = pos < t.size() ? NextOperator(t, pos) : t.size();
        char first = at(op);
        bool with_equals = first != 0 && at(op + 1) == '=';
        size_t right_start = op + (first != 0 ? 1 : 0) + (with_equals ? 1 : 0);
        int right =
            right_start < t.size() ? EvaluateExpression(e, t.substr(right_start), report) : 0;
        switch (first) {
            case '!':
                result = left != right;
                break;
            case '=':
                result = left == right;
                break;
            case '<':
                result = with_equals ? left <= right : left < right;
                break;
            case '>':
                result = with_equals ? left >= right : left > right;
                break;
            default:
                break;
        }
        size_t reached = right_start < t.size() ? NextOperator(t, right_start) : t.size();
        char link = at(reached);
        if (link == 0) return result;
        if (link == '&' && !result) return false;
        if (link == '|' && result) return true;
        pos = reached + 1;
    }
    return result;
}

}  // namespace vespin
