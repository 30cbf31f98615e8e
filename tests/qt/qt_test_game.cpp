#include "qt_test_game.h"

#include <fstream>
#include <stdexcept>

#include "tools/archive_writer.h"
#include "tools/script_codec.h"

namespace vespin::test {

namespace {

void WriteArchive(const std::filesystem::path& file, DirectoryLayout layout,
                  const Entries& entries) {
    std::vector<ArchiveInput> inputs;
    for (const auto& [name, bytes] : entries)
        inputs.push_back(ArchiveInput{name, bytes});
    std::vector<uint8_t> out;
    std::string error;
    if (!BuildArchive(inputs, layout, 0, out, error)) throw std::runtime_error(error);
    WriteBytes(file, out);
}

}  // namespace

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

QtTestGame::QtTestGame(QtGameOptions options) {
    if (!m_dir.isValid()) throw std::runtime_error("no temporary folder");
    Entries scripts;
    for (const auto& [name, text] : options.Scripts) {
        std::vector<uint8_t> bytes;
        std::string error;
        if (!EncodeScript(text, bytes, error)) throw std::runtime_error(name + ": " + error);
        scripts.emplace_back(name, std::move(bytes));
    }
    WriteArchive(Folder() / "vg_data.vsp", DirectoryLayout::Script, scripts);
    for (const auto& [file, entries] : options.Archives)
        WriteArchive(Folder() / file, DirectoryLayout::Sized, entries);
    m_host = std::make_unique<QtHost>(m_dir.filePath("settings.ini"));
    if (options.OpenSound) m_host->SetSoundOpener(std::move(options.OpenSound));
    for (const auto& [name, value] : options.Settings)
        m_host->Settings().Write(name, value);
}

void QtTestGame::Start() {
    m_engine = std::make_unique<Engine>(*m_host, Folder());
}

}  // namespace vespin::test
