// Windows' own sound voice: PlaySound called as the draw needs it.
#include "platform/windows/play_sound_voice.h"

#include <QtTest>

#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

namespace {

struct Call {
    std::wstring file;
    unsigned flags;
    bool operator==(const Call &) const = default;
};

} // namespace

class PlatformWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void voicePlaysAsynchronouslyByFileName();
};

void PlatformWindowsTest::voicePlaysAsynchronouslyByFileName()
{
    std::vector<Call> calls;
    PlaySoundVoice voice(QStringLiteral("C:/抽奖/drum.wav"),
                         [&](const std::wstring &file, unsigned flags) {
                             calls.push_back({file, flags});
                             return true;
                         });
    voice.play();
    voice.stop();
    // Returning at once (ASYNC), and never the default alert sound (NODEFAULT)
    // for a file that cannot be played; stopping is PlaySound with no file.
    const std::vector<Call> expected{
        {L"C:\\\u62bd\u5956\\drum.wav", SND_FILENAME | SND_ASYNC | SND_NODEFAULT}, {L"", 0}};
    QVERIFY(calls == expected);
}

QTEST_MAIN(PlatformWindowsTest)
#include "platform_windows_test.moc"
