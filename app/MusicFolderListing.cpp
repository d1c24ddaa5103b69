// Lists a music folder from the file system for the music player.
#include "MusicFolderListing.h"

#include <QDir>
#include <QFileInfo>

namespace reversi {

std::vector<MusicFolderEntry> ListMusicFolder(const QString& folder) {
    std::vector<MusicFolderEntry> entries;
    if (folder.isEmpty()) return entries;  // never the current folder by accident
    const QDir dir(folder);
    const QFileInfoList infos =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    entries.reserve(std::size_t(infos.size()));
    for (const QFileInfo& info : infos) {
        using Kind = MusicFolderEntry::Kind;
        Kind kind = Kind::Special;
        if (info.isSymLink())
            kind = Kind::Link;
        else if (info.isDir())
            kind = Kind::Folder;
        else if (info.isFile())
            kind = Kind::File;
        entries.push_back({info.fileName(), kind});
    }
    return entries;
}

}  // namespace reversi
