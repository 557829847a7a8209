#include "platform/windows/play_sound_voice.h"

#include <QDir>

#include <windows.h>

#include <mmsystem.h>

PlaySoundVoice::PlaySoundVoice(const QString &path)
    : PlaySoundVoice(path, [](const std::wstring &file, unsigned flags) {
          return ::PlaySoundW(file.empty() ? nullptr : file.c_str(), nullptr, flags) != FALSE;
      })
{
}

PlaySoundVoice::PlaySoundVoice(const QString &path, PlayCall play)
    : m_file(QDir::toNativeSeparators(path).toStdWString()), m_play(std::move(play))
{
}

void PlaySoundVoice::play()
{
    m_play(m_file, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void PlaySoundVoice::stop()
{
    // Stops whatever this process plays: there is only ever one sound.
    m_play(std::wstring(), 0);
}

std::unique_ptr<SoundVoice> makeSystemSoundVoice(const QString &path)
{
    return std::make_unique<PlaySoundVoice>(path);
}
