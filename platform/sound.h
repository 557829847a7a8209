#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QSoundEffect;

// Plays a WAV file by path without waiting; a new sound stops the one playing.
// A missing file or no audio device is silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &path) = 0;
};

class WavSoundPlayer : public SoundPlayer {
public:
    WavSoundPlayer();
    ~WavSoundPlayer() override;

    void play(const QString &path) override;

private:
    // One effect per file, loaded on first use and kept, so a later play starts at once.
    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
};
