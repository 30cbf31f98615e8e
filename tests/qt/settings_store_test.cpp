#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/shell/settings.h"
#include "qt/ini_settings_store.h"

namespace vespin {
namespace {

class IniSettingsStoreTest : public testing::Test {
  protected:
    QString Path() const { return m_dir.filePath("PALUDERNA.ini"); }
    QStringList KeysOnDisk() const {
        QSettings file(Path(), QSettings::IniFormat);
        return file.allKeys();
    }

    QTemporaryDir m_dir;
};

TEST_F(IniSettingsStoreTest, MissingValuesReadAsMissing) {
    IniSettingsStore store(Path());
    EXPECT_FALSE(store.Read("FONTBOLD").has_value());
    EXPECT_FALSE(store.Read("").has_value());
    // The engine's defaults then apply.
    EXPECT_EQ(ReadIntSetting(store, "FONTSIZE", 18), 18);
}

TEST_F(IniSettingsStoreTest, NamesDifferingOnlyInCaseAreOneValue) {
    {
        IniSettingsStore store(Path());
        store.Write("FONTBold", "1");
        EXPECT_EQ(store.Read("FONTBOLD"), "1");
        EXPECT_EQ(store.Read("fontbold"), "1");
        // Writing under yet another case replaces the value and keeps the stored spelling.
        store.Write("FontBold", "0");
        EXPECT_EQ(store.Read("FONTBOLD"), "0");
    }
    EXPECT_EQ(KeysOnDisk(), QStringList{"FONTBold"});
    // The next start reads it back under the name it uses.
    IniSettingsStore next_start(Path());
    EXPECT_EQ(ReadIntSetting(next_start, "FONTBOLD", 7), 0);
}

TEST_F(IniSettingsStoreTest, AHandEditedFileWithTwoCasesIsCleanedOnTheNextWrite) {
    {
        QSettings file(Path(), QSettings::IniFormat);
        file.setValue("Vol1", "-100");
        file.setValue("VOL1", "-200");
    }
    IniSettingsStore store(Path());
    std::optional<std::string> first = store.Read("vol1");
    ASSERT_TRUE(first.has_value());
    store.Write("Vol1", "-300");
    EXPECT_EQ(store.Read("VOL1"), "-300");
    EXPECT_EQ(KeysOnDisk().size(), 1);
}

TEST_F(IniSettingsStoreTest, ValuesAreWrittenAtOnceAndKeepTheirText) {
    IniSettingsStore store(Path());
    const std::pair<const char*, const char*> values[] = {
        {"PlayerName", "和人"},                 // Japanese text
        {"FontName", "ＭＳ 明朝"},              // full-width letters and a space
        {"GameDir", "C:\\Games\\Paluderna\\"},  // backslashes
        {"CDDir", "NULL"},
        {"PlayerName2", ""},  // empty is a value, not a missing one
        {"Title", "a, b; c = d"},
    };
    for (auto [name, text] : values)
        store.Write(name, text);
    // The file holds them while the store is still open: a crash now loses nothing.
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray on_disk = file.readAll();
    EXPECT_TRUE(on_disk.contains("PlayerName2=")) << on_disk.constData();
    EXPECT_TRUE(on_disk.contains("Title=")) << on_disk.constData();
    IniSettingsStore other(Path());
    for (auto [name, text] : values)
        EXPECT_EQ(other.Read(name), text) << name;
}

TEST_F(IniSettingsStoreTest, IntegersGoThroughTheEngineAsDecimalText) {
    IniSettingsStore store(Path());
    WriteIntSetting(store, "TXBG_A", 170);
    WriteIntSetting(store, "Vol3", -1200);
    EXPECT_EQ(store.Read("TXBG_A"), "170");
    EXPECT_EQ(ReadIntSetting(store, "txbg_a", 90), 170);
    EXPECT_EQ(ReadIntSetting(store, "VOL3", 0), -1200);
}

TEST_F(IniSettingsStoreTest, AnUnquotedListInTheFileReadsAsItsText) {
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\nFontName=IPA, Mincho\nClear=abc\n");
    }
    IniSettingsStore store(Path());
    EXPECT_EQ(store.Read("FONTNAME"), "IPA, Mincho");
    // Text that is no number gives the default, as the engine reads integers.
    EXPECT_EQ(ReadIntSetting(store, "Clear", 4), 4);
}

TEST(IniSettingsStoreLocation, TheUsersStoreIsKestrowenPaluderna) {
    IniSettingsStore store;
    QString expected = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       "/Kestrowen/PALUDERNA.ini";
    EXPECT_EQ(store.FileName(), expected);
}

}  // namespace
}  // namespace vespin
