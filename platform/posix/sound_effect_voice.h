#pragma once

#include "platform/sound.h"

#include <memory>

class QSoundEffect;

// A voice on the desktop's audio output through Qt Multimedia. Loads the file in
// the background and plays as soon as it is loaded.
class SoundEffectVoice : public SoundVoice {
public:
    explicit SoundEffectVoice(const QString &path);
    ~SoundEffectVoice() override;

    void play() override;
    void stop() override;

    const QSoundEffect &effect() const { return *m_effect; }

private:
    std::unique_ptr<QSoundEffect> m_effect;
};
