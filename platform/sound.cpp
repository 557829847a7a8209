#include "platform/sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

WavSoundPlayer::WavSoundPlayer() = default;
WavSoundPlayer::~WavSoundPlayer() = default;

void WavSoundPlayer::play(const QString &path)
{
    for (auto &[_, effect] : effects_)
        effect->stop();
    // A missing file is not an error: nothing plays.
    if (!QFileInfo::exists(path))
        return;
    auto &effect = effects_[path];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
    // Plays as soon as the file is loaded; without an audio device the effect
    // reports an error status and stays silent.
    effect->play();
}
