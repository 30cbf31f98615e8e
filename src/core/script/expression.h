#pragma once
// Assignments, integer expressions and conditions over the variable banks.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vespin {

struct EngineState;

// An index that is not a decimal number. It escapes the interpreter: the rest of the pass is
// abandoned and the front end reports it as an error, then the engine goes on.
class ScriptConversionError : public std::runtime_error {
  public:
    explicit ScriptConversionError(const std::string& index_text);
};

// What evaluating told about the text itself, for tools that check scripts: whether an invalid
// character voided an expression, and how many variables (or random numbers) it read. An index
// that is not a number still throws ScriptConversionError.
struct ExpressionReport {
    bool Voided = false;
    int References = 0;
};

// One or more statements separated by ';', such as "V001=5;F010=1".
void ExecuteAssignment(EngineState& e, std::string_view text, ExpressionReport* report = nullptr);
// Left to right, no precedence; an invalid character makes the whole result 0.
int EvaluateExpression(EngineState& e, std::string_view text, ExpressionReport* report = nullptr);
// The `if` condition language, e.g. "(V001=1&V002>=3|F010=1)".
bool EvaluateCondition(EngineState& e, std::string_view text, ExpressionReport* report = nullptr);

// Writes S000 and the like through one place, so the engine's side effects follow.
void SetSystemValue(EngineState& e, int index, int value);

}  // namespace vespin
