// Undo, redo and browsing in the window as a player uses them: the Match
// menu and the step buttons with their auto-repeat, the status bar, the
// continue commands with their practice question, the history choice on a
// board click, clicking and dragging in the move list, hiding the list, and
// a board press that is no click.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "ModalAnswer.h"
#include "PlayTestSupport.h"
#include "RandomGame.h"
#include "TimerBarrier.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using test::Child;
using test::GameSetup;
using test::PlayingWindow;

class BrowseWindowTest : public testing::Test {
protected:
    // A window for a game between two people on this computer.
    void StartTwoPeople() {
        w = std::make_unique<PlayingWindow>(GameSetup{});
        Game().VsComputer = false;
    }
    // Plays the squares by clicks; the side to move must be able to play each.
    void PlayByClicks(const std::vector<int>& squares) {
        for (const int s : squares) {
            const int before = Game().Tracker->count();
            w->ClickSquare(SquareColumn(s, 8), SquareRow(s, 8));
            ASSERT_EQ(Game().Tracker->count(), before + 1)
                << "the click on " << s << " played nothing";
        }
    }
    QString Panel(int i) const { return w->form->StatusPanelText(i); }
    QAction* Item(const char* name) const { return Child<QAction>(*w->form, name); }
    QToolButton* Button(const char* name) const { return Child<QToolButton>(*w->form, name); }
    QListWidget* List() const { return Child<QListWidget>(*w->form, "MovesListBox"); }
    // The four undo/redo controls agree; answers their state.
    bool StepControlsOn() const {
        const bool on = Item("ListMenuUndoMove")->isEnabled();
        EXPECT_EQ(Item("ListMenuRedoMove")->isEnabled(), on);
        EXPECT_EQ(Button("SpeedButtonUndo")->isEnabled(), on);
        EXPECT_EQ(Button("SpeedButtonRedo")->isEnabled(), on);
        return on;
    }
    bool ContinueButtonsOn() const {
        const bool on = Button("SpeedButtonFromThis")->isEnabled();
        EXPECT_EQ(Button("SpeedButtonFromEnd")->isEnabled(), on);
        EXPECT_EQ(w->form->Browsing(), on);
        return on;
    }
    // A left click in line `line` of the move list's viewport.
    void ClickLine(int line, int xOffset = 20) const {
        const int top = List()->verticalScrollBar()->value();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(xOffset, (line - top) * 16 + 8));
    }
    void MoveOverList(QPoint at, Qt::MouseButtons buttons) const {
        QMouseEvent move(QEvent::MouseMove, at, List()->viewport()->mapToGlobal(at), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(List()->viewport(), &move);
    }

    // The game on the window's board.
    GameState& Game() const { return w->Game(); }

    std::unique_ptr<PlayingWindow> w;
};

TEST_F(BrowseWindowTest, UndoAndRedoThroughAPassBackToTheStart) {
    StartTwoPeople();
    EXPECT_FALSE(StepControlsOn()) << "nothing to undo in a new game";
    const test::RandomGame game = test::RandomGameWithPass(Game().Boards[0], 8);
    ASSERT_GT(game.passes, 0);
    const tBoard start = Game().Boards[0];
    PlayByClicks(game.squares);
    ASSERT_TRUE(Game().GameOver);
    const int count = static_cast<int>(game.squares.size());
    EXPECT_TRUE(StepControlsOn());
    EXPECT_FALSE(ContinueButtonsOn());
    const QString finalScore = Panel(1);

    auto moverText = [this](int side) {
        return QString::fromStdString(Game().Tracker->SideName(side)) +
               QStringLiteral(" is moving");
    };
    for (int i = count - 1; i >= 0; --i) {
        Item("ListMenuUndoMove")->trigger();
        EXPECT_EQ(Panel(2), QStringLiteral("Move %1/%2").arg(i).arg(count));
        EXPECT_EQ(Panel(0), moverText(game.movers[static_cast<std::size_t>(i)]))
            << "before move " << i + 1;
        EXPECT_TRUE(ContinueButtonsOn());
    }
    EXPECT_EQ(Game().Boards[0], start);
    EXPECT_EQ(Panel(1).toStdString(), "Yellow 2 : Green 2");
    // Nothing before the start: no change at all.
    Item("ListMenuUndoMove")->trigger();
    EXPECT_EQ(Panel(2), QStringLiteral("Move 0/%1").arg(count));
    EXPECT_TRUE(StepControlsOn());

    for (int i = 1; i <= count; ++i) {
        Item("ListMenuRedoMove")->trigger();
        EXPECT_EQ(Panel(2), QStringLiteral("Move %1/%2").arg(i).arg(count));
        // Where the other colour had to pass, the mover is to move again.
        if (i < count) {
            EXPECT_EQ(Panel(0), moverText(game.movers[static_cast<std::size_t>(i)]))
                << "after move " << i;
        }
    }
    EXPECT_EQ(Panel(0).toStdString(), "Game over");
    EXPECT_EQ(Panel(1), finalScore);
    EXPECT_TRUE(Game().GameOver);
    EXPECT_FALSE(ContinueButtonsOn()) << "the last position is no browsing";
    // Continuing from here does nothing.
    Button("SpeedButtonFromThis")->click();
    EXPECT_EQ(Game().Tracker->count(), count);
    EXPECT_TRUE(w->messages->questions.isEmpty());
}

TEST_F(BrowseWindowTest, AFullMoveListShowsItsEndLineWhole) {
    for (const int n : {8, 10}) {
        SCOPED_TRACE(n);
        w.reset();  // one window at a time: each has the one game
        w = std::make_unique<PlayingWindow>(GameSetup{.boardSize = n});
        Game().VsComputer = false;
        const test::RandomGame game = test::PlayRandomGame(Game().Boards[0], n, 5);
        QListWidget* list = List();
        const auto endLine = [list] {
            const QRect end = list->visualItemRect(list->item(list->count() - 1));
            return std::to_string(end.top()) + ".." + std::to_string(end.bottom()) + " of " +
                   std::to_string(list->viewport()->height());
        };
        const auto endLineWhole = [list] {
            QCoreApplication::processEvents();
            const QRect end = list->visualItemRect(list->item(list->count() - 1));
            return end.top() >= 0 && end.bottom() < list->viewport()->height();
        };
        int cut = 0;
        for (const int s : game.squares) {
            w->ClickSquare(SquareColumn(s, n), SquareRow(s, n));
            if (!endLineWhole() && ++cut == 1)
                ADD_FAILURE() << "after move " << Game().Tracker->count() << ": " << endLine();
        }
        ASSERT_TRUE(Game().GameOver);
        ASSERT_GT(list->count(), 40) << "the list does not fill its panel";
        EXPECT_TRUE(endLineWhole()) << "after the game: " << endLine();
        // Scrolled up and down again by its scroll bar, it ends the same.
        list->verticalScrollBar()->setValue(0);
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        EXPECT_TRUE(endLineWhole()) << "at the scroll bar's end: " << endLine();
        // Hidden and shown again.
        Item("ShowMoves1")->trigger();
        Item("ShowMoves1")->trigger();
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        EXPECT_TRUE(endLineWhole()) << "shown again: " << endLine();
        // The lines fill the viewport whole; the space left below them is in
        // the list's colour.
        EXPECT_EQ(list->viewport()->height() % 16, 0) << endLine();
        const QImage seen = list->grab().toImage();
        const int below = list->viewport()->geometry().bottom() + 1;
        if (below < list->height() - list->frameWidth()) {
            EXPECT_EQ(seen.pixelColor(20, below), list->palette().color(QPalette::Base))
                << "the space below the lines";
        }
    }
}

TEST_F(BrowseWindowTest, ContinuingAgainstTheComputerAsksOnce) {
    w = std::make_unique<PlayingWindow>(GameSetup{});
    auto& g = Game();
    // The player (yellow) and the computer play three moves each.
    for (int i = 0; i < 3; ++i) {
        const auto legal = w->LegalSquares();
        ASSERT_FALSE(legal.empty());
        w->ClickSquare(legal.front().first, legal.front().second);
    }
    ASSERT_EQ(g.Tracker->count(), 6);
    ASSERT_TRUE(StepControlsOn()) << "on again once the computer has answered";

    // Declined: the last position is back, nothing is dropped, still counted.
    Item("ListMenuUndoMove")->trigger();
    Item("ListMenuUndoMove")->trigger();
    EXPECT_EQ(Panel(2).toStdString(), "Move 4/6");
    w->messages->answer = false;
    Button("SpeedButtonFromThis")->click();
    ASSERT_EQ(w->messages->questions.size(), 1);
    EXPECT_EQ(w->messages->questions[0].toStdString(),
              "Looks like you would like to Undo some moves.\nThe game becomes practice (no "
              "statistics recording)!\nDo you really want Undo?");
    EXPECT_EQ(w->messages->informed,
              QStringList{QStringLiteral("Ok. The game now continues from last position.")});
    EXPECT_FALSE(g.PracticeGame);
    EXPECT_FALSE(ContinueButtonsOn());
    EXPECT_EQ(Panel(2).toStdString(), "Move 6/6");
    EXPECT_EQ(g.Tracker->count(), 6);

    // Yes: practice, the later moves dropped; the player is to move and the
    // computer waits.
    Item("ListMenuUndoMove")->trigger();
    Item("ListMenuUndoMove")->trigger();
    w->messages->answer = true;
    Button("SpeedButtonFromThis")->click();
    EXPECT_TRUE(g.PracticeGame);
    EXPECT_FALSE(ContinueButtonsOn());
    EXPECT_EQ(g.Tracker->count(), 4);
    EXPECT_EQ(List()->count(), 5) << "four moves and the end line";
    EXPECT_EQ(Panel(2).toStdString(), "Move 4/4");
    EXPECT_EQ(g.SideToMove, CellWhite);
    EXPECT_TRUE(StepControlsOn());

    // From a position where the computer is to move it answers at once, and
    // a practice game asks no more.
    Item("ListMenuUndoMove")->trigger();
    ASSERT_EQ(g.SideToMove, CellBlack);
    Button("SpeedButtonFromThis")->click();
    w->Settle();
    EXPECT_EQ(w->messages->questions.size(), 2) << "asked for the No and the Yes only";
    EXPECT_EQ(g.Tracker->count(), 4) << "three kept and the computer's new answer";
    EXPECT_EQ(g.Tracker->moves()[3].who, CellBlack);
    EXPECT_EQ(g.SideToMove, CellWhite);
    EXPECT_TRUE(StepControlsOn());
}

TEST_F(BrowseWindowTest, TheHistoryChoiceOnABoardClick) {
    StartTwoPeople();
    const test::RandomGame game = test::PlayRandomGame(Game().Boards[0], 8, 21);
    PlayByClicks(std::vector<int>(game.squares.begin(), game.squares.begin() + 8));
    auto& g = Game();

    // Keep browsing: nothing changes.
    Item("ListMenuUndoMove")->trigger();
    Item("ListMenuUndoMove")->trigger();
    const auto [x, y] = w->LegalSquares().front();
    w->messages->choice = TChoiceAnswer::ReturnToHistory;
    w->ClickSquare(x, y);
    EXPECT_EQ(w->messages->choicesAsked, 1);
    EXPECT_TRUE(w->form->Browsing());
    EXPECT_EQ(g.Tracker->current(), 6);
    EXPECT_EQ(g.Tracker->count(), 8);

    // From the last position: back to move 8, no move played.
    w->messages->choice = TChoiceAnswer::ContinueFromLastPosition;
    w->ClickSquare(x, y);
    EXPECT_EQ(w->messages->choicesAsked, 2);
    EXPECT_FALSE(w->form->Browsing());
    EXPECT_EQ(g.Tracker->current(), 8);
    EXPECT_EQ(g.Tracker->count(), 8);
    EXPECT_EQ(Panel(2).toStdString(), "Move 8/8");

    // From this position: two people are never asked; the later moves go.
    Item("ListMenuUndoMove")->trigger();
    Item("ListMenuUndoMove")->trigger();
    Item("ListMenuUndoMove")->trigger();
    w->messages->choice = TChoiceAnswer::ContinueFromThisPosition;
    w->ClickSquare(x, y);
    EXPECT_EQ(w->messages->choicesAsked, 3);
    EXPECT_TRUE(w->messages->questions.isEmpty());
    EXPECT_FALSE(w->form->Browsing());
    EXPECT_EQ(g.Tracker->count(), 5);
    EXPECT_EQ(Panel(2).toStdString(), "Move 5/5");
    // Now a click plays again.
    const auto legal = w->LegalSquares().front();
    w->ClickSquare(legal.first, legal.second);
    EXPECT_EQ(w->messages->choicesAsked, 3);
    EXPECT_EQ(g.Tracker->count(), 6);
}

TEST_F(BrowseWindowTest, ClickingAndDraggingInTheMoveList) {
    StartTwoPeople();
    const test::RandomGame game = test::PlayRandomGame(Game().Boards[0], 8, 4);
    PlayByClicks(std::vector<int>(game.squares.begin(), game.squares.begin() + 12));
    auto& g = Game();
    ASSERT_EQ(List()->count(), 13);
    ASSERT_EQ(List()->verticalScrollBar()->value(), 0) << "the whole list fits";

    // The line of move 5: the position before it, that line highlighted.
    ClickLine(4);
    EXPECT_EQ(g.Tracker->current(), 4);
    EXPECT_EQ(g.Boards[0], g.Tracker->moves()[4].board);
    EXPECT_EQ(Panel(2).toStdString(), "Move 4/12");
    EXPECT_TRUE(ContinueButtonsOn());
    EXPECT_EQ(List()->currentRow(), 4);

    // Below the end line nothing happens.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 13 * 16 + 40));
    EXPECT_EQ(g.Tracker->current(), 4);

    // Dragging with the left button jumps line by line.
    QTest::mousePress(List()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 2 * 16 + 8));
    EXPECT_EQ(g.Tracker->current(), 2);
    MoveOverList(QPoint(20, 6 * 16 + 8), Qt::LeftButton);
    EXPECT_EQ(g.Tracker->current(), 6);
    EXPECT_EQ(List()->viewport()->cursor().shape(), Qt::PointingHandCursor);
    // With another button too, moving only changes the cursor.
    MoveOverList(QPoint(20, 9 * 16 + 8), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(g.Tracker->current(), 6);
    QTest::mouseRelease(List()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 9 * 16 + 8));
    MoveOverList(QPoint(20, 20 * 16), Qt::NoButton);
    EXPECT_EQ(List()->viewport()->cursor().shape(), Qt::ArrowCursor);

    // The end line: back to the last position, browsing over.
    ClickLine(12);
    EXPECT_EQ(g.Tracker->current(), 12);
    EXPECT_FALSE(ContinueButtonsOn());
    EXPECT_EQ(Panel(2).toStdString(), "Move 12/12");
    // Clicking it again (not browsing, highlighted) does nothing.
    ClickLine(12);
    EXPECT_EQ(g.Tracker->current(), 12);
}

TEST_F(BrowseWindowTest, TheMoveListScrollsNearItsEdgesAndRefusesWhileStepsAreOff) {
    StartTwoPeople();
    const test::RandomGame game = test::PlayRandomGame(Game().Boards[0], 8, 8);
    ASSERT_GE(game.squares.size(), 50U);
    PlayByClicks(std::vector<int>(game.squares.begin(), game.squares.begin() + 50));
    auto& g = Game();
    QScrollBar* scroll = List()->verticalScrollBar();
    const int visible = List()->viewport()->height() / 16;
    ASSERT_LT(visible, 51) << "the list must be longer than its window";
    const int bottom = scroll->value();
    ASSERT_GT(bottom, 0) << "the list shows its end";

    // The first visible line: the jump, then one line up.
    ClickLine(bottom);
    EXPECT_EQ(g.Tracker->current(), bottom);
    EXPECT_EQ(scroll->value(), bottom - 1);
    // The last whole visible line: the jump, then one line down.
    const int lowLine = scroll->value() + visible - 1;
    ClickLine(lowLine);
    EXPECT_EQ(g.Tracker->current(), lowLine);
    EXPECT_EQ(scroll->value(), bottom);

    // With the step controls off (a new game) the lines refuse the pointer.
    w->form->NewGameItemClick();
    ASSERT_FALSE(StepControlsOn());
    MoveOverList(QPoint(20, 8), Qt::NoButton);
    EXPECT_EQ(List()->viewport()->cursor().shape(), Qt::ForbiddenCursor);
}

TEST_F(BrowseWindowTest, HeldStepButtonsRepeatAndAShortPressStepsOnce) {
    StartTwoPeople();
    const test::RandomGame game = test::PlayRandomGame(Game().Boards[0], 8, 2);
    PlayByClicks(std::vector<int>(game.squares.begin(), game.squares.begin() + 40));
    auto& g = Game();
    QToolButton* undo = Button("SpeedButtonUndo");
    QToolButton* redo = Button("SpeedButtonRedo");

    QTest::mousePress(undo, Qt::LeftButton);
    EXPECT_EQ(g.Tracker->current(), 40) << "no step on the press";
    QTest::mouseRelease(undo, Qt::LeftButton);
    EXPECT_EQ(g.Tracker->current(), 39);

    // Held: steps come after the first delay, one per repeat tick, and none
    // on the release. The right button repeats too.
    QTest::mousePress(undo, Qt::RightButton);
    ASSERT_TRUE(test::WaitUntil([&] { return g.Tracker->current() <= 33; }, 10000))
        << "the held Undo button never repeated";
    QTest::mouseRelease(undo, Qt::RightButton);
    const int afterHold = g.Tracker->current();
    ASSERT_TRUE(test::FreshTimerTicked(40)) << "no barrier timer ticked";
    EXPECT_EQ(g.Tracker->current(), afterHold);
    EXPECT_EQ(Panel(2), QStringLiteral("Move %1/40").arg(afterHold));

    QTest::mousePress(redo, Qt::LeftButton);
    QTest::mouseRelease(redo, Qt::LeftButton);
    EXPECT_EQ(g.Tracker->current(), afterHold + 1);
    EXPECT_TRUE(g.Tracker->count() == 40 && w->form->Browsing());
}

TEST_F(BrowseWindowTest, APressHeldWhileABoxOpensEndsWithoutAStep) {
    struct Case {
        const char* box;
        // Opens the box over the window, as the game does.
        std::function<void(TReversiForm&)> open;
    };
    const Case cases[] = {
        // The last move's result box (and a pass box) open modally over the
        // whole program while the game waits.
        {"result",
         [](TReversiForm& form) {
             TModalGameMessages().ShowFinal(&form, QStringLiteral("Tie up"), {});
         }},
        // The network's boxes block the window only, and the game goes on.
        {"window box",
         [](TReversiForm& form) {
             auto* box =
                 new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Zorel Reversi"),
                                 QStringLiteral("NETWORK: a message"), QMessageBox::Ok, &form);
             box->setAttribute(Qt::WA_DeleteOnClose);
             box->open();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        StartTwoPeople();
        const test::RandomGame game = test::PlayRandomGame(Game().Boards[0], 8, 3);
        PlayByClicks(std::vector<int>(game.squares.begin(), game.squares.begin() + 20));
        auto& g = Game();
        QToolButton* undo = Button("SpeedButtonUndo");
        ASSERT_TRUE(undo->isEnabled());

        QElapsedTimer held;
        held.start();
        QTest::mousePress(undo, Qt::LeftButton);
        ASSERT_TRUE(undo->isDown());
        // The box opens while the button is down, before the first repeat.
        QTimer::singleShot(100, w->form.get(), [&] { c.open(*w->form); });
        bool checked = false;
        test::ModalAnswer answer(
            [&](QWidget* modal) {
                // Kept open past the time the held button would repeat.
                if (held.elapsed() < 900) return false;
                checked = true;
                EXPECT_FALSE(undo->isDown()) << "the button is drawn pressed under the box";
                EXPECT_EQ(g.Tracker->current(), 20) << "stepped under the box";
                modal->close();
                return true;
            },
            10000);
        ASSERT_TRUE(test::WaitUntil([&] { return answer.Answered(); }, 12000));
        EXPECT_TRUE(checked);
        // The release that went to the box comes late, or never: no step.
        QTest::mouseRelease(undo, Qt::LeftButton);
        EXPECT_EQ(g.Tracker->current(), 20);
        EXPECT_FALSE(undo->isDown());
        // A new short press steps once, as ever.
        QTest::mousePress(undo, Qt::LeftButton);
        QTest::mouseRelease(undo, Qt::LeftButton);
        EXPECT_EQ(g.Tracker->current(), 19);
        w.reset();
    }
}

TEST_F(BrowseWindowTest, NoStepWhileTheComputerSearches) {
    w = std::make_unique<PlayingWindow>(GameSetup{});
    auto& g = Game();
    for (int i = 0; i < 2; ++i) {
        const auto legal = w->LegalSquares();
        w->ClickSquare(legal.front().first, legal.front().second);
    }
    ASSERT_EQ(g.Tracker->count(), 4);
    ASSERT_TRUE(StepControlsOn());
    // A long search for the hint; meanwhile the player tries every way back.
    g.Depth = 9;
    bool checked = false;
    QTimer::singleShot(0, w->form.get(), [&] {
        if (!g.ThreadRunning) return;  // the search ended early: nothing to check
        checked = true;
        EXPECT_FALSE(StepControlsOn()) << "the controls are off during the search";
        Item("ListMenuUndoMove")->trigger();
        ClickLine(1);
        QTest::mousePress(Button("SpeedButtonUndo"), Qt::LeftButton);
        QTest::mouseRelease(Button("SpeedButtonUndo"), Qt::LeftButton);
        EXPECT_EQ(g.Tracker->current(), 4);
        EXPECT_FALSE(w->form->Browsing());
        MoveOverList(QPoint(20, 8), Qt::NoButton);
        EXPECT_EQ(List()->viewport()->cursor().shape(), Qt::ForbiddenCursor);
        w->form->close();  // stops the search
    });
    w->form->HintItemClick();
    w->Settle();
    EXPECT_TRUE(checked) << "the search was over before the window handled an event";
    EXPECT_EQ(g.Tracker->current(), 4);
}

TEST_F(BrowseWindowTest, HidingTheMoveListNarrowsTheWindowAroundTheBoard) {
    StartTwoPeople();
    TReversiForm& form = *w->form;
    form.move(200, 150);
    QCoreApplication::processEvents();
    const QPoint centre = form.frameGeometry().center();
    const int area = form.BoardAreaSize();
    const int listWidth = form.MovesListPanelWidth();
    ASSERT_EQ(form.centralWidget()->width(), area + listWidth);

    Item("ShowMoves1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Item("ShowMoves1")->isChecked());
    EXPECT_EQ(form.MovesListWidth(), 0);
    EXPECT_EQ(form.centralWidget()->width(), area);
    EXPECT_EQ(form.centralWidget()->height(), area);
    EXPECT_FALSE(Child<QWidget>(form, "MovesListPanel")->isVisible());
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);

    Item("ShowMoves1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Item("ShowMoves1")->isChecked());
    EXPECT_EQ(form.MovesListWidth(), listWidth);
    EXPECT_EQ(form.centralWidget()->width(), area + listWidth);
    EXPECT_TRUE(Child<QWidget>(form, "MovesListPanel")->isVisible());
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(BrowseWindowTest, APressReleasedElsewhereIsNoClick) {
    StartTwoPeople();
    QWidget* board = w->form->BoardWidget();
    const QPoint e6 = w->form->SquareCentre(4, 2);  // legal for yellow
    QTest::mouseMove(board, e6);
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, e6);
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, w->form->SquareCentre(0, 0));
    EXPECT_EQ(Game().Tracker->count(), 0) << "released on another square";
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, e6);
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(board->width() + 30, e6.y()));
    EXPECT_EQ(Game().Tracker->count(), 0) << "released outside the board";
    w->ClickSquare(4, 2);
    EXPECT_EQ(Game().Tracker->count(), 1);
}

TEST(ModalBrowseMessages, TheChoiceOpensCentredAndAnswersItsButton) {
    QWidget owner;
    owner.setGeometry(100, 100, 700, 560);
    owner.show();
    TModalGameMessages messages;
    QRect shownAt;
    auto answer = test::ModalAnswer::For<TChoiceDlg>(
        [&](TChoiceDlg* dialog) {
            shownAt = dialog->frameGeometry();
            dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        },
        "the history choice");
    EXPECT_EQ(messages.AskHistoryChoice(&owner), TChoiceAnswer::ContinueFromThisPosition);
    // Centred by the outer frames, decoration included.
    const QRect frame = owner.frameGeometry();
    EXPECT_EQ(shownAt.topLeft(), QPoint(frame.x() + (frame.width() - shownAt.width()) / 2,
                                        frame.y() + (frame.height() - shownAt.height()) / 2));
    EXPECT_EQ(shownAt.size() - QSize(281, 145), frame.size() - owner.size())
        << "the same decoration as its owner";
}

TEST(ModalBrowseMessages, ThePlainMessageHasNoIconAndOneButton) {
    TModalGameMessages messages;
    QString text;
    auto answer = test::ModalAnswer::For<QMessageBox>(
        [&](QMessageBox* box) {
            text = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        },
        "the plain message");
    messages.Inform(nullptr, ContinuesFromLastPositionMessage());
    EXPECT_EQ(text.toStdString(), "Ok. The game now continues from last position.");
}

}  // namespace
}  // namespace reversi
