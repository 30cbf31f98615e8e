#pragma once
// The slot file's byte layout: fixed blocks, 143,378 bytes in all, little-endian 32-bit integers
// and zero-padded Shift-JIS texts. Every block is a byte array so the record has no padding and
// no alignment of its own; integers go through GetInt32 and PutInt32.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vespin {

static_assert(std::endian::native == std::endian::little, "save files are little-endian");

inline constexpr int kSlotFileSize = 143378;
inline constexpr int kCaptionBytes = 128;
inline constexpr int kSavedSysCount = 200;  // S000..S199
inline constexpr int kScriptStateValues = 64;
inline constexpr int kSavedBacklogBytes = 70000;  // lines 0..999
inline constexpr int kStringSlotBytes = 32;

// Indices of the 64 script-state values.
namespace slot_state {
inline constexpr int kCallDepth = 0;
inline constexpr int kReturnPositions = 1;  // 1..9
inline constexpr int kWindowShown = 10;
inline constexpr int kWaitTicks = 11;
inline constexpr int kCharDelay = 12;
inline constexpr int kWaitKind = 13;
inline constexpr int kMainMode = 14;
inline constexpr int kGraphicFlags = 15;  // 15 and 16
inline constexpr int kTextColumn = 17;
inline constexpr int kTextRow = 18;
inline constexpr int kWideSpacing = 19;
inline constexpr int kTextColour = 20;
inline constexpr int kBacklogLines = 21;
inline constexpr int kBacklogFill = 22;
inline constexpr int kInterpreterEnabled = 23;
inline constexpr int kFetchLine = 24;
inline constexpr int kLineStart = 25;
inline constexpr int kResumePosition = 26;
inline constexpr int kScriptSize = 27;
inline constexpr int kLineColumn = 28;
inline constexpr int kFullTextMode = 29;
inline constexpr int kPageHistoryCounter = 30;
inline constexpr int kPageEmpty = 32;
}  // namespace slot_state

// The names block: 30-byte fields unless stated, zero up to 1024 bytes.
struct SlotNames {
    char CallStack[9][30];
    char CurrentScript[30];
    char LastLoadedScript[30];
    char Background[30];
    char LeftCentre[30];
    char PageName[30];
    char Right[30];
    char Name450[30];
    char LoopingSound[30];
    char LastVoice[30];
    char Name540[20];
    char Name560[30];
    char Unused[434];
};
static_assert(sizeof(SlotNames) == 1024);
static_assert(offsetof(SlotNames, CurrentScript) == 270);
static_assert(offsetof(SlotNames, Background) == 330);
static_assert(offsetof(SlotNames, PageName) == 390);
static_assert(offsetof(SlotNames, Right) == 420);
static_assert(offsetof(SlotNames, LoopingSound) == 480);
static_assert(offsetof(SlotNames, Name540) == 540);
static_assert(offsetof(SlotNames, Name560) == 560);
static_assert(offsetof(SlotNames, Unused) == 590);

struct SlotFile {
    char Caption[kCaptionBytes];
    uint8_t PageText[2000];
    uint8_t PageColour[2000];
    uint8_t FlagsF[128];
    uint8_t Reserved[1024];
    uint8_t BankV[4000];
    uint8_t BankS[kSavedSysCount * 4];
    uint8_t ReadMarks[10240];
    uint8_t FlagsT[1250];
    uint8_t ScriptState[kScriptStateValues * 4];
    char Backlog[kSavedBacklogBytes];
    char LineBuffer[2048];
    SlotNames Names;
    char StringSlots[20][kStringSlotBytes];
    uint8_t HistoryText[20][2000];
    uint8_t HistoryLayout[20 * 4];
    char HistoryPictures[20][128];
    char HistoryVoices[20][256];
    uint8_t HistoryFullText[20 * 4];
};
static_assert(sizeof(SlotFile) == kSlotFileSize);
static_assert(alignof(SlotFile) == 1);
static_assert(offsetof(SlotFile, PageText) == 128);
static_assert(offsetof(SlotFile, PageColour) == 2128);
static_assert(offsetof(SlotFile, FlagsF) == 4128);
static_assert(offsetof(SlotFile, Reserved) == 4256);
static_assert(offsetof(SlotFile, BankV) == 5280);
static_assert(offsetof(SlotFile, BankS) == 9280);
static_assert(offsetof(SlotFile, ReadMarks) == 10080);
static_assert(offsetof(SlotFile, FlagsT) == 20320);
static_assert(offsetof(SlotFile, ScriptState) == 21570);
static_assert(offsetof(SlotFile, Backlog) == 21826);
static_assert(offsetof(SlotFile, LineBuffer) == 91826);
static_assert(offsetof(SlotFile, Names) == 93874);
static_assert(offsetof(SlotFile, StringSlots) == 94898);
static_assert(offsetof(SlotFile, HistoryText) == 95538);
static_assert(offsetof(SlotFile, HistoryLayout) == 135538);
static_assert(offsetof(SlotFile, HistoryPictures) == 135618);
static_assert(offsetof(SlotFile, HistoryVoices) == 138178);
static_assert(offsetof(SlotFile, HistoryFullText) == 143298);

// save0.dat: the system data that outlives every game.
struct SystemDataFile {
    uint8_t FlagsE[128];
    uint8_t CgSeen[256];
    uint8_t SceneSeen[256];
    uint8_t ReadMarks[10240];
};
static_assert(sizeof(SystemDataFile) == 10880);

// kaiso.dat: the recollection play lists.
struct RecollectionFile {
    uint8_t Entries[500 * 4];
    char Names[10][64];
};
static_assert(sizeof(RecollectionFile) == 2640);

inline int32_t GetInt32(const uint8_t* block, int index) {
    int32_t v;
    std::memcpy(&v, block + 4 * index, 4);
    return v;
}
inline void PutInt32(uint8_t* block, int index, int32_t v) {
    std::memcpy(block + 4 * index, &v, 4);
}

// The text in a field: its bytes up to the first zero, never beyond the field.
template <size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}
// Writes `text` into a field with its terminating zero, cut at a character boundary when it is
// too long; the rest of the field is zero.
void PutFieldText(char* field, size_t size, std::string_view text);
template <size_t N>
void PutFieldText(char (&field)[N], std::string_view text) {
    PutFieldText(field, N, text);
}

}  // namespace vespin
