#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QtTest>

// A table of published properties written and read back by name. A row names
// an object of the test (in the test's own words), a property, the value
// written and the value reading it gives back.
inline void addPropertyColumns()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("read");
}

inline void addPropertyRow(const char *object, const char *name, const QVariant &written,
                           const QVariant &read)
{
    QTest::newRow(QByteArray(object).append('.').append(name).constData())
        << QString::fromLatin1(object) << QByteArray(name) << written << read;
}

// Writes the property by name and compares what reading it gives; an
// enumeration or a colour is compared by its number. The caller checks
// QTest::currentTestFailed() before going on.
inline void comparePropertyRoundTrip(QObject *target, const QByteArray &name,
                                     const QVariant &written, const QVariant &read)
{
    QVERIFY(target->setProperty(name.constData(), written));
    const QVariant value = target->property(name.constData());
    if (read.typeId() == QMetaType::Int)
        QCOMPARE(value.toInt(), read.toInt());
    else if (read.typeId() == QMetaType::UInt)
        QCOMPARE(value.toUInt(), read.toUInt());
    else
        QCOMPARE(value, read);
}
