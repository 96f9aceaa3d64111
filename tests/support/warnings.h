#pragma once

#include <QRegularExpression>
#include <QtTest>

// Call from a test's init(): any Qt warning fails the test, except the offscreen platform's
// notes about window features it does not have (and the embedded browser's note that it
// has no graphics card there).
inline void failOnUnexpectedWarnings()
{
    QTest::failOnWarning(QRegularExpression(
        QStringLiteral("^(?!This plugin does not support|QPainter::.*Paint device returned "
                       "engine == 0|No suitable graphics backend found).*")));
}
