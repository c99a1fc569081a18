#pragma once
// Controls of a window as a test reaches them: by the object name the program
// gives each, as an accessibility tool or a user's script would.

#include <QObject>
#include <QString>
#include <array>
#include <stdexcept>
#include <string>

namespace vbtest {

// The child of root named name; throws when there is none, which fails the
// test that asked.
template <class T> T *control(const QObject &root, const QString &name) {
    T *found = root.findChild<T *>(name);
    if (!found)
        throw std::logic_error("no control named " + name.toStdString());
    return found;
}

// The children named name01 … nameN.
template <class T, size_t N> std::array<T *, N> controls(const QObject &root, const char *name) {
    std::array<T *, N> found{};
    for (size_t k = 0; k < N; ++k)
        found[k] = control<T>(root, QString::fromLatin1(name) + QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0')));
    return found;
}

} // namespace vbtest
