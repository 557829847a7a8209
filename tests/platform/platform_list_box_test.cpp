#include "draw/roster.h"
#include "pixel_helpers.h"
#include "platform/list_box.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <string>

namespace {

constexpr int kRow = 13;

// A roster of n names "name0", "name1", ...
void fill(draw::Roster &roster, int n)
{
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i)
        names.push_back("name" + std::to_string(i));
    roster.assign(std::move(names));
}

// The marks as a string of 0s and 1s.
QString marks(const draw::Roster &roster)
{
    QString out;
    for (std::size_t i = 0; i < roster.size(); ++i)
        out += roster.selected(i) ? u'1' : u'0';
    return out;
}

QPoint rowCentre(int row)
{
    return QPoint(20, row * kRow + kRow / 2);
}

// Clicks written as "2 ^3 +1 ^+4": a row, after ^ for Ctrl and + for Shift.
void clickAll(TListBox &list, const QString &clicks)
{
    for (const QString &click : clicks.split(u' ', Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers modifiers;
        qsizetype i = 0;
        for (; i < click.size() && !click.at(i).isDigit(); ++i)
            modifiers |= click.at(i) == u'^' ? Qt::ControlModifier : Qt::ShiftModifier;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                          rowCentre(click.mid(i).toInt()));
    }
}

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct ListFixture {
    draw::Roster roster;
    TListBox list;

    explicit ListFixture(int names, int height = 10 * kRow)
    {
        fill(roster, names);
        list.setFont(testFont(11));
        list.resize(120, height);
        list.setColor(clWhite);
        list.setRoster(&roster);
    }
    ~ListFixture() { list.setRoster(nullptr); }
};

} // namespace

class ListBoxTest : public QObject {
    Q_OBJECT

private slots:
    void rowsAreThirteenPixelsAndShowTheMarks();
    void namesAreShownFromGbk();
    void mouseSelection_data();
    void mouseSelection();
    void dragStretchesTheSelection();
    void rightClickKeepsTheSelectionAndAsksForTheMenu();
    void keyboardSelection_data();
    void keyboardSelection();
    void rosterChangesUpdateTheScrollRange();
    void manyNotificationsPaintOnce();
    void aHundredThousandNamesScrollByRows();
    void onlyShownRowsWhoseMarkChangedRepaint();
};

void ListBoxTest::rowsAreThirteenPixelsAndShowTheMarks()
{
    ListFixture f(3);
    QCOMPARE(f.list.itemHeight(), kRow);
    f.roster.setSelected(1, true);
    const QImage shot = grabImage(&f.list);
    const QColor white(255, 255, 255);
    const QColor highlight = toQColor(clHighlight);
    const int x = 110; // right of any text
    QCOMPARE(pixelAt(shot, x, 12), white);
    QCOMPARE(pixelAt(shot, x, 13), highlight);
    QCOMPARE(pixelAt(shot, x, 25), highlight);
    QCOMPARE(pixelAt(shot, x, 26), white);
    QCOMPARE(pixelAt(shot, x, 60), white); // below the last entry
    // The selected row's text is in the highlight text colour, the others in black.
    QVERIFY(countColor(shot, QRect(0, 13, 60, 13), toQColor(clHighlightText)) > 0);
    QVERIFY(countColor(shot, QRect(0, 0, 60, 13), QColor(0, 0, 0)) > 0);
    QCOMPARE(countColor(shot, QRect(0, 13, 60, 13), QColor(0, 0, 0)), 0);

    // No border: the list's own white runs to its edges.
    QCOMPARE(pixelAt(shot, 0, 0), white);
    QCOMPARE(pixelAt(shot, 119, 129), white);
    QCOMPARE(f.list.itemIndexAt(QPoint(5, 12)), 0);
    QCOMPARE(f.list.itemIndexAt(QPoint(5, 13)), 1);
    QCOMPARE(f.list.itemIndexAt(QPoint(5, 39)), -1);
}

void ListBoxTest::namesAreShownFromGbk()
{
    // 张三 in GBK.
    draw::Roster roster;
    roster.append(std::string("\xD5\xC5\xC8\xFD"));
    TListBox list;
    list.setFont(testFont(11));
    list.resize(120, 30);
    list.setColor(clWhite);
    list.setRoster(&roster);
    const QImage shot = grabImage(&list);
    list.setRoster(nullptr);
    const QRect ink = inkBounds(shot, QRect(0, 0, 120, kRow), Qt::white);

    QImage expected(120, kRow, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setFont(testFont(11));
        painter.setPen(Qt::black);
        painter.drawText(expected.rect(), Qt::AlignCenter, QString::fromUtf8("张三"));
    }
    QCOMPARE(ink.size(), inkBounds(expected, expected.rect(), Qt::white).size());
}

void ListBoxTest::mouseSelection_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("after");
    QTest::newRow("click selects alone") << "10001"
                                         << "2"
                                         << "00100";
    QTest::newRow("second click moves it") << "00000"
                                           << "1 3"
                                           << "00010";
    QTest::newRow("ctrl adds") << "00000"
                               << "1 ^3"
                               << "01010";
    QTest::newRow("ctrl toggles off") << "00000"
                                      << "1 ^3 ^1"
                                      << "00010";
    QTest::newRow("shift selects the range down") << "00000"
                                                  << "1 +3"
                                                  << "01110";
    QTest::newRow("shift selects the range up") << "00000"
                                                << "3 +1"
                                                << "01110";
    QTest::newRow("shift replaces the rest") << "00000"
                                             << "0 ^4 +2"
                                             << "00111";
    QTest::newRow("ctrl+shift adds the range") << "00000"
                                               << "0 ^4 ^+2"
                                               << "10111";
    QTest::newRow("shift again keeps the anchor") << "00000"
                                                  << "2 +4 +0"
                                                  << "11100";
    QTest::newRow("below the last entry nothing changes") << "01000"
                                                          << "7"
                                                          << "01000";
}

void ListBoxTest::mouseSelection()
{
    QFETCH(QString, before);
    QFETCH(QString, clicks);
    QFETCH(QString, after);
    ListFixture f(5);
    for (int i = 0; i < before.size(); ++i)
        f.roster.setSelected(std::size_t(i), before.at(i) == u'1');
    clickAll(f.list, clicks);
    QCOMPARE(marks(f.roster), after);
}

void ListBoxTest::dragStretchesTheSelection()
{
    ListFixture f(6);
    QTest::mousePress(f.list.viewport(), Qt::LeftButton, {}, rowCentre(1));
    QMouseEvent move(QEvent::MouseMove, QPointF(rowCentre(3)),
                     f.list.viewport()->mapToGlobal(QPointF(rowCentre(3))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.list.viewport(), &move);
    QTest::mouseRelease(f.list.viewport(), Qt::LeftButton, {}, rowCentre(3));
    QCOMPARE(marks(f.roster), QStringLiteral("011100"));
    QCOMPARE(f.list.currentIndex(), 3);
}

void ListBoxTest::rightClickKeepsTheSelectionAndAsksForTheMenu()
{
    ListFixture f(5);
    clickAll(f.list, QStringLiteral("1 ^3"));
    QSignalSpy menu(&f.list, &TListBox::contextMenuRequested);
    QTest::mouseClick(f.list.viewport(), Qt::RightButton, {}, rowCentre(2));
    QCOMPARE(marks(f.roster), QStringLiteral("01010"));
    QCOMPARE(menu.count(), 1);
    QCOMPARE(menu.at(0).at(0).toPoint(), f.list.viewport()->mapToGlobal(rowCentre(2)));
}

void ListBoxTest::keyboardSelection_data()
{
    QTest::addColumn<int>("clickRow");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("current");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("down selects alone") << 1 << QList<int>{Qt::Key_Down} << none << "001000" << 2;
    QTest::newRow("up at the top stays") << 0 << QList<int>{Qt::Key_Up} << none << "100000" << 0;
    QTest::newRow("shift+down twice")
        << 1 << QList<int>{Qt::Key_Down, Qt::Key_Down} << shift << "011100" << 3;
    QTest::newRow("shift+up past the anchor")
        << 2 << QList<int>{Qt::Key_Up, Qt::Key_Up} << shift << "111000" << 0;
    QTest::newRow("end") << 1 << QList<int>{Qt::Key_End} << none << "000001" << 5;
    QTest::newRow("shift+home") << 2 << QList<int>{Qt::Key_Home} << shift << "111000" << 0;
    QTest::newRow("ctrl moves the focus only")
        << 1 << QList<int>{Qt::Key_Down, Qt::Key_Down} << ctrl << "010000" << 3;
    QTest::newRow("ctrl+space toggles")
        << 1 << QList<int>{Qt::Key_Down, Qt::Key_Space} << ctrl << "011000" << 2;
    // Four rows fit: a page is three rows.
    QTest::newRow("page down") << 0 << QList<int>{Qt::Key_PageDown} << none << "000100" << 3;
    QTest::newRow("page down stops at the end")
        << 3 << QList<int>{Qt::Key_PageDown} << none << "000001" << 5;
    QTest::newRow("page up") << 0 << QList<int>{Qt::Key_End, Qt::Key_PageUp} << none << "001000"
                             << 2;
}

void ListBoxTest::keyboardSelection()
{
    QFETCH(int, clickRow);
    QFETCH(QList<int>, keys);
    QFETCH(int, modifiers);
    QFETCH(QString, after);
    QFETCH(int, current);
    ListFixture f(6, 4 * kRow + 5);
    clickAll(f.list, QString::number(clickRow));
    for (int key : keys)
        QTest::keyClick(&f.list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(marks(f.roster), after);
    QCOMPARE(f.list.currentIndex(), current);
    // The current entry is scrolled into view.
    QVERIFY(current >= f.list.topIndex() && current < f.list.topIndex() + f.list.visibleRows());
}

void ListBoxTest::rosterChangesUpdateTheScrollRange()
{
    ListFixture f(100); // ten rows fit
    QScrollBar *bar = f.list.verticalScrollBar();
    QCOMPARE(bar->maximum(), 90);
    QCOMPARE(bar->pageStep(), 10);

    for (int i = 0; i < 5; ++i)
        f.roster.append("late" + std::to_string(i));
    QTRY_COMPARE(bar->maximum(), 95);

    f.list.setTopIndex(95);
    f.roster.setSelectedRange(0, 59, true);
    f.roster.deleteSelected();
    QTRY_COMPARE(bar->maximum(), 35);
    QCOMPARE(f.list.topIndex(), 35);
    QCOMPARE(f.list.itemIndexAt(QPoint(5, 9 * kRow)), 44);

    f.roster.clear();
    QTRY_COMPARE(bar->maximum(), 0);
    QCOMPARE(f.list.itemIndexAt(QPoint(5, 2)), -1);
}

void ListBoxTest::manyNotificationsPaintOnce()
{
    // A rolling draw re-marks the roster a thousand times a second; the list
    // paints with the screen, not once per change.
    ListFixture f(20);
    f.list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.list));
    PaintCounter counter;
    f.list.viewport()->installEventFilter(&counter);
    for (int i = 0; i < 1000; ++i) {
        f.roster.clearSelection();
        f.roster.setSelected(std::size_t(i % 5), true);
    }
    QCOMPARE(counter.paints, 0);
    QTRY_VERIFY(counter.paints >= 1);
    QCoreApplication::processEvents();
    QVERIFY2(counter.paints <= 2, qPrintable(QString::number(counter.paints)));
    QCOMPARE(pixelAt(grabImage(&f.list), 80, 4 * kRow + 6), toQColor(clHighlight));
}

void ListBoxTest::aHundredThousandNamesScrollByRows()
{
    ListFixture f(100000);
    QCOMPARE(f.list.verticalScrollBar()->maximum(), 100000 - 10);
    f.list.scrollToIndex(99999);
    QCOMPARE(f.list.topIndex(), 99990);
    QCOMPARE(f.list.itemIndexAt(QPoint(5, 9 * kRow + 1)), 99999);
    f.list.scrollToIndex(500);
    QCOMPARE(f.list.topIndex(), 500);
    // Clicking and Shift+End over the whole roster mark it with one range.
    clickAll(f.list, QStringLiteral("0"));
    QTest::keyClick(&f.list, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(f.roster.selectedCount(), std::size_t(100000 - 500));
    QCOMPARE(f.list.topIndex(), 99990);
}

// A rolling draw re-marks a few of many entries at every frame: rows nobody sees
// cost no paint, and a changed row repaints alone. What the screen then shows is
// what a full paint of the list shows.
void ListBoxTest::onlyShownRowsWhoseMarkChangedRepaint()
{
    ListFixture f(1000);
    f.list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.list));
    QCoreApplication::processEvents();
    struct RegionRecorder : QObject {
        QRegion painted;
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint) {
                painted += static_cast<QPaintEvent *>(event)->region();
                ++paints;
            }
            return false;
        }
    } recorder;
    f.list.viewport()->installEventFilter(&recorder);

    // Row 500 is not shown: only row 3 is painted for both changes.
    f.roster.setSelected(500, true);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    f.roster.setSelected(3, true);
    QTRY_VERIFY(recorder.paints >= 1);
    QCoreApplication::processEvents();
    QCOMPARE(recorder.painted, QRegion(0, 3 * kRow, f.list.viewport()->width(), kRow));

    // Marks moved as ticks move them, then the screen against a full paint.
    const auto screenShows = [&] {
        QCoreApplication::processEvents();
        return f.list.screen()
            ->grabWindow(f.list.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32)
            .copy(f.list.viewport()->geometry());
    };
    for (int round = 0; round < 20; ++round) {
        f.roster.clearSelection();
        for (int i = 0; i < 4; ++i)
            f.roster.setSelected(std::size_t((round * 7 + i * 3) % 14), true);
        QCoreApplication::processEvents();
    }
    f.roster.setSelected(8, true);
    QTRY_COMPARE(screenShows(), grabImage(f.list.viewport()));
    f.roster.setSelected(8, false); // a row losing its mark alone
    QTRY_COMPARE(screenShows(), grabImage(f.list.viewport()));
    // A scroll and a delete repaint every row.
    f.list.setTopIndex(2);
    f.roster.deleteSelected();
    QTRY_COMPARE(screenShows(), grabImage(f.list.viewport()));
}

QTEST_MAIN(ListBoxTest)
#include "platform_list_box_test.moc"
