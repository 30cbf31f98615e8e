// Saved games through the engine on the headless host: what a save keeps, what a load brings
// back, which files are refused, and the files beside the saves (the ring, the system data).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "audio_test_util.h"
#include "core/audio/audio_state.h"
#include "core/persistence/choice_history.h"
#include "core/persistence/save_files.h"
#include "core/persistence/save_game.h"
#include "core/persistence/slot_file.h"
#include "core/persistence/slot_image.h"
#include "core/persistence/system_data.h"
#include "headless/state_dump.h"
#include "test_game.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

namespace fs = std::filesystem;
using test::GameOptions;
using test::TestGame;
using Bytes = std::vector<uint8_t>;

Surface SolidPicture(int w, int h, uint8_t b, uint8_t g, uint8_t r) {
    Surface s(w, h);
    s.Fill(b, g, r);
    return s;
}

Bytes Tone(int rate, double seconds, WadyCoding coding = WadyCoding::R) {
    PcmFormat f{1, rate};
    return EncodeWady(coding, f, test::Tone(f, static_cast<size_t>(rate * seconds)));
}

// A background, a left character with its mask, a looping sound, music and the two system
// sounds of saving and loading, each at a sample rate of its own.
GameOptions SaveOptions() {
    GameOptions o = test::WholeLines();
    o.Pictures["A01"] = SolidPicture(800, 600, 10, 20, 30);
    o.Pictures["B0101"] = SolidPicture(80, 600, 250, 0, 0);
    o.Pictures["M0101"] = SolidPicture(80, 600, 255, 255, 255);
    o.Archives["vg_se2.vsp"] = {{"LOOPA", Tone(12000, 0.5)}};
    o.Archives["vg_wav1.vsp"] = {{"SSE05", Tone(11025, 0.2)}, {"SSE06", Tone(16000, 0.2)}};
    o.Archives["vg_bgm.vsp"] = {{"M03", Tone(8000, 3, WadyCoding::M)}};
    return o;
}

// A first page with a scene, music, a looping sound and variables; a second page that changes
// all of them.
constexpr char kStory[] =
    "*gra A01\n*gra B0101 L\n*music 3\n*seloop LOOPA\n!V001=7;V002=0-3;S040=12\n"
    "*string 2 Mio\nFirst page.\n\\\n"
    "*seoff\n*music 0\n!V001=99\n*gra S000\nSecond page.\n\\\nThird page.\n\\\n";

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

testing::AssertionResult SameSurface(const Surface& a, const Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (std::memcmp(a.Row(y) + 3 * x, b.Row(y) + 3 * x, 3) != 0)
                return testing::AssertionFailure()
                       << "first difference at " << x << "," << y << ": " << test::At(a, x, y)
                       << " against " << test::At(b, x, y);
        }
    }
    return testing::AssertionSuccess();
}

struct Game {
    explicit Game(const std::string& main = kStory, GameOptions o = SaveOptions())
        : g({{"main", main}}, std::move(o)) {}
    EngineState& E() { return g.State(); }
    // Runs until the script waits for a click.
    void ToWait() {
        ASSERT_TRUE(
            g.RunUntil([&] { return E().Shell.WaitKind != 0 || E().Shell.ChoiceKind != 0; }));
    }
    void NextPage() {
        g.Click();
        g.Steps(1);
        ToWait();
    }
    std::string Vars() { return VariablesAsJson(E().Vars); }
    TestGame g;
};

TEST(SaveAndLoad, ALoadBringsBackTheVariablesThePageTheSceneAndTheMusic) {
    Game game;
    game.ToWait();
    EngineState& e = game.E();
    std::string vars = game.Vars();
    TextPage page = e.Text.Page;
    Surface shown = e.DisplaySurface;
    ASSERT_TRUE(SaveGame(e, 3, SaveKind::Announced));

    game.NextPage();
    ASSERT_NE(game.Vars(), vars);
    ASSERT_EQ(e.Audio.Music.Source, MusicSource::Stopped);
    ASSERT_TRUE(LoadGame(e, 3));

    EXPECT_EQ(game.Vars(), vars);
    EXPECT_EQ(std::memcmp(&e.Text.Page, &page, sizeof page), 0);
    EXPECT_EQ(e.Scene.BackgroundName.View(), "A01");
    EXPECT_EQ(e.Scene.LeftCentreName.View(), "B0101");
    EXPECT_TRUE(SameSurface(e.DisplaySurface, shown));
    EXPECT_EQ(e.Vars.S[5], 3);
    EXPECT_NE(e.Audio.Music.Source, MusicSource::Stopped);
    EXPECT_EQ(e.StringSlots[2].View(), "Mio");
    EXPECT_EQ(e.Shell.WaitKind, 1);
    // The game goes on from the restored wait: the second page comes again.
    game.NextPage();
    EXPECT_EQ(e.Vars.V[1], 99);
}

TEST(SaveAndLoad, ALoopingSoundStartsAgainOnLoad) {
    Game game;
    game.ToWait();
    ASSERT_TRUE(SaveGame(game.E(), 4, SaveKind::Quiet));
    game.NextPage();
    VirtualSoundDevice& d = game.g.Host().Sound();
    ASSERT_FALSE(d.Holds(kSlotLoopingEffect));
    ASSERT_TRUE(LoadGame(game.E(), 4));
    ASSERT_TRUE(d.Holds(kSlotLoopingEffect));
    EXPECT_TRUE(d.Looping(kSlotLoopingEffect));
    EXPECT_EQ(d.Format(kSlotLoopingEffect).SampleRate, 12000);
    EXPECT_EQ(game.E().Audio.Sound.LoopingSoundName.View(), "LOOPA");
}

// Which saves make themselves heard and seen: the sound only up to slot 20, the banner (and the
// virtual time it takes) only for announced saves.
TEST(SaveAndLoad, AnnouncedSavesPlayTheirSoundOnlyUpToSlotTwenty) {
    struct Case {
        int Slot;
        SaveKind Kind;
        bool Sound;
        bool Banner;
    } cases[] = {{5, SaveKind::Announced, true, true},
                 {20, SaveKind::Announced, true, true},
                 {25, SaveKind::Announced, false, true},
                 {kQuickSaveSlot, SaveKind::Announced, false, true},
                 {5, SaveKind::Quiet, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Slot);
        Game game;
        game.ToWait();
        VirtualSoundDevice& d = game.g.Host().Sound();
        game.E().Vars.S[26] = 4;  // auto-advance on
        uint32_t before = game.g.Host().NowMs();
        ASSERT_TRUE(SaveGame(game.E(), c.Slot, c.Kind));
        uint32_t took = game.g.Host().NowMs() - before;
        bool sse05 = d.Holds(kSlotVoice) && d.Format(kSlotVoice).SampleRate == 11025;
        EXPECT_EQ(sse05, c.Sound);
        EXPECT_EQ(took >= 500, c.Banner) << took;
        EXPECT_EQ(game.E().Vars.S[26], c.Banner ? 0 : 4);
        EXPECT_EQ(fs::file_size(SlotPath(game.E(), c.Slot)), 143378u);
    }
}

TEST(SaveAndLoad, ASaveDuringTheBattleResumesAtTheLineStartWithTheWindowClosed) {
    Game game("Before.\n\\\n*sleep 3000\nAfter.\n\\\n");
    game.ToWait();
    game.g.Click();
    EngineState& e = game.E();
    game.g.Steps(2);  // the window is open, the sleep line runs
    ASSERT_NE(e.Shell.SleepPasses, 0);
    int sleep_line = e.Script.LineStart;
    e.Shell.MainMode = kModeBattle;
    ASSERT_TRUE(SaveGame(e, 6, SaveKind::Quiet));
    e.Shell.MainMode = kModeScript;
    ASSERT_TRUE(ReadSlotSummary(e, 6).Caption.ends_with("(Map)"));

    game.g.RunUntil([&] { return e.Shell.SleepPasses == 0 && e.Shell.WaitKind != 0; });
    ASSERT_TRUE(LoadGame(e, 6));
    EXPECT_EQ(e.Shell.MainMode, kModeScript);
    EXPECT_FALSE(e.Text.WindowShown);
    EXPECT_EQ(e.Script.ReadPosition, sleep_line);
    EXPECT_TRUE(e.Script.FetchLine);
}

TEST(SaveAndLoad, AReadMarkOfALaterPlayThroughSurvivesLoadingAnOlderSave) {
    Game game("*mark 5\nOne.\n\\\n*mark 6\nTwo.\n\\\n");
    game.ToWait();
    EngineState& e = game.E();
    ASSERT_TRUE(SaveGame(e, 2, SaveKind::Quiet));
    game.NextPage();
    ASSERT_TRUE(e.Saves.ReadMarks.Test(6));
    ASSERT_TRUE(LoadGame(e, 2));
    EXPECT_TRUE(e.Saves.ReadMarks.Test(5));
    EXPECT_TRUE(e.Saves.ReadMarks.Test(6));
    // Read again after the load, mark 6 counts as read.
    game.NextPage();
    EXPECT_TRUE(e.Saves.PassageRead);
}

TEST(SaveAndLoad, AChoiceSavedByTheRingComesBackAsAChoice) {
    Game game("Pick.\n*select\n{Left\nwent left\n{Right\nwent right\n}\nEnd.\n\\\n");
    game.ToWait();
    EngineState& e = game.E();
    ASSERT_EQ(e.Shell.ChoiceKind, kChoiceInWindow);
    ASSERT_TRUE(fs::exists(SlotPath(e, 61)));
    int select_line = e.Script.LineStart;
    game.g.MouseMove(400, 190);
    game.g.Click();
    game.g.Steps(3);
    ASSERT_EQ(e.Shell.ChoiceKind, kNoChoice);

    ASSERT_TRUE(LoadGame(e, 61));
    EXPECT_EQ(e.Script.ReadPosition, select_line);
    game.g.Steps(2);
    EXPECT_EQ(e.Shell.ChoiceKind, kChoiceInWindow);
}

// The ring: slot 61 is the newest; a new choice moves every save up to the first free slot, and
// with all twenty taken the oldest drops out. When the oldest cannot be set aside, nothing moves.
TEST(ChoiceHistory, TheRingMovesUpAndDropsTheOldest) {
    struct Case {
        const char* Name;
        int First, Last;  // slots present before
        bool AsideBlocked;
    } cases[] = {{"61..70 present", 61, 70, false},
                 {"all twenty present", 61, 80, false},
                 {"none present", 0, -1, false},
                 {"the oldest cannot be set aside", 61, 80, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Game game("Text.\n\\\n");
        game.ToWait();
        EngineState& e = game.E();
        for (int n = c.First; n <= c.Last; ++n)
            WriteBytes(SlotPath(e, n), Bytes(10, static_cast<uint8_t>(n)));
        fs::path aside = SlotPath(e, 80).string() + ".dropped";
        if (c.AsideBlocked) fs::create_directories(aside / "x");
        bool saved = SaveChoiceHistory(e);
        EXPECT_EQ(saved, !c.AsideBlocked);
        for (int n = c.First; n <= c.Last; ++n) {
            int now = saved ? n + 1 : n;  // where save n is afterwards
            if (now > 80) continue;
            EXPECT_EQ(ReadBytes(SlotPath(e, now)), Bytes(10, uint8_t(n))) << n;
        }
        if (saved) {
            EXPECT_EQ(fs::file_size(SlotPath(e, 61)), 143378u);
            EXPECT_FALSE(fs::exists(aside));
        }
    }
}

TEST(ChoiceHistory, NothingIsSavedWhileS028IsSet) {
    Game game("Text.\n\\\n");
    game.ToWait();
    game.E().Vars.S[28] = 1;
    EXPECT_FALSE(SaveChoiceHistory(game.E()));
    EXPECT_FALSE(fs::exists(SlotPath(game.E(), 61)));
}

// A write that fails half-way (the file size limit stands in for a full disk or a crash) leaves
// the previous save byte for byte, and no temporary file behind.
TEST(SaveAndLoad, AFailedWriteLeavesThePreviousSaveAsItWas) {
    Game game;
    game.ToWait();
    EngineState& e = game.E();
    ASSERT_TRUE(SaveGame(e, 7, SaveKind::Quiet));
    Bytes before = ReadBytes(SlotPath(e, 7));
    game.NextPage();

    struct rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 70000;
    setrlimit(RLIMIT_FSIZE, &small);
    bool saved = SaveGame(e, 7, SaveKind::Quiet);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(SlotPath(e, 7)), before);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(SlotPath(e, 7).parent_path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

// Files that are not complete, consistent saves: refused with a banner, left as they are, and
// the game goes on as if nothing had happened.
TEST(SaveAndLoad, BrokenFilesAreRefusedAndTheGameGoesOn) {
    struct Case {
        const char* Name;
        std::function<void(Bytes&)> Spoil;
    } cases[] = {
        {"100 bytes", [](Bytes& b) { b.resize(100); }},
        {"one byte more", [](Bytes& b) { b.push_back(0); }},
        {"resume past the script", [](Bytes& b) { PutInt32(b.data() + 21570, 26, 100000); }},
        {"line start past the script", [](Bytes& b) { PutInt32(b.data() + 21570, 25, 100000); }},
        {"call depth 10", [](Bytes& b) { PutInt32(b.data() + 21570, 0, 10); }},
        {"negative return position", [](Bytes& b) { PutInt32(b.data() + 21570, 3, -1); }},
        {"negative backlog count", [](Bytes& b) { PutInt32(b.data() + 21570, 21, -1); }},
        {"backlog fill outside its line", [](Bytes& b) { PutInt32(b.data() + 21570, 22, 5000); }},
        {"column past the line", [](Bytes& b) { PutInt32(b.data() + 21570, 28, 2000); }},
        {"a line without its end", [](Bytes& b) { std::fill_n(b.begin() + 91826, 2048, 'x'); }},
        {"a script that is not there",
         [](Bytes& b) { std::memcpy(b.data() + 93874 + 270, "nothere", 8); }},
        {"a mode that does not exist", [](Bytes& b) { PutInt32(b.data() + 21570, 14, 12); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Game game;
        game.ToWait();
        EngineState& e = game.E();
        ASSERT_TRUE(SaveGame(e, 9, SaveKind::Quiet));
        Bytes spoilt = ReadBytes(SlotPath(e, 9));
        c.Spoil(spoilt);
        WriteBytes(SlotPath(e, 9), spoilt);
        game.NextPage();
        std::string vars = game.Vars();
        uint32_t before = game.g.Host().NowMs();

        EXPECT_FALSE(LoadGame(e, 9));
        EXPECT_GE(game.g.Host().NowMs() - before, 1000u);  // the banner was shown
        EXPECT_EQ(ReadBytes(SlotPath(e, 9)), spoilt);
        EXPECT_EQ(game.Vars(), vars);
        EXPECT_FALSE(e.Shell.EngineBusy);
        game.NextPage();
        EXPECT_NE(game.g.Transcript().find("Third page."), std::string::npos);
    }
}

TEST(SaveAndLoad, AMissingFileDoesNothing) {
    Game game;
    game.ToWait();
    uint32_t before = game.g.Host().NowMs();
    EXPECT_FALSE(LoadGame(game.E(), 12));
    EXPECT_EQ(game.g.Host().NowMs(), before);
}

// Blocks at the offsets the file's table gives, read from the bytes rather than the record.
TEST(SlotFileLayout, BlocksSitAtTheirOffsets) {
    Game game;
    game.ToWait();
    EngineState& e = game.E();
    e.Vars.F.Set(9, true);
    e.Vars.T.Set(17, true);
    e.Vars.S[199] = 0x01020304;
    e.Saves.ReadMarks.Set(80000, true);
    e.Scene.BackgroundName = "A0123456789012345678901234567890123";  // 35 bytes
    e.Script.CallDepth = 1;
    e.Script.CallStack[0] = {ScriptNameField("caller"), 42};
    e.Backlog.History.Pages[19].FullText = 1;
    ASSERT_TRUE(SaveGame(e, 1, SaveKind::Quiet));
    Bytes f = ReadBytes(SlotPath(e, 1));
    ASSERT_EQ(f.size(), 143378u);
    auto i32 = [&](size_t at) { return GetInt32(f.data() + at, 0); };
    auto text = [&](size_t at) { return std::string(reinterpret_cast<const char*>(&f[at])); };
    EXPECT_EQ(text(128 + 100 + 2), "First page.");                  // row 1, after the indent
    EXPECT_EQ(f[4128 + 1], 0x02);                                   // F009
    EXPECT_EQ(i32(5280 + 4 * 1), 7);                                // V001
    EXPECT_EQ(i32(5280 + 4 * 2), -3);                               // V002
    EXPECT_EQ(i32(9280 + 4 * 40), 12);                              // S040
    EXPECT_EQ(i32(9280 + 4 * 199), 0x01020304);                     // S199
    EXPECT_EQ(f[10080 + 10000], 0x01);                              // read mark 80000
    EXPECT_EQ(f[20320 + 2], 0x02);                                  // T0017
    EXPECT_EQ(i32(21570), 1);                                       // call depth
    EXPECT_EQ(i32(21570 + 4), 42);                                  // its return position
    EXPECT_EQ(i32(21570 + 4 * 13), 1);                              // the page wait
    EXPECT_EQ(text(91826), "\\");                                   // the line being run
    EXPECT_EQ(text(93874), "caller");                               // the call stack's name
    EXPECT_EQ(text(93874 + 270), "main");                           // current script
    EXPECT_EQ(text(93874 + 330), "A0123456789012345678901234567");  // bounded to 29 bytes
    EXPECT_EQ(f[93874 + 359], 0);
    EXPECT_EQ(text(93874 + 360), "B0101");   // left character
    EXPECT_EQ(text(93874 + 480), "LOOPA");   // looping sound
    EXPECT_EQ(text(94898 + 32 * 2), "Mio");  // string slot 2
    EXPECT_EQ(i32(143298 + 4 * 19), 1);      // page 19's full-text flag
}

TEST(SlotFileLayout, TheCaptionTellsTheTimeTheDayAndTheMagic) {
    setenv("TZ", "UTC", 1);
    tzset();
    Game game("!V000=12;V100=345\nText.\n\\\n");
    game.ToWait();
    game.g.Host().SetWallClockSeconds(1700000000);  // 2023-11-14 22:13:20 UTC
    ASSERT_TRUE(SaveGame(game.E(), 8, SaveKind::Quiet));
    SlotSummary s = ReadSlotSummary(game.E(), 8);
    EXPECT_TRUE(s.Complete);
    EXPECT_EQ(s.Caption, "2023/11/14 22:13:20 12\x93\xFA [\x96\x82\x97\xCD: 345]");
    EXPECT_EQ(s.Preview[0], "");
    EXPECT_EQ(s.Preview[1], "Text.");
}

TEST(SlotFileLayout, PreviewRowsSkipTheIndentAndStayInsideTheirRow) {
    Game game("Text.\n\\\n");
    game.ToWait();
    EngineState& e = game.E();
    e.Text.Page.Text = {};
    std::memcpy(e.Text.Page.Text[0].data(), "Name", 4);
    std::memcpy(e.Text.Page.Text[1].data() + 2, "indented", 8);
    e.Text.Page.Text[2].fill('z');  // a full row runs into the next without a zero
    ASSERT_TRUE(SaveGame(e, 10, SaveKind::Quiet));
    SlotSummary s = ReadSlotSummary(e, 10);
    EXPECT_EQ(s.Preview[0], "Name");
    EXPECT_EQ(s.Preview[1], "indented");
    EXPECT_EQ(s.Preview[2], std::string(100, 'z'));
    EXPECT_EQ(s.Preview[3], "");
    WriteBytes(SlotPath(e, 11), Bytes(100));
    SlotSummary short_file = ReadSlotSummary(e, 11);
    EXPECT_TRUE(short_file.Exists);
    EXPECT_FALSE(short_file.Complete);
    EXPECT_FALSE(ReadSlotSummary(e, 12).Exists);
}

TEST(SlotFileLayout, LongTextsAreCutAtACharacterBoundary) {
    struct Case {
        std::string In;
        size_t Field;
        std::string Out;
    } cases[] = {{"abc", 4, "abc"},
                 {"abcd", 4, "abc"},
                 {"ab\x82\xA0", 4, "ab"},  // the two-byte character does not fit
                 {"a\x82\xA0", 4, "a\x82\xA0"},
                 {"", 1, ""}};
    for (const Case& c : cases) {
        char field[8];
        std::memset(field, 'x', sizeof field);
        PutFieldText(field, c.Field, c.In);
        EXPECT_EQ(std::string(field), c.Out);
        EXPECT_EQ(field[c.Field - 1], 0);
    }
}

// The system data: save0.dat and memory merged both ways; the wrong size kept aside.
TEST(SystemData, FileAndMemoryAreMergedByOr) {
    Game game("Text.\n\\\n");
    EngineState& e = game.E();
    fs::path save0 = SaveFolder(e) / "save0.dat";
    Bytes file = ReadBytes(save0);
    ASSERT_EQ(file.size(), 10880u);
    file[0] = 0x20;        // E005
    file[128 + 1] = 0x01;  // seen picture 8
    file[384 + 2] = 0x01;  // seen scene 16
    file[640 + 3] = 0x80;  // read mark 31
    WriteBytes(save0, file);
    e.Vars.E.Set(7, true);
    e.Saves.ReadMarks.Set(1, true);
    e.Vars.G[3] = 77;
    SyncSystemData(e);
    EXPECT_TRUE(e.Vars.E.Test(5) && e.Vars.E.Test(7));
    EXPECT_TRUE(e.Viewer.CgSeenBits.Test(8));
    EXPECT_TRUE(e.Recollection.SceneSeenBits.Test(16));
    EXPECT_TRUE(e.Saves.ReadMarks.Test(31) && e.Saves.ReadMarks.Test(1));
    Bytes merged = ReadBytes(save0);
    EXPECT_EQ(merged[0], 0xA0);
    EXPECT_EQ(merged[640], 0x02);
    EXPECT_EQ(game.g.Host().Store().Read("GV03"), "77");
    EXPECT_EQ(fs::file_size(SaveFolder(e) / "kaiso.dat"), 2640u);
}

TEST(SystemData, AFileOfTheWrongSizeIsKeptAsideAndANewOneStarted) {
    Game game("Text.\n\\\n");
    EngineState& e = game.E();
    fs::path save0 = SaveFolder(e) / "save0.dat";
    Bytes odd(5000, 0xFF);
    WriteBytes(save0, odd);
    e.Saves.ReadMarks.Set(3, true);
    SyncSystemData(e);
    EXPECT_EQ(ReadBytes(save0.string() + ".bad"), odd);
    Bytes fresh = ReadBytes(save0);
    ASSERT_EQ(fresh.size(), 10880u);
    EXPECT_EQ(fresh[640], 0x08);  // memory's mark 3, and nothing of the odd file
    EXPECT_EQ(fresh[0], 0);
    EXPECT_FALSE(e.Vars.E.Test(0));
}

TEST(SystemData, GameClearCountsInTheOtherProductsStore) {
    Game game("*gameclr\n*gameclr\nText.\n\\\n");
    game.g.Host().SiblingStore().Write("Clear", "4");
    game.ToWait();
    EngineState& e = game.E();
    EXPECT_EQ(game.g.Host().SiblingStore().Read("Clear"), "6");
    EXPECT_FALSE(game.g.Host().Store().Read("Clear").has_value());
    EXPECT_EQ(e.Vars.S[100], 6);
    EXPECT_TRUE(e.Vars.E.Test(999));
    EXPECT_EQ(ReadBytes(SaveFolder(e) / "save0.dat")[124], 0x80);
}

TEST(SaveFolder, AGameFolderThatCannotHoldSavesSendsThemToTheUserDataFolder) {
    test::TempFolder data;
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved_env = old ? old : "";
    setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    Game game("Text.\n\\\n");
    EngineState& e = game.E();
    WriteBytes(e.GameFolder / "save", Bytes(1));  // a file where the folder should be
    SettleSaveFolder(e);
    if (old) {
        setenv("XDG_DATA_HOME", saved_env.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
    fs::path expected = data.Path() / "vespin" / e.GameFolder.filename();
    EXPECT_EQ(SaveFolder(e), expected);
    game.ToWait();
    ASSERT_TRUE(SaveGame(e, 1, SaveKind::Quiet));
    EXPECT_TRUE(fs::exists(expected / "save" / "save01.dat"));
    EXPECT_TRUE(ReadSlotSummary(e, 1).Complete);
}

// The headless host's event scripts save and load at the next idle pass.
TEST(SlotRequests, EventScriptsSaveAndLoad) {
    GameOptions o = SaveOptions();
    o.Events = "2000 save 14\n4000 click 10 10\n7000 load 14\n";
    Game game(kStory, o);
    EngineState& e = game.E();
    game.g.RunFor(6500);
    ASSERT_TRUE(fs::exists(SlotPath(e, 14)));
    ASSERT_EQ(e.Vars.V[1], 99);
    game.g.RunFor(4000);
    EXPECT_EQ(e.Vars.V[1], 7);
    EXPECT_EQ(e.Scene.BackgroundName.View(), "A01");
}

}  // namespace
}  // namespace vespin
