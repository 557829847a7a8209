#pragma once

#include <QString>

#include <functional>
#include <map>
#include <memory>

// Plays a WAV file by path without waiting; a new sound stops the one playing.
// A missing file or no audio device is silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &path) = 0;
};

// One loaded sound file that can be started and stopped.
class SoundVoice {
public:
    virtual ~SoundVoice() = default;
    virtual void play() = 0;
    virtual void stop() = 0;
};

// A voice on this system's audio output for the WAV file at `path` (Qt Multimedia
// on Linux, PlaySound on Windows); without an audio device it stays silent.
std::unique_ptr<SoundVoice> makeSystemSoundVoice(const QString &path);

class WavSoundPlayer : public SoundPlayer {
public:
    using VoiceMaker = std::function<std::unique_ptr<SoundVoice>(const QString &path)>;

    // Plays on the desktop's audio output.
    WavSoundPlayer();
    // Plays through the voices `makeVoice` makes: a seam for tests.
    explicit WavSoundPlayer(VoiceMaker makeVoice);
    ~WavSoundPlayer() override;

    void play(const QString &path) override;

private:
    VoiceMaker m_makeVoice;
    // One voice per file, made on first use and kept, so a later play starts at once.
    std::map<QString, std::unique_ptr<SoundVoice>> m_voices;
};
