// Reading and writing the settings file through QSettings, guarded against
// paths QSettings must not open and honest about failed writes.
#include "SettingsStore.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "SettingsText.h"

namespace reversi {

namespace {

// A settings file is a few kilobytes; anything near this is not ours.
constexpr qint64 MaxFileBytes = 1 << 20;

// The whole file, or empty bytes when it cannot be read.
QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(MaxFileBytes + 1);
}

bool IsTextKey(const QString& key) {
    for (const QString& text : settings_keys::TextKeys) {
        if (key == text) return true;
    }
    return false;
}

// The text of a value the program uses unchanged. QSettings tells whether the
// value exists and is text; a list is text too, which QSettings split at its
// commas, so the text comes from the file's own line.
std::optional<QString> TextValue(const QSettings& store, const QByteArray& file,
                                 const QString& key) {
    const QVariant value = store.value(key);
    const bool list = value.typeId() == QMetaType::QStringList;
    if (value.typeId() != QMetaType::QString && !list) return std::nullopt;
    if (std::optional<QString> text = StoredText(file, key)) return text;
    // A line QSettings found and this reading did not: QSettings' text, a list
    // joined as QSettings writes one.
    return list ? value.toStringList().join(QStringLiteral(", ")) : value.toString();
}

// Puts back, as text, the text values of `file` that `entries` leave alone.
void KeepTexts(QSettings& store, const QByteArray& file, const SettingsEntries& entries) {
    // QSettings writes back what it read: a text it split at commas would
    // come back with its blanks changed, a text cut at a semicolon shortened.
    // The texts this writer does not store itself are written as they are.
    for (const QString& key : settings_keys::TextKeys) {
        const bool written = std::any_of(entries.begin(), entries.end(),
                                         [&key](const SettingsEntry& e) { return e.key == key; });
        if (written) continue;
        const std::optional<QString> text = TextValue(store, file, key);
        if (text && store.value(key) != QVariant(*text)) store.setValue(key, *text);
    }
}

}  // namespace

SettingsWriteError::SettingsWriteError(const QString& file)
    : std::runtime_error("The settings could not be written to " + file.toStdString()) {}

SettingsStore::SettingsStore()
    : SettingsStore(QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                        .filePath(QCoreApplication::organizationName() + QLatin1Char('/') +
                                  QCoreApplication::applicationName() + QStringLiteral(".conf"))) {}

SettingsStore::SettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

QString SettingsStore::DefaultMusicFolder() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA/MUSIC"));
}

QString SettingsStore::SetAsideName(const QString& filePath, int attempt) {
    const QString name = filePath + QStringLiteral(".too-large");
    return attempt <= 1 ? name : name + QLatin1Char('-') + QString::number(attempt);
}

QString SettingsStore::SetAsideMessage(const QString& filePath, const QString& keptAs) {
    return QStringLiteral(
               "The settings file %1 was too large to be read. It has been kept as %2, "
               "and the settings are now written to a new file %1.")
        .arg(QDir::toNativeSeparators(filePath), QDir::toNativeSeparators(keptAs));
}

bool SettingsStore::Outgrown() const {
    const QFileInfo info(filePath_);
    return info.isFile() && info.size() > MaxFileBytes;
}

QString SettingsStore::SetAside() const {
    // Renaming never overwrites: a name that is taken is passed over.
    constexpr int Attempts = 100;
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        const QString keptAs = SetAsideName(filePath_, attempt);
        if (QFileInfo::exists(keptAs) || QFileInfo(keptAs).isSymLink()) continue;
        if (!QFile::rename(filePath_, keptAs)) break;
        return keptAs;
    }
    throw SettingsWriteError(filePath_);
}

bool SettingsStore::Openable() const {
    // QSettings reads the file in its constructor: a pipe would block the
    // start for ever, a device or a huge file would be read to its end.
    const QFileInfo info(filePath_);
    if (!info.exists() && !info.isSymLink()) return true;
    return info.isFile() && info.isReadable() && info.size() <= MaxFileBytes;
}

Settings SettingsStore::Load() const {
    const QString musicFolder = DefaultMusicFolder();
    if (!Openable()) return ParseSettings([](const QString&) { return std::nullopt; }, musicFolder);
    const QSettings store(filePath_, QSettings::IniFormat);
    const QByteArray file = FileBytes(filePath_);
    return ParseSettings(
        [&store, &file](const QString& key) -> std::optional<QString> {
            const QVariant value = store.value(key);
            // A value QSettings split at its commas is text all the same: a
            // word or a number compares it as the file holds it.
            if (IsTextKey(key) || value.typeId() == QMetaType::QStringList)
                return TextValue(store, file, key);
            // Only text counts; a value of another type reads as missing.
            if (value.typeId() != QMetaType::QString) return std::nullopt;
            return value.toString();
        },
        musicFolder);
}

StoredStatistics SettingsStore::LoadStatistics() const {
    if (!Openable()) return {};
    const QSettings store(filePath_, QSettings::IniFormat);
    const QVariant value = store.value(settings_keys::Statistics);
    if (!value.isValid()) return {};
    if (value.typeId() != QMetaType::QByteArray) return {QByteArray(), true};
    return {value.toByteArray(), false};
}

void SettingsStore::SaveOnClose(const Settings& settings, bool listening,
                                const QByteArray& statistics) const {
    Write(CloseEntries(settings, listening, statistics));
}

void SettingsStore::SaveDialogValues(const Settings& settings) const {
    Write(DialogEntries(settings));
}

void SettingsStore::SaveTipValues(bool showTips, int tipIndex) const {
    Write(TipEntries(showTips, tipIndex));
}

void SettingsStore::Write(const SettingsEntries& entries) const {
    const QString keptAs = Outgrown() ? SetAside() : QString();
    if (!Openable()) throw SettingsWriteError(filePath_);
    const QByteArray before = FileBytes(filePath_);
    QSettings::Status status = QSettings::NoError;
    {
        QSettings store(filePath_, QSettings::IniFormat);
        KeepTexts(store, before, entries);
        for (const SettingsEntry& entry : entries) store.setValue(entry.key, entry.value);
        store.sync();
        status = store.status();
    }
    if (status == QSettings::AccessError) throw SettingsWriteError(filePath_);
    if (status == QSettings::FormatError) {
        // A damaged line in the old file sets FormatError when it is read and
        // then hides any later error. Writing drops the damaged lines, so a
        // successful write always changes the file.
        if (!QFileInfo(filePath_).isFile() || FileBytes(filePath_) == before) {
            throw SettingsWriteError(filePath_);
        }
    }
    if (!keptAs.isEmpty() && setAsideNotice_) setAsideNotice_(SetAsideMessage(filePath_, keptAs));
}

}  // namespace reversi
