// The music player's folder walk and its stream, driven by the window's timer.
#include "MusicPlayer.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

#include "Settings.h"

namespace reversi {

MusicPlayer::MusicPlayer(std::unique_ptr<platform::MusicOutput> output, MusicFolderLister lister)
    : output_(std::move(output)), lister_(std::move(lister)) {}

MusicPlayer::~MusicPlayer() { CloseStream(); }

void MusicPlayer::Configure(const Settings& settings) {
    SetFolder(settings.MusicFolder);
    SetVolume(settings.MusicVolume);
    SetEnabled(settings.MusicOn);
}

bool MusicPlayer::IsMusicFileName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    const QString extension = name.mid(dot).toUpper();
    static const std::array<QString, 4> kExtensions = {
        QStringLiteral(".MP3"), QStringLiteral(".WAV"), QStringLiteral(".WMA"),
        QStringLiteral(".OGG")};
    return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

void MusicPlayer::SetFolder(const QString& folder) {
    // "/music" and "/music/" are one folder: choosing it again keeps the music.
    if (QDir::cleanPath(folder) == QDir::cleanPath(folder_)) return;
    folder_ = folder;
    CloseStream();
    CloseListing();
}

void MusicPlayer::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, platform::SoundLayer::kMaxVolume);
    if (streamOpen_) output_->setVolume(channel_, volume_);
}

void MusicPlayer::SetEnabled(bool on) {
    enabled_ = on;
    if (streamOpen_) output_->setPaused(channel_, Silenced());
}

void MusicPlayer::SetPaused(bool paused) {
    paused_ = paused;
    if (streamOpen_) output_->setPaused(channel_, Silenced());
}

void MusicPlayer::Tick() {
    if (!output_->isAvailable()) return;
    if (streamOpen_) {
        if (output_->isPlaying(channel_)) return;  // a paused piece counts as playing
        CloseStream();
    }
    if (entry_) {
        if (++*entry_ >= listing_.size()) CloseListing();
    }
    if (!entry_) {
        listing_ = lister_(folder_);
        if (!listing_.empty()) entry_ = 0;
    }
    if (entry_) StartEntry(listing_[*entry_]);
}

void MusicPlayer::StartEntry(const MusicFolderEntry& entry) {
    if (entry.kind != MusicFolderEntry::Kind::File || !IsMusicFileName(entry.name)) return;
    const QString path = QDir(folder_).filePath(entry.name);
    if (!output_->openStream(QFile::encodeName(path).toStdString())) return;  // next tick moves on
    const int channel = output_->playStream(Silenced());
    if (channel < 0) {
        output_->closeStream();
        return;
    }
    channel_ = channel;
    streamOpen_ = true;
    currentFile_ = path;
    output_->setVolume(channel_, volume_);
}

void MusicPlayer::CloseStream() {
    if (streamOpen_) output_->closeStream();
    streamOpen_ = false;
    channel_ = platform::SoundLayer::kNoChannel;
    currentFile_.clear();
}

void MusicPlayer::CloseListing() {
    listing_.clear();
    entry_.reset();
}

}  // namespace reversi
