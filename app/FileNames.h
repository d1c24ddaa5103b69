// File names between Qt and the system. Qt holds names as text (UTF-8 on
// Linux), the system as bytes: a name that is no UTF-8 (a Latin-1 "café"
// from an older disk) cannot pass through a QString unchanged. The window
// therefore keeps every name of a match file as a std::filesystem::path of
// the system's bytes, and turns it into text only to show it.
#pragma once

#include <filesystem>
#include <optional>

#include <QString>

class QUrl;

namespace reversi {

// The name as the player reads it in a message.
QString ShownFileName(const std::filesystem::path& file);

// The local file a dropped URL names, bytes as they are (a percent-encoded
// byte that is no UTF-8 stays that byte); none for a URL of another kind.
std::optional<std::filesystem::path> LocalFileOfUrl(const QUrl& url);

// The file a name typed or picked in a file dialog means. Qt's dialogs only
// know names that are UTF-8: when no file of that UTF-8 name exists, the one
// file in its folder whose name reads as the text (see ReadableFileName) is
// meant. Otherwise the UTF-8 name.
std::filesystem::path ExistingFileNamed(const QString& text);

// The file a name typed in the save dialog creates or replaces: the UTF-8 name.
std::filesystem::path FileNamed(const QString& text);

}  // namespace reversi
