#pragma once

#include <QObject>
#include <QTest>

namespace zeb {

// A window's control found by its objectName; a missing one fails the test rather than crashing it.
template <typename T> T* child(const QObject& parent, const char* objectName)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(objectName));
    if (!found)
        qFatal("No %s named %s under %s", T::staticMetaObject.className(), objectName,
               qPrintable(parent.objectName()));
    return found;
}

} // namespace zeb
