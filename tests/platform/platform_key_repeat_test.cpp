// One physical key press reads as one press, whatever the display server sends.
#include "platform/key_repeat_filter.h"

#include "key_events.h"

#include <QKeySequence>
#include <QtTest>

namespace {

// Writes down the key events that reach it, as a widget would handle them.
class KeyLog : public QWidget {
public:
    QStringList seen;

protected:
    void keyPressEvent(QKeyEvent *event) override { note(QStringLiteral("press"), *event); }
    void keyReleaseEvent(QKeyEvent *event) override { note(QStringLiteral("release"), *event); }

private:
    void note(const QString &what, const QKeyEvent &event)
    {
        seen << what + QLatin1Char(' ') + QKeySequence(event.key()).toString() +
                (event.isAutoRepeat() ? QStringLiteral(" repeat") : QString());
    }
};

} // namespace

class KeyRepeatTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pairsBecomeAutoRepeat();
    void repeatedPressesBecomeAutoRepeat();
    void separatePressesStayApart();

private:
    std::unique_ptr<KeyRepeatFilter> m_filter;
    std::unique_ptr<KeyLog> m_log;
};

void KeyRepeatTest::init()
{
    m_filter = std::make_unique<KeyRepeatFilter>();
    m_log = std::make_unique<KeyLog>();
    m_log->setFocusPolicy(Qt::StrongFocus);
    m_log->show();
    m_log->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_log.get()));
    m_log->setFocus();
}

void KeyRepeatTest::cleanup()
{
    m_log.reset();
    m_filter.reset();
}

void KeyRepeatTest::pairsBecomeAutoRepeat()
{
    HeldKey space(m_log->windowHandle(), Qt::Key_Space, kScanSpace);
    space.press();
    space.repeatAsPair();
    space.repeatAsPair();
    const QStringList held{QStringLiteral("press Space"), QStringLiteral("release Space repeat"),
                           QStringLiteral("press Space repeat"),
                           QStringLiteral("release Space repeat"),
                           QStringLiteral("press Space repeat")};
    QCOMPARE(m_log->seen, held);
    space.release();
    // The real release goes on once nothing came with it.
    QTRY_COMPARE(m_log->seen, held + QStringList{QStringLiteral("release Space")});
}

void KeyRepeatTest::repeatedPressesBecomeAutoRepeat()
{
    HeldKey space(m_log->windowHandle(), Qt::Key_Space, kScanSpace);
    space.press();
    space.repeatAsPress();
    space.repeatAsPress();
    space.release();
    QTRY_COMPARE(
        m_log->seen,
        (QStringList{QStringLiteral("press Space"), QStringLiteral("press Space repeat"),
                     QStringLiteral("press Space repeat"), QStringLiteral("release Space")}));
}

void KeyRepeatTest::separatePressesStayApart()
{
    HeldKey space(m_log->windowHandle(), Qt::Key_Space, kScanSpace);
    HeldKey a(m_log->windowHandle(), Qt::Key_A, kScanA);
    space.press();
    space.release();
    space.wait(30);
    space.press();
    space.release();
    // Another key pressed at the very moment Space goes up is no repeat of Space.
    a.wait(40 + 30 + 40 + 40);
    a.press();
    a.release();
    QTRY_COMPARE(m_log->seen,
                 (QStringList{QStringLiteral("press Space"), QStringLiteral("release Space"),
                              QStringLiteral("press Space"), QStringLiteral("release Space"),
                              QStringLiteral("press A"), QStringLiteral("release A")}));
}

QTEST_MAIN(KeyRepeatTest)
#include "platform_key_repeat_test.moc"
