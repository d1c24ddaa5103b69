// A saved match whose name is no UTF-8 (the Latin-1 "caf\xe9.kzv"): it opens
// from the command line, by a drop and through the Open dialog, and its name
// reads "café" in messages.
#include <filesystem>
#include <fstream>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "FileDialogs.h"
#include "FileNames.h"
#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

namespace fs = std::filesystem;
using test::PlayingWindow;

const std::string Latin1Name = "caf\xe9.kzv";
const QString ReadsAs = QStringLiteral("caf\u00e9.kzv");

struct Position {
    tBoard board{};
    int count = 0;
    bool operator==(const Position&) const = default;
};
Position Now(const PlayingWindow& w) { return {w.Game().Boards[0], w.Game().Tracker->count()}; }

class FileNameBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        file_ = fs::path(dir_.path().toStdString()) / Latin1Name;
    }
    // Plays a few moves in w and saves them under the Latin-1 name; then a
    // new game is on the board.
    Position SaveMatch(PlayingWindow& w) {
        for (int i = 0; i < 2; ++i) {
            const auto squares = w.LegalSquares();
            w.ClickSquare(squares.front().first, squares.front().second);
        }
        const Position saved = Now(w);
        EXPECT_TRUE(w.Game().Tracker->SaveToFile(w.Game(), file_.native()).Ok());
        EXPECT_TRUE(fs::is_regular_file(file_));
        w.form->NewGameItemClick();
        EXPECT_EQ(w.Game().Tracker->count(), 0);
        return saved;
    }
    QTemporaryDir dir_;
    fs::path file_;
};

TEST_F(FileNameBytesTest, ADropOpensIt) {
    PlayingWindow w({});
    const Position saved = SaveMatch(w);
    // As a file manager sends it: the name's bytes percent-encoded.
    QMimeData data;
    data.setData(
        QStringLiteral("text/uri-list"),
        "file://" + QByteArray::fromStdString(file_.native()).toPercentEncoding("/") + "\r\n");
    ASSERT_TRUE(data.hasUrls());
    ASSERT_EQ(LocalFileOfUrl(data.urls().first()), file_);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the drag is refused";
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.form.get(), &drop);
    EXPECT_TRUE(test::WaitUntil([&] { return Now(w) == saved; })) << "the match did not open";
}

TEST_F(FileNameBytesTest, TheOpenDialogOpensItByTheNameItReadsAs) {
    PlayingWindow w({});
    const Position saved = SaveMatch(w);
    // Qt's dialog lists no name that is no UTF-8; the player types the name
    // as the program's messages show it.
    w.messages->chosenFile = dir_.filePath(ReadsAs);
    test::Child<QAction>(*w.form, "ListMenuLoad")->trigger();
    EXPECT_EQ(Now(w), saved);
}

TEST_F(FileNameBytesTest, TheRealOpenDialogTakesTheNameItReadsAs) {
    std::ofstream(file_) << "2VZK";
    TFileDialogSetup setup;
    setup.Title = QStringLiteral("Open...");
    setup.Filter = QStringLiteral("Zorel Reversi games (*.kzv)");
    const auto answer = test::ModalAnswer::For<QFileDialog>(
        [this](QFileDialog* dialog) {
            dialog->setDirectory(dir_.path());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(ReadsAs);
            QMetaObject::invokeMethod(dialog, "accept");
        },
        "the Open dialog");
    const QString chosen = ExecuteFileDialog(setup, nullptr);
    ASSERT_TRUE(answer->Answered());
    EXPECT_EQ(ExistingFileNamed(chosen), file_) << chosen.toStdString();
    // A name that reads as no file in that folder is still not found.
    EXPECT_EQ(ExistingFileNamed(dir_.filePath(QStringLiteral("other.kzv"))),
              fs::path(dir_.filePath(QStringLiteral("other.kzv")).toStdString()));
}

TEST_F(FileNameBytesTest, MessagesShowTheNameReadably) {
    PlayingWindow w({});
    std::ofstream(file_) << "not a match";
    w.messages->chosenFile = dir_.filePath(ReadsAs);
    QString shown;
    const auto answer = test::ModalAnswer::For<QMessageBox>(
        [&](QMessageBox* box) {
            shown = box->text();
            box->accept();
        },
        "the message about the file");
    test::Child<QAction>(*w.form, "ListMenuLoad")->trigger();
    ASSERT_TRUE(answer->Answered());
    EXPECT_EQ(
        shown,
        QStringLiteral("The file %1 is not a Zorel Reversi game.").arg(dir_.filePath(ReadsAs)));
}

TEST_F(FileNameBytesTest, TheCommandLineOpensIt) {
    {
        PlayingWindow w({});
        SaveMatch(w);
    }
    const test::ChildResult run = test::RunProgramWithBytes(
        1024, 768, QByteArray::fromStdString(file_.native()), dir_.path());
    ASSERT_FALSE(run.crashed) << run.standardError.toStdString();
    ASSERT_EQ(run.events.size(), 3) << run.events.join(QLatin1Char('\n')).toStdString();
    // Two moves of the player and two replies.
    EXPECT_TRUE(run.events[1].endsWith(QLatin1String("|Move 4/4"))) << run.events[1].toStdString();
    EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace reversi
