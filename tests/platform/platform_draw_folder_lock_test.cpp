// One window per draw folder: a second lock on a folder is refused while the
// first is held, by this program or another, and free again once it ends.
#include "platform/draw_folder_lock.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class DrawFolderLockTest : public QObject {
    Q_OBJECT

private slots:
    void secondLockIsRefusedUntilTheFirstEnds();
    void lockOfAKilledProgramIsFree();
    void folderThatDoesNotExistIsNotRefused();
};

void DrawFolderLockTest::secondLockIsRefusedUntilTheFirstEnds()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("抽奖名单"));
    QVERIFY(QDir().mkdir(folder));
    auto first = std::make_unique<DrawFolderLock>(folder);
    QVERIFY(!first->isHeldElsewhere());
    {
        // Named as given relative to the working folder: still the same folder.
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const DrawFolderLock second(QStringLiteral("抽奖名单"));
        QDir::setCurrent(previous);
        QVERIFY(second.isHeldElsewhere());
        QCOMPARE(second.refusal(),
                 QStringLiteral("Another window of the program is drawing from the folder "
                                "\"%1\". Only one window may draw from a folder at a time")
                     .arg(QDir(folder).absolutePath()));
    }
    first.reset();
    const DrawFolderLock third(folder);
    QVERIFY(!third.isHeldElsewhere());
}

void DrawFolderLockTest::lockOfAKilledProgramIsFree()
{
    QTemporaryDir dir;
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const DrawFolderLock held(dir.path());
        const char locked = held.isHeldElsewhere() ? 'n' : 'y';
        if (::write(ready[1], &locked, 1) != 1)
            ::_exit(1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char locked = 0;
    QCOMPARE(::read(ready[0], &locked, 1), ssize_t(1));
    ::close(ready[0]);
    QCOMPARE(locked, 'y');
    QVERIFY(DrawFolderLock(dir.path()).isHeldElsewhere());

    ::kill(child, SIGKILL);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(!DrawFolderLock(dir.path()).isHeldElsewhere());
}

void DrawFolderLockTest::folderThatDoesNotExistIsNotRefused()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none"));
    const DrawFolderLock first(missing);
    QVERIFY(!DrawFolderLock(missing).isHeldElsewhere());
}

QTEST_GUILESS_MAIN(DrawFolderLockTest)
#include "platform_draw_folder_lock_test.moc"
