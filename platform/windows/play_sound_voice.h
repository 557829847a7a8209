#pragma once

#include "platform/sound.h"

#include <functional>
#include <string>

// A voice played by Windows' PlaySound: asynchronous, by file name, and never
// the default alert sound in place of a file that is missing or unplayable.
// PlaySound plays one sound per process, so starting one stops the one playing.
class PlaySoundVoice : public SoundVoice {
public:
    // PlaySound's own arguments: the file name (empty to stop) and its flags.
    using PlayCall = std::function<bool(const std::wstring &file, unsigned flags)>;

    explicit PlaySoundVoice(const QString &path);
    // Calls `play` instead of PlaySound: a seam for tests.
    PlaySoundVoice(const QString &path, PlayCall play);

    void play() override;
    void stop() override;

private:
    std::wstring m_file; // with the system's backslashes
    PlayCall m_play;
};
