#pragma once
// The settings store on QSettings: an INI file in the user's configuration folder,
// Kestrowen/PALUDERNA.ini. Value names compare without regard to ASCII case, so each name has
// one entry whatever case it is written in (the settings dialog writes FONTBold, start-up reads
// FONTBOLD).

#include <QSettings>
#include <QString>

#include "core/host/host.h"

namespace vespin {

class IniSettingsStore : public SettingsStore {
  public:
    // The store of the current user.
    IniSettingsStore();
    // A store in the given INI file (tests).
    explicit IniSettingsStore(const QString& file_path);
    // The store of another product in the user's configuration folder:
    // organization/application.ini.
    IniSettingsStore(const QString& organization, const QString& application);

    std::optional<std::string> Read(std::string_view name) override;
    // Writes through to the file at once: a value the player set survives a crash. An entry
    // that exists under another case keeps its spelling, as registry value names do.
    void Write(std::string_view name, std::string_view value) override;

    QString FileName() const { return m_settings.fileName(); }

  private:
    // The stored keys equal to `name` ignoring ASCII case, in the file's order.
    QStringList MatchingKeys(const QString& name) const;

    QSettings m_settings;
};

}  // namespace vespin
