#pragma once

#include "draw/gbk_codec.h"
#include "draw/text_file.h"
#include "draw/utf8_path.h"
#include "platform/editor_launch.h"
#include "platform/error_reporting_application.h"
#include "platform/key_repeat_filter.h"
#include "platform/scripted_dialogs.h"
#include "platform/sound.h"
#include "window/unit1.h"

#include <QDir>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <memory>

// Records what would have been played or opened.
class RecordingSound : public SoundPlayer {
public:
    void play(const QString &path) override { played << QFileInfo(path).fileName(); }
    QStringList played;
};

class RecordingEditor : public EditorLauncher {
public:
    bool open(const QString &path) override
    {
        opened << path;
        return true;
    }
    QStringList opened;
};

// GBK bytes of UTF-8 test text.
inline std::string gbk(const char *utf8)
{
    return draw::utf8ToGbk(utf8).bytes;
}

// A scratch working folder with a draw folder, and a window built on it.
class WindowFixture {
public:
    WindowFixture()
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QDir().mkdir(QStringLiteral("抽奖名单"));
    }
    ~WindowFixture()
    {
        form.reset();
        QDir::setCurrent(m_previous);
    }

    // Writes a draw-folder file from UTF-8 lines, stored as GBK.
    void write(const char *file, std::initializer_list<const char *> lines)
    {
        draw::TextList list;
        for (const char *l : lines)
            list.push_back(gbk(l));
        draw::saveTextList(draw::utf8Path(std::string("抽奖名单/") + file), list);
    }

    void writeRoster(int count)
    {
        draw::TextList list;
        for (int i = 1; i <= count; ++i)
            list.push_back(gbk("员工") + std::to_string(i));
        draw::saveTextList(draw::utf8Path("抽奖名单/抽奖名单.txt"), list);
    }

    void writeBitmap(const char *file, QColor fill, QSize size = QSize(40, 30))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(fill);
        image.save(QString::fromUtf8("抽奖名单/") + QString::fromUtf8(file), "BMP");
    }

    // A complete, valid draw folder with `tiers` tiers and `names` roster entries.
    void writeDrawFolder(int names = 12, const char *tiers = "3")
    {
        writeRoster(names);
        write("基础配置.ini", {"[配置]", "bg.bmp", "标题", "新年快乐", "奖项数", tiers});
        write("奖项设置.ini", {"一号奖", "二号奖", "三号奖", "四号奖", "五号奖", "六号奖"});
        writeBitmap("bg.bmp", Qt::white);
    }

    TForm1 &create(bool resume = true)
    {
        dialogs.answerYes = resume;
        FormServices services{&dialogs, player, &editor, [this] { return screenWidth; },
                              [this] {
                                  if (seeds.empty())
                                      return std::uint32_t(0);
                                  std::uint32_t s = seeds.front();
                                  seeds.pop_front();
                                  seeds.push_back(s + 7919u);
                                  return s;
                              }};
        form = std::make_unique<TForm1>(services);
        return *form;
    }

    enum class Shown { Plain, Active };

    // Opens the window as the program does: creates it, shows it (and makes it the
    // active window, which keys need) and lets the resume question be answered, Yes
    // when `resume`. True when it showed and the question was asked once.
    bool open(bool resume = true, Shown shown = Shown::Plain)
    {
        TForm1 &window = create(resume);
        window.show();
        if (shown == Shown::Active) {
            window.activateWindow();
            if (!QTest::qWaitForWindowActive(&window))
                return false;
        }
        return QTest::qWaitFor([this] { return !dialogs.questions.isEmpty(); }) &&
            dialogs.questions.size() == 1;
    }

    QString dirPath() const { return m_dir.path(); }

    KeyRepeatFilter keyRepeat; // as the program entry installs it
    ScriptedDialogs dialogs;
    RecordingSound sound;
    SoundPlayer *player = &sound; // what the window plays through
    RecordingEditor editor;
    int screenWidth = 1920;
    std::deque<std::uint32_t> seeds{1u, 2u, 3u, 4u, 5u};
    std::unique_ptr<TForm1> form;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A window test's main: the program's own application object, so an exception
// that escapes an event's handling goes to the error box as in the program.
#define WINDOW_TEST_MAIN(TestObject) \
    int main(int argc, char *argv[]) \
    { \
        ErrorReportingApplication app(argc, argv); \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return QTest::qExec(&tc, argc, argv); \
    }
