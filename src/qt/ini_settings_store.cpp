#include "qt/ini_settings_store.h"

#include <QStringList>

namespace vespin {

namespace {

QString FoldAscii(const QString& name) {
    QString folded = name;
    for (QChar& c : folded) {
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    }
    return folded;
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

IniSettingsStore::IniSettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, "Kestrowen", "PALUDERNA") {}

IniSettingsStore::IniSettingsStore(const QString& file_path)
    : m_settings(file_path, QSettings::IniFormat) {}

IniSettingsStore::IniSettingsStore(const QString& organization, const QString& application)
    : m_settings(QSettings::IniFormat, QSettings::UserScope, organization, application) {}

QStringList IniSettingsStore::MatchingKeys(const QString& name) const {
    QString folded = FoldAscii(name);
    QStringList found;
    for (const QString& key : m_settings.allKeys()) {
        if (FoldAscii(key) == folded) found.push_back(key);
    }
    return found;
}

std::optional<std::string> IniSettingsStore::Read(std::string_view name) {
    if (name.empty()) return std::nullopt;
    QStringList keys = MatchingKeys(FromView(name));
    if (keys.isEmpty()) return std::nullopt;
    QVariant value = m_settings.value(keys.front());
    // An unquoted value with commas, typed into the file by hand, comes back as a list.
    QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(", ")
                                                            : value.toString();
    QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

void IniSettingsStore::Write(std::string_view name, std::string_view value) {
    if (name.empty()) return;
    QString key = FromView(name);
    QStringList keys = MatchingKeys(key);
    if (!keys.isEmpty()) key = keys.takeFirst();
    for (const QString& duplicate : keys)
        m_settings.remove(duplicate);
    m_settings.setValue(key, FromView(value));
    m_settings.sync();
}

}  // namespace vespin
