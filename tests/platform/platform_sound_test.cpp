// The sound player: one sound at a time, a missing file silent. No audio device needed:
// the player's logic is checked through recording voices, the desktop voice by what
// it loaded.
#include "platform/posix/sound_effect_voice.h"

#include <QDataStream>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <cmath>
#include <map>

namespace {

// A short 16-bit mono tone as a WAV file.
void writeWav(const QString &path, int milliseconds)
{
    constexpr int kRate = 8000;
    const int samples = kRate * milliseconds / 1000;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = quint32(samples * 2);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (int i = 0; i < samples; ++i)
        out << qint16(8000 * std::sin(2 * M_PI * 440 * i / kRate));
}

// What each file's voice was asked.
struct VoiceLog {
    int made = 0;
    int plays = 0;
    bool playing = false;
};

class RecordingVoice : public SoundVoice {
public:
    explicit RecordingVoice(VoiceLog &log) : m_log(log) { ++m_log.made; }
    void play() override
    {
        ++m_log.plays;
        m_log.playing = true;
    }
    void stop() override { m_log.playing = false; }

private:
    VoiceLog &m_log;
};

} // namespace

class SoundTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void newSoundStopsThePlayingOne();
    void missingFileIsSilent();
    void desktopVoiceLoadsTheFile();

private:
    QString path(const char *file) const { return m_dir.filePath(QString::fromUtf8(file)); }
    WavSoundPlayer recordingPlayer()
    {
        return WavSoundPlayer([this](const QString &file) {
            return std::make_unique<RecordingVoice>(m_logs[QFileInfo(file).fileName()]);
        });
    }

    VoiceLog &log(const char *file) { return m_logs[QString::fromUtf8(file)]; }

    QTemporaryDir m_dir;
    std::map<QString, VoiceLog> m_logs;
};

void SoundTest::init()
{
    m_logs.clear();
    writeWav(path("drum.wav"), 300);
    writeWav(path("gong.wav"), 300);
}

void SoundTest::newSoundStopsThePlayingOne()
{
    WavSoundPlayer player = recordingPlayer();
    player.play(path("drum.wav"));
    QCOMPARE(log("drum.wav").playing, true);
    player.play(path("gong.wav"));
    QCOMPARE(log("drum.wav").playing, false);
    QCOMPARE(log("gong.wav").playing, true);
    player.play(path("drum.wav"));
    QCOMPARE(log("gong.wav").playing, false);
    QCOMPARE(log("drum.wav").playing, true);
    // Each file is loaded once and kept.
    QCOMPARE(log("drum.wav").made, 1);
    QCOMPARE(log("drum.wav").plays, 2);
}

void SoundTest::missingFileIsSilent()
{
    WavSoundPlayer player = recordingPlayer();
    player.play(path("drum.wav"));
    player.play(path("none.wav")); // throws nothing, so no handler shows an error
    QCOMPARE(log("drum.wav").playing, false);
    QCOMPARE(m_logs.count(QStringLiteral("none.wav")), std::size_t(0));
}

void SoundTest::desktopVoiceLoadsTheFile()
{
    SoundEffectVoice voice(path("drum.wav"));
    QCOMPARE(voice.effect().source(), QUrl::fromLocalFile(path("drum.wav")));
    QTRY_COMPARE(voice.effect().status(), QSoundEffect::Ready);
}

QTEST_MAIN(SoundTest)
#include "platform_sound_test.moc"
