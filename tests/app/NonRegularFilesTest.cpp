// Paths that are no regular files, offered as a match each way one comes in:
// the Open dialog, the command line and a drag over the window. None of them
// may block the program (a named pipe waits in open() for a writer), and
// nothing changes.
#include <atomic>
#include <chrono>
#include <thread>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "RegularFile.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using test::Child;
using test::PlayingWindow;

struct Path {
    const char* what;
    QString path;
    // Some words of the message the Open dialog gives.
    const char* reason;
};

// A temporary folder with one path of each kind that is no readable
// regular file. A file without read permission is readable to root: then
// its row is left out, with a note.
class NonRegularPaths {
public:
    NonRegularPaths() {
        const QString fifo = dir_.filePath(QStringLiteral("pipe.kzv"));
        fifoMade_ = ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0;
        paths_.push_back({"a named pipe", fifo, "Not a regular file"});
        const QString folder = dir_.filePath(QStringLiteral("folder.kzv"));
        QDir().mkpath(folder);
        paths_.push_back({"a folder", folder, "Is a directory"});
        paths_.push_back({"a device", QStringLiteral("/dev/null"), "Not a regular file"});
        const QString dangling = dir_.filePath(QStringLiteral("dangling.kzv"));
        QFile::link(dir_.filePath(QStringLiteral("gone.kzv")), dangling);
        paths_.push_back({"a link to nothing", dangling, "No such file or directory"});

        // A sound match that cannot be read.
        const QString locked = dir_.filePath(QStringLiteral("locked.kzv"));
        QFile file(locked);
        if (file.open(QIODevice::WriteOnly)) {
            SavedMatch match;
            const auto bytes = EncodeMatch(match);
            file.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qint64>(bytes.size()));
            file.close();
        }
        ::chmod(QFile::encodeName(locked).constData(), 0);
        if (::access(QFile::encodeName(locked).constData(), R_OK) == 0) {
            std::printf("[   NOTE   ] an unreadable file is left out: this user reads it anyway\n");
        } else {
            paths_.push_back({"an unreadable file", locked, "Permission denied"});
        }
    }

    bool Valid() const { return dir_.isValid() && fifoMade_; }
    const std::vector<Path>& All() const { return paths_; }
    QString Fifo() const { return paths_.front().path; }

private:
    QTemporaryDir dir_;
    bool fifoMade_ = false;
    std::vector<Path> paths_;
};

// Frees the main thread if it blocks in opening the pipe: past the deadline
// a writer opens the other end (the reader's open() then returns) and the
// test fails with a message instead of hanging.
class PipeDeadline {
public:
    explicit PipeDeadline(const QString& fifo)
        : fifo_(QFile::encodeName(fifo)), worker_([this] { Watch(); }) {}
    ~PipeDeadline() {
        done_ = true;
        worker_.join();
        if (freed_) ADD_FAILURE() << "the program blocked on the named pipe";
    }
    PipeDeadline(const PipeDeadline&) = delete;
    PipeDeadline& operator=(const PipeDeadline&) = delete;

private:
    void Watch() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (std::chrono::steady_clock::now() < deadline) continue;
            // Succeeds only while a reader waits on the pipe.
            const int fd = ::open(fifo_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                freed_ = true;
                ::close(fd);
            }
        }
    }

    QByteArray fifo_;
    std::atomic<bool> done_{false};
    std::atomic<bool> freed_{false};
    std::thread worker_;
};

struct Snapshot {
    tBoard board;
    int side;
    int count;
    int current;
    bool over;
    int boardSize;
    QSize window;
    bool browsing;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TReversiForm& form) {
    const auto& g = test::GameOf(form);
    return {g.Boards[0], g.SideToMove, g.Tracker->count(), g.Tracker->current(),
            g.GameOver,  g.BoardSize,  form.size(),        form.Browsing()};
}

// A window with a game under way: three moves and the computer's replies.
void PlaySomeMoves(PlayingWindow& w) {
    for (int i = 0; i < 3 && !w.Game().GameOver; ++i) {
        const auto legal = w.LegalSquares();
        ASSERT_FALSE(legal.empty());
        w.ClickSquare(legal.front().first, legal.front().second);
    }
}

TEST(NonRegularFiles, TheOpenDialogNamesThePathAndChangesNothing) {
    const NonRegularPaths paths;
    ASSERT_TRUE(paths.Valid());
    PlayingWindow w({});
    PlaySomeMoves(w);
    const Snapshot before = Take(*w.form);
    const Settings settings = w.form->CurrentSettings();
    for (const Path& p : paths.All()) {
        SCOPED_TRACE(p.what);
        QString said;
        {
            const PipeDeadline deadline(paths.Fifo());
            const auto box = test::ModalAnswer::For<QMessageBox>(
                [&said](QMessageBox* b) {
                    said = b->text();
                    b->done(QMessageBox::Ok);
                },
                "the message about the path");
            w.messages->chosenFile = p.path;
            Child<QAction>(*w.form, "ListMenuLoad")->trigger();
        }
        EXPECT_TRUE(said.contains(p.path)) << said.toStdString();
        EXPECT_TRUE(said.contains(QLatin1String(p.reason))) << said.toStdString();
        EXPECT_EQ(Take(*w.form), before);
        EXPECT_EQ(w.form->CurrentSettings(), settings);
    }
}

TEST(NonRegularFiles, DraggedOverOrDroppedOnTheWindowTheyAreNotAccepted) {
    const NonRegularPaths paths;
    ASSERT_TRUE(paths.Valid());
    PlayingWindow w({});
    PlaySomeMoves(w);
    const Snapshot before = Take(*w.form);
    for (const Path& p : paths.All()) {
        SCOPED_TRACE(p.what);
        const PipeDeadline deadline(paths.Fifo());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(p.path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(w.form.get(), &enter);
        EXPECT_FALSE(enter.isAccepted());
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.form.get(), &dropped);
        EXPECT_FALSE(dropped.isAccepted());
        QCoreApplication::processEvents();
        EXPECT_EQ(Take(*w.form), before);
    }
}

TEST(NonRegularFiles, OnTheCommandLineTheGameStartsAsWithoutAFile) {
    const NonRegularPaths paths;
    ASSERT_TRUE(paths.Valid());
    for (const Path& p : paths.All()) {
        SCOPED_TRACE(p.what);
        QTemporaryDir work;
        ASSERT_TRUE(work.isValid());
        // The child gives up after 120 s when its event loop runs; a child
        // stuck in open() is killed after 150 s and reported as crashed.
        const test::ChildResult run = test::RunProgramOnScreen(1024, 768, {p.path}, work.path());
        ASSERT_FALSE(run.crashed) << "the program blocked";
        QStringList events = run.events;
        // An unreadable file is a file: the player hears why it is not opened.
        if (QLatin1String(p.what) == QLatin1String("an unreadable file")) {
            ASSERT_FALSE(events.isEmpty());
            EXPECT_TRUE(events.front().startsWith(QLatin1String("BOX Cannot open file")) &&
                        events.front().contains(p.path))
                << events.front().toStdString();
            events.removeFirst();
        }
        ASSERT_EQ(events.size(), 3) << events.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(events[0].toStdString(), "WINDOW Zorel Reversi 4.00");
        EXPECT_TRUE(events[1].endsWith(QLatin1String("|Move 0/0"))) << events[1].toStdString();
        EXPECT_EQ(events[2].toStdString(), "BOARD 532");
        EXPECT_EQ(run.exitCode, 0);
    }
}

}  // namespace
}  // namespace reversi
