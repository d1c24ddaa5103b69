// Finding the main window's components by name, as a user of the window
// (or a style sheet) would: the window keeps them private.
#pragma once

#include <stdexcept>
#include <string>

#include <QObject>
#include <QString>

namespace reversi::test {

// The child of `parent` named `name`; throws (failing the test with the
// name) when there is none of that type.
template <class T>
T* Child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::runtime_error(std::string("no component named ") + name);
    return found;
}

}  // namespace reversi::test
