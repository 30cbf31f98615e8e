#pragma once
// The line interpreter: runs script lines until something must wait.

namespace vespin {

struct EngineState;

// One interpreter call, made by the idle pass when the interpreter is enabled.
void RunScript(EngineState& e);

// The inline tags of text lines, in the order they are matched.
enum InlineTag : int {
    kTagGra = 0,
    kTagNarrow = 1,
    kTagWide = 2,
    kTagColour = 3,
    kTagWait = 4,
    kTagVoice = 5,
    kTagClrb = 6,
    kTagDelay = 7,
    kTagExpression = 8,
    kTagSlot = 9,
    kTagNothing = 10,
    kTagClickWait = 11,
};

struct InlineTagMatch {
    int Tag = -1;                    // an InlineTag, or -1 when no tag has this name
    const char* Argument = nullptr;  // where the argument starts, or the body's NUL
};
// The tag that the text after a '[' names (ignoring case, first match wins) and its argument.
InlineTagMatch MatchInlineTag(const char* body);

}  // namespace vespin
