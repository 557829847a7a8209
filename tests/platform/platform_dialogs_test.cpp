// The real question box: only its two buttons answer it.
#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace {

// Runs `act` on the question box once it is up, from inside its modal loop.
void whenBoxIsUp(const std::function<void(QMessageBox &)> &act)
{
    auto *poll = new QTimer;
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*box);
    });
    poll->start();
}

// What the operator's keyboard and the window manager can do to shut the box.
void tryToShut(QMessageBox &box)
{
    QWidget *focus = box.focusWidget() ? box.focusWidget() : &box;
    QTest::keyClick(focus, Qt::Key_Escape);
    QTest::keyClick(&box, Qt::Key_Escape);
    // The window's close goes the way of the title bar's close button.
    box.windowHandle()->close();
    box.close();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void onlyButtonsAnswer_data();
    void onlyButtonsAnswer();
    void shutBoxIsDismissed();
};

void DialogsTest::onlyButtonsAnswer_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << int(DialogAnswer::Yes);
    QTest::newRow("No") << int(QMessageBox::No) << int(DialogAnswer::No);
}

void DialogsTest::onlyButtonsAnswer()
{
    QFETCH(int, button);
    QFETCH(int, answer);
    QStringList seen;
    whenBoxIsUp([&](QMessageBox &box) {
        seen << box.windowTitle() << box.text();
        tryToShut(box);
        seen << (box.isVisible() ? QStringLiteral("still open") : QStringLiteral("shut"));
        seen << ((box.windowFlags() & Qt::WindowCloseButtonHint)
                     ? QStringLiteral("close button")
                     : QStringLiteral("no close button"));
        box.button(QMessageBox::StandardButton(button))->click();
    });
    ModalDialogs dialogs;
    const DialogAnswer got = dialogs.askYesNo(QStringLiteral("提示"), QStringLiteral("继续吗？"));
    QCOMPARE(seen,
             (QStringList{QStringLiteral("提示"), QStringLiteral("继续吗？"),
                          QStringLiteral("still open"), QStringLiteral("no close button")}));
    QCOMPARE(int(got), answer);
}

void DialogsTest::shutBoxIsDismissed()
{
    // Forced shut, as a window manager can: neither Yes nor No.
    whenBoxIsUp([](QMessageBox &box) { box.hide(); });
    ModalDialogs dialogs;
    QCOMPARE(int(dialogs.askYesNo(QStringLiteral("提示"), QStringLiteral("继续吗？"))),
             int(DialogAnswer::Dismissed));
}

QTEST_MAIN(DialogsTest)
#include "platform_dialogs_test.moc"
