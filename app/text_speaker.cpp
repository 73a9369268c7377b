#include "app/text_speaker.h"

#ifdef SHIRAKABA_HAVE_TTS
#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>
#endif

namespace shirakaba {

TextSpeaker::TextSpeaker(QObject* parent) : QObject(parent) {
#ifdef SHIRAKABA_HAVE_TTS
  // Asking for the default engine when none is installed only prints warnings.
  if (QTextToSpeech::availableEngines().isEmpty()) return;
  auto* speech = new QTextToSpeech(this);
  if (speech->state() == QTextToSpeech::Error) {
    delete speech;
    return;
  }
  for (const QLocale& locale : speech->availableLocales()) {
    if (locale.language() != QLocale::Japanese) continue;
    speech->setLocale(locale);
    const QList<QVoice> voices = speech->availableVoices();
    if (!voices.isEmpty()) speech->setVoice(voices.first());
    speech_ = speech;
    return;
  }
  delete speech;
#endif
}

void TextSpeaker::say(const QString& text) {
#ifdef SHIRAKABA_HAVE_TTS
  if (!speech_ || text.isEmpty()) return;
  speech_->stop();
  speech_->say(text);
#else
  (void)text;
#endif
}

}  // namespace shirakaba
