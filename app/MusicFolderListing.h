#pragma once
// One listing of a music folder, as the music player walks it: every entry
// with its name and kind, "." and ".." included, sorted by name. Kept apart
// from the player so that tests can hand it a listing of their own.

#include <QString>

#include <functional>
#include <vector>

namespace reversi {

struct MusicFolderEntry {
    enum class Kind {
        File,     // a plain file, hidden or not: may be music
        Folder,   // a folder, "." and ".." included
        Link,     // a symbolic link, whatever it points to
        Special,  // a device, pipe or socket
    };
    QString name;
    Kind kind = Kind::File;

    bool operator==(const MusicFolderEntry&) const = default;
};

// Lists a folder afresh; an empty answer for a missing or unreadable folder.
using MusicFolderLister = std::function<std::vector<MusicFolderEntry>(const QString& folder)>;

// The real listing of the file system. An empty folder name lists nothing.
std::vector<MusicFolderEntry> ListMusicFolder(const QString& folder);

}  // namespace reversi
