#include "qt/speech.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

namespace vespin {

namespace {

constexpr char kEngineName[] = "speechd";

// A Japanese locale of the synthesiser's, else none: another language's voice would spell the
// kana out or skip them.
bool ChooseJapanese(QTextToSpeech& engine) {
    for (const QLocale& locale : engine.availableLocales()) {
        if (locale.language() != QLocale::Japanese) continue;
        engine.setLocale(locale);
        return true;
    }
    return false;
}

}  // namespace

Speech::Speech() = default;
Speech::~Speech() = default;

void Speech::Open() {
    if (m_opened) return;
    m_opened = true;
    if (!QTextToSpeech::availableEngines().contains(kEngineName)) return;
    auto engine = std::make_unique<QTextToSpeech>(kEngineName);
    if (engine->state() == QTextToSpeech::Error) return;
    ChooseJapanese(*engine);
    m_engine = std::move(engine);
}

bool Speech::Available() {
    // The plugin is enough to offer reading; the service itself starts with the first line read.
    return QTextToSpeech::availableEngines().contains(kEngineName);
}

void Speech::Say(const QString& text) {
    Open();
    if (!m_engine) return;
    m_engine->stop();
    if (!text.isEmpty()) m_engine->say(text);
}

}  // namespace vespin
