#pragma once
// The game's reading aloud (self-voicing): Qt TextToSpeech on speech-dispatcher, in a Japanese
// voice when the synthesiser has one. The engine is made at the first line read: a player who
// never asks for reading never starts the speech service.

#include <QString>
#include <memory>

class QTextToSpeech;

namespace vespin {

class Speech {
  public:
    Speech();
    ~Speech();

    // Whether Qt has its speech-dispatcher plugin.
    bool Available();
    // Reads `text` at once, cutting off what is being read; empty text only stops.
    void Say(const QString& text);

  private:
    void Open();

    std::unique_ptr<QTextToSpeech> m_engine;
    bool m_opened = false;
};

}  // namespace vespin
