// The main window's controls as the tests reach them: by object name, the
// way a user finds them on the screen, not through the window's members.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace tastolino {

// The child of `window` named `name`; a control that is missing ends the
// run at once instead of failing later on a null pointer.
template <typename T>
T* control(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no control named %s", name);
    return found;
}

// Member `index` of a control array: the name with the index appended.
template <typename T>
T* control(const QObject& window, const char* name, qsizetype index) {
    const QByteArray full = QByteArray(name) + QByteArray::number(index);
    return control<T>(window, full.constData());
}

// Every member of a control array in order (name0, name1, ... up to the
// first one missing); an array with no member at all ends the run.
template <typename T>
QList<T*> controls(const QObject& window, const char* name) {
    QList<T*> found;
    for (qsizetype i = 0;; ++i) {
        T* member = window.findChild<T*>(QString::fromLatin1(name) + QString::number(i));
        if (!member) break;
        found << member;
    }
    if (found.isEmpty()) qFatal("no control array named %s", name);
    return found;
}

}  // namespace tastolino
