#include "platform/sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

WavSoundPlayer::WavSoundPlayer() = default;
WavSoundPlayer::~WavSoundPlayer() = default;

void WavSoundPlayer::play(const QString &path)
{
    for (auto &[_, effect] : m_effects)
        effect->stop();
    // A missing file is not an error: nothing plays.
    if (!QFileInfo::exists(path))
        return;
    auto &effect = m_effects[path];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
    // Plays as soon as the file is loaded; without an audio device the effect
    // reports an error status and stays silent.
    effect->play();
}
