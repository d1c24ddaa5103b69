// The text of one settings value exactly as the settings file holds it.
// QSettings reads a value with an unquoted comma as a list, trimming the
// blanks around each comma, and ends a value at an unquoted semicolon; the
// values the program uses as they are (the service name, the music folder)
// need the whole text instead, so this reads their line itself.
#pragma once

#include <optional>

#include <QByteArrayView>
#include <QString>

namespace reversi {

// The value of key ("net/service": section "net", key "service") in the INI
// text `file`: everything after the first "=" of the key's line (the last such
// line when there are several), commas and semicolons included. Quotes and
// backslash escapes are read as QSettings writes them, so a value QSettings
// stored reads back unchanged; blanks at either end count only when quoted.
// Nothing when the key has no line, or when its value is in QSettings' own
// typed notation ("@ByteArray(...)", "@Invalid()" and the like: a leading "@"
// not doubled), which only QSettings can read.
std::optional<QString> StoredText(QByteArrayView file, const QString& key);

}  // namespace reversi
