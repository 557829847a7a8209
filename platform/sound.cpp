#include "platform/sound.h"

#include <QFileInfo>

WavSoundPlayer::WavSoundPlayer() : WavSoundPlayer(makeSystemSoundVoice) {}

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
