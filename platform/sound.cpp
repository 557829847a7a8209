#include "platform/sound.h"

#include <QFileInfo>
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

WavSoundPlayer::WavSoundPlayer()
    : WavSoundPlayer([](const QString &path) { return std::make_unique<SoundEffectVoice>(path); })
{
}

WavSoundPlayer::WavSoundPlayer(VoiceMaker makeVoice) : m_makeVoice(std::move(makeVoice)) {}

WavSoundPlayer::~WavSoundPlayer() = default;

void WavSoundPlayer::play(const QString &path)
{
    for (auto &[_, voice] : m_voices)
        voice->stop();
    // A missing file is not an error: nothing plays.
    if (!QFileInfo::exists(path))
        return;
    auto &voice = m_voices[path];
    if (!voice)
        voice = m_makeVoice(path);
    voice->play();
}
