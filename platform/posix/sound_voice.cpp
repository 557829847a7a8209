#include "platform/posix/sound_effect_voice.h"

#include <QSoundEffect>
#include <QUrl>

SoundEffectVoice::SoundEffectVoice(const QString &path) : m_effect(std::make_unique<QSoundEffect>())
{
    m_effect->setSource(QUrl::fromLocalFile(path));
}

SoundEffectVoice::~SoundEffectVoice() = default;

void SoundEffectVoice::play()
{
    m_effect->play();
}

void SoundEffectVoice::stop()
{
    m_effect->stop();
}

std::unique_ptr<SoundVoice> makeSystemSoundVoice(const QString &path)
{
    return std::make_unique<SoundEffectVoice>(path);
}
