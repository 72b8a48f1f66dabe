#pragma once

#include <QTest>

// Types one character at a time: QTest::keyClicks cannot send Cyrillic.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}
