#include "test_game.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "core/resources/packed_picture.h"
#include "core/shell/main_loop.h"
#include "tools/archive_writer.h"
#include "tools/script_codec.h"

namespace vespin::test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vespin-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void WriteRawArchive(const std::filesystem::path& file, bool script_layout,
                     const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
    std::vector<ArchiveInput> inputs;
    for (const auto& [name, bytes] : entries)
        inputs.push_back(ArchiveInput{name, bytes});
    std::vector<uint8_t> out;
    std::string error;
    DirectoryLayout layout = script_layout ? DirectoryLayout::Script : DirectoryLayout::Sized;
    if (!BuildArchive(inputs, layout, 0, out, error)) throw std::runtime_error(error);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

void WriteScriptArchive(const std::filesystem::path& file,
                        const std::map<std::string, std::string>& scripts_utf8) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
    for (const auto& [name, text] : scripts_utf8) {
        std::vector<uint8_t> bytes;
        std::string error;
        if (!EncodeScript(text, bytes, error)) throw std::runtime_error(name + ": " + error);
        entries.emplace_back(name, std::move(bytes));
    }
    WriteRawArchive(file, true, entries);
}

TestGame::TestGame(ScriptList scripts, GameOptions options) {
    if (options.WithDataArchive) WriteScriptArchive(Folder() / "vg_data.vsp", scripts);
    if (!options.Pictures.empty()) {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
        for (const auto& [name, picture] : options.Pictures) {
            std::vector<uint8_t> bytes;
            if (!EncodePackedPicture(picture, PackOptions{}, bytes))
                throw std::runtime_error("cannot pack " + name);
            entries.emplace_back(name, std::move(bytes));
        }
        WriteRawArchive(Folder() / "vg_gra.vsp", false, entries);
    }
    for (const auto& [file, entries] : options.Archives)
        WriteRawArchive(Folder() / file, false, entries);
    if (options.ConfigureHost) options.ConfigureHost(m_host);
    for (const auto& [name, value] : options.Settings)
        m_host.Store().Write(name, value);
    if (!options.Events.empty()) {
        EventScriptResult events = ParseEventScript(options.Events);
        if (!events.Error.empty()) throw std::runtime_error(events.Error);
        m_host.SetEvents(std::move(events.Events));
    }
    m_engine = std::make_unique<Engine>(m_host, Folder());
}

void TestGame::RunFor(uint32_t ms) {
    uint32_t end = m_host.NowMs() + ms;
    while (static_cast<int32_t>(m_host.NowMs() - end) < 0 && !State().Shell.WindowClosed)
        m_engine->Step();
}

void TestGame::Steps(int n) {
    for (int i = 0; i < n && !State().Shell.WindowClosed; ++i)
        m_engine->Step();
}

void TestGame::Click(MouseButton button) {
    InputEvent down;
    down.kind = InputKind::MouseDown;
    down.button = button;
    HandleInput(State(), down);
}

void TestGame::MouseMove(int x, int y) {
    InputEvent ev;
    ev.kind = InputKind::MouseMove;
    ev.x = x, ev.y = y;
    HandleInput(State(), ev);
}

void TestGame::MouseDown(int x, int y, MouseButton button) {
    InputEvent ev;
    ev.kind = InputKind::MouseDown;
    ev.button = button;
    ev.x = x, ev.y = y;
    HandleInput(State(), ev);
}

void TestGame::CharKey(int key) {
    InputEvent ev;
    ev.kind = InputKind::Char;
    ev.key = key;
    HandleInput(State(), ev);
}

void TestGame::Command(UiCommand command, int value) {
    InputEvent ev;
    ev.kind = InputKind::Command;
    ev.command = command;
    ev.value = value;
    HandleInput(State(), ev);
}

void TestGame::Key(int vk_code, bool down) {
    InputEvent key;
    key.kind = down ? InputKind::KeyDown : InputKind::KeyUp;
    key.key = vk_code;
    HandleInput(State(), key);
}

}  // namespace vespin::test
