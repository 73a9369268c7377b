// Reads the screen's text aloud with Qt TextToSpeech, in a Japanese voice. Where
// the program was built without it, no engine is installed or no engine speaks
// Japanese, it stays silent: a foreign voice spelling out kana helps nobody.
#pragma once
#include <QObject>
#include <QString>

class QTextToSpeech;

namespace shirakaba {

class TextSpeaker : public QObject {
  Q_OBJECT
 public:
  explicit TextSpeaker(QObject* parent = nullptr);
  bool canSpeak() const { return speech_ != nullptr; }
  // Stops what is being read and reads text instead.
  void say(const QString& text);

 private:
  QTextToSpeech* speech_ = nullptr;
};

}  // namespace shirakaba
