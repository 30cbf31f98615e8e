// The label index answers every lookup exactly as the scan from the script's first byte does.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/script/label_index.h"
#include "test_game.h"

namespace vespin {
namespace {

using namespace std::string_literals;

// Index and scan agree on `name`; returns their answer.
int Both(const LabelIndex& index, std::string_view script, std::string_view name) {
    int scanned = ScanForLabel(script, name);
    EXPECT_EQ(index.Find(script, name), scanned) << "name '" << name << "'";
    return scanned;
}

// The names worth asking for in `script`: the text after every ':', in its case and folded the
// other way, and each of those shortened and lengthened by a byte.
std::vector<std::string> NamesIn(std::string_view script) {
    std::vector<std::string> names;
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] != ':') continue;
        std::string rest(script.substr(i + 1, script.find('\0', i + 1) - (i + 1)));
        names.push_back(rest);
        std::string swapped = rest;
        for (char& c : swapped) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
            else if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
        names.push_back(swapped);
        if (!rest.empty()) names.push_back(rest.substr(0, rest.size() - 1));
        names.push_back(rest + "x");
    }
    return names;
}

TEST(LabelIndex, GivesTheScansAnswerOnTheHardCases) {
    const std::string long_name(70, 'q');
    const std::string script =
        "Text: with a colon\0"s      // a ':' in a text line names " with a colon"
        ":AB\0one\0"s                // a prefix of the next label
        ":ABC\0two\0"s               //
        ":Mixed\0three\0"s           // found in any ASCII case
        ":ABC\0duplicate\0"s         // the first ABC wins
        "*go x:MID\0four\0"s         // a ':' in the middle of a line
        ":a:b\0five\0"s              // two labels on one line: "a:b" and "b"
        ":\0empty\0"s                // the empty name
        "\x83\x61:\x83\x61\0six\0"s  // ヂ before its label, then the label ヂ
        ":\x83\x41\0seven\0"s        // ア: not the same name as ヂ
        ":" +
        long_name + "\0long\0"s + ":" + long_name + "\0again\0"s + ":" + std::string(70, 'Q') +
        "Z\0"s + ":END"s;  // the very last bytes, with no NUL after them
    LabelIndex index;
    index.Build(script);

    struct Case {
        std::string name;
        std::string line_after;  // the line the jump lands on; empty when the target is the end
        bool found = true;
    };
    const Case cases[] = {
        {" with a colon", ":AB"},
        {"AB", "one"},
        {"ab", "one"},
        {"ABC", "two"},
        {"abc ", "", false},  // a trailing blank is part of the name
        {"MIXED", "three"},
        {"mixed", "three"},
        {"MID", "four"},
        {"a:b", "five"},
        {"B", "five"},
        {"", "empty"},
        {"\x83\x61", "six"},
        {"\x83\x41", "seven"},
        {long_name, "long"},
        {std::string(70, 'Q'), "long"},
        {std::string(70, 'q') + "z", ":END"},
        {"end", ""},
        {"EN", "", false},
        {"nowhere", "", false},
    };
    for (const Case& c : cases) {
        int at = Both(index, script, c.name);
        if (!c.found) {
            EXPECT_EQ(at, -1) << c.name;
            continue;
        }
        ASSERT_GE(at, 0) << c.name;
        std::string landed = static_cast<size_t>(at) < script.size()
                                 ? std::string(script.c_str() + at)
                                 : std::string();
        EXPECT_EQ(landed, c.line_after) << c.name;
    }
    EXPECT_EQ(Both(index, script, "END"), static_cast<int>(script.size()) + 1);
}

TEST(LabelIndex, AgreesWithTheScanOnRandomScripts) {
    // Few distinct bytes, so that labels collide, nest, repeat and run into the end.
    const char alphabet[] = {':', ':', 'a', 'A', 'b', 'B', '\0', '\0', ' ', '\x83', '\x61', '\x41'};
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string script(std::uniform_int_distribution<int>(0, 400)(rng), '\0');
        for (char& c : script)
            c = alphabet[std::uniform_int_distribution<size_t>(0, sizeof alphabet - 1)(rng)];
        if (round % 10 == 0) script += std::string(80, 'a') + ":" + std::string(90, 'B');
        LabelIndex index;
        index.Build(script);
        for (const std::string& name : NamesIn(script))
            Both(index, script, name);
        for (int k = 0; k < 20; ++k) {
            std::string name(std::uniform_int_distribution<int>(0, 4)(rng), 'a');
            for (char& c : name)
                c = alphabet[std::uniform_int_distribution<size_t>(2, sizeof alphabet - 1)(rng)];
            Both(index, script, name);
        }
        if (HasFailure()) break;
    }
}

TEST(LabelIndex, EachLoadedScriptHasItsOwnLabels) {
    // After the call returns, `back` must be found in main again, not where sub had it.
    test::TestGame g({{"main", "*call sub\n*go back\nskipped\n:back\nmain again\n"},
                      {"sub", "*go x\n:back\nwrong\n:x\nin sub\n"}},
                     test::WholeLines());
    g.RunFor(500);
    EXPECT_EQ(g.Transcript(), "[page]\nin sub\nmain again\n");
}

}  // namespace
}  // namespace vespin
