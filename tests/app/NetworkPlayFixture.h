// The raw peer of the network play tests and their fixture: a real window
// whose session listens on 127.0.0.1, and the other end of the link as a
// plain socket that speaks the wire format byte for byte and keeps its own
// board, moved by the engine's rules only.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "MatchRecord.h"
#include "NetMessage.h"
#include "NetworkSession.h"
#include "FieldRules.h"
#include "PlayTestSupport.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi::nettest {

using test::Child;
using test::WaitUntil;

inline constexpr int Wait = 5000;
inline const QString Title = QStringLiteral("Zorel Reversi 4.00");

// The other end of the link: a plain socket and a board of its own, moved by
// the engine's rules only.
class RawPeer {
public:
    QTcpSocket socket;
    tBoard board{};
    int n = 8;
    int toMove = CellWhite;

    void Send(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }
    QByteArray Read(qsizetype count) {
        QByteArray got;
        const bool ok = WaitUntil(
            [&] {
                got += socket.read(count - got.size());
                return got.size() >= count;
            },
            Wait);
        EXPECT_TRUE(ok) << "expected " << count << " bytes from the window, got \""
                        << got.toStdString() << "\"";
        return got;
    }
    // The barrier of a check that nothing happened: a board request, whose
    // answer comes only once the window has handled every byte sent before
    // it (it handles the peer's messages in order). Anything the window sent
    // meanwhile comes before the answer and fails the check.
    void Barrier() {
        Send("F");
        const QByteArray answer = Read(1 + qsizetype(n) * n);
        EXPECT_TRUE(answer.startsWith('D'))
            << "the window sent something before the board: \"" << answer.toStdString() << "\"";
    }
    // The window sends nothing.
    void ExpectSilence() { Barrier(); }

    // Plays (x, y) for the side to move on the peer's board, passing as the
    // rules say.
    void Play(int x, int y) {
        const int me = toMove, opp = 5 - me;
        const int s = SquareIndex(x, y, n);
        ASSERT_TRUE(test::CanMoveOn(n, board, s, me, opp)) << "not legal on the peer's board";
        test::PlayOn(n, board, s, me, opp);
        if (HasMove(opp)) toMove = opp;
    }
    bool HasMove(int side) const {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (test::CanMoveOn(n, board, SquareIndex(x, y, n), side, 5 - side)) return true;
        return false;
    }
    std::pair<int, int> FirstLegal() const {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (test::CanMoveOn(n, board, SquareIndex(x, y, n), toMove, 5 - toMove))
                    return {x, y};
        return {-1, -1};
    }
    QByteArray Text() const {
        QByteArray text;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const int c = board[SquareIndex(x, y, n)];
                text += c == CellWhite ? 'w' : c == CellBlack ? 'b' : '+';
            }
        return text;
    }
};

// The name the window's call request carries: this computer's, cut to its
// longest, one byte a character.
inline QByteArray WindowCallerName() {
    return EncodeNetText(QSysInfo::machineHostName().left(MaxComputerName));
}

inline QByteArray MoveBytes(int x, int y) {
    return QByteArray("M") + char('0' + x) + char('0' + y);
}

// The visible message box of the window with this text, if any.
inline QMessageBox* MessageBoxWith(const QWidget& form, const QString& text) {
    for (QMessageBox* box : form.findChildren<QMessageBox*>())
        if (box->isVisible() && box->text() == text) return box;
    return nullptr;
}

// A listener that hands the connection it accepts to the raw peer's socket.
class AdoptingServer : public QTcpServer {
public:
    explicit AdoptingServer(QTcpSocket& socket) : socket_(socket) {}
    bool Adopted() const { return adopted_; }

protected:
    void incomingConnection(qintptr descriptor) override {
        adopted_ = socket_.setSocketDescriptor(descriptor);
    }

private:
    QTcpSocket& socket_;
    bool adopted_ = false;
};

// A move of a scripted game: the square and the side that plays it.
struct ScriptMove {
    int x, y, side;
};

// The game that takes the first legal square every time, from the start
// position to its end, passes included.
inline std::vector<ScriptMove> FirstSquareGame(const tBoard& start, int n) {
    RawPeer model;
    model.board = start;
    model.n = n;
    std::vector<ScriptMove> moves;
    while (true) {
        const auto [x, y] = model.FirstLegal();
        if (x < 0) break;
        moves.push_back({x, y, model.toMove});
        model.Play(x, y);
    }
    return moves;
}

// C4 C3 F5 B4 A4 A5 C2 A3 on 8 x 8: then white has no move and passes, and
// black plays F4.
inline const std::vector<std::pair<int, int>> PassOpening = {{2, 4}, {2, 5}, {5, 3}, {1, 4},
                                                             {0, 4}, {0, 3}, {2, 6}, {0, 5}};
constexpr std::pair<int, int> AfterThePass = {5, 4};

// The squares of FirstSquareGame from the start position, and whether white
// plays its last move.
struct WholeGameScript {
    std::vector<std::pair<int, int>> squares;
    bool lastByWhite = false;
};
inline WholeGameScript FirstSquareScript(const tBoard& start, int n) {
    WholeGameScript script;
    const std::vector<ScriptMove> game = FirstSquareGame(start, n);
    for (const ScriptMove& m : game) script.squares.emplace_back(m.x, m.y);
    if (!game.empty()) script.lastByWhite = game.back().side == CellWhite;
    return script;
}

class NetworkPlayTest : public testing::Test {
protected:
    void SetUp() override {
        test::GameSetup setup;  // a local game against the computer, which plays black
        window_ = std::make_unique<test::PlayingWindow>(setup);
        form_ = window_->form.get();
        NetworkSession& session = form_->NetSession();
        session.SetListenAddress(QHostAddress(QHostAddress::LocalHost));
        session.SetPort(0, {});
        session.SetTextSettleTime(30);
        session.SetLingerTime(2000);
        ASSERT_TRUE(session.StartListening()) << "the window's session cannot listen";
        QObject::connect(form_, &TReversiForm::gameResultRecorded,
                         [this](PlayerResult) { ++resultsRecorded_; });
    }

    // The peer calls with request "B" + colour + size + name; the window's
    // player says yes; the game starts on "G".
    void CallAndAccept(const QByteArray& request) {
        peer_.socket.connectToHost(QHostAddress(QHostAddress::LocalHost),
                                   form_->NetSession().ListeningPort());
        ASSERT_TRUE(peer_.socket.waitForConnected(Wait)) << "the peer did not connect";
        peer_.Send(request);
        auto* req = Child<TCallReq>(*form_, "CallReq");
        ASSERT_TRUE(WaitUntil([&] { return req->isVisible(); })) << "no call request dialog";
        req->YesButton()->click();
        ASSERT_EQ(peer_.Read(1), "Y");
        peer_.Send("G");
        ASSERT_TRUE(WaitUntil([this] { return Game().NetworkGame; })) << "no network game on G";
        peer_.n = Game().BoardSize;
        peer_.board = Game().Boards[0];
        peer_.toMove = CellWhite;
    }

    // The window calls the raw peer, which listens and accepts; the window
    // plays white or black on 8 x 8 as asked.
    void CallOutAndStart(bool windowWhite) {
        NetworkSession& session = form_->NetSession();
        // Listening stays off, so that nothing else wants the peer's port.
        session.StopListening();
        AdoptingServer listener(peer_.socket);
        ASSERT_TRUE(listener.listen(QHostAddress(QHostAddress::LocalHost), 0));
        session.SetPort(listener.serverPort(), {});
        Child<QAction>(*form_, "NetMenuConnect")->trigger();
        auto* call = Child<TCallDlg>(*form_, "CallDlg");
        ASSERT_TRUE(call->isVisible()) << "no call dialog";
        call->SetChoices(windowWhite, true);
        call->SetAddress(QStringLiteral("127.0.0.1"));
        call->CallButton()->click();
        ASSERT_TRUE(WaitUntil([&] { return listener.Adopted(); })) << "the call did not arrive";
        ASSERT_EQ(peer_.Read(3), windowWhite ? "BW8" : "BB8");
        const QByteArray name = WindowCallerName();
        ASSERT_EQ(peer_.Read(name.size()), name) << "the caller's name";
        peer_.Send("Y");
        ASSERT_EQ(peer_.Read(1), "G");
        ASSERT_TRUE(WaitUntil([this] { return Game().NetworkGame; })) << "no network game on Y";
        peer_.n = Game().BoardSize;
        peer_.board = Game().Boards[0];
        peer_.toMove = CellWhite;
    }

    // A network game on 8 x 8 in which the window plays white or black; the
    // window is the called or the calling side.
    void StartGame(bool windowCalls, bool windowWhite) {
        if (windowCalls) {
            CallOutAndStart(windowWhite);
        } else {
            CallAndAccept(windowWhite ? "BB8PEER" : "BW8PEER");
        }
    }

    // The peer plays its first legal move and the window takes it.
    void PeerMoves() {
        const auto [x, y] = peer_.FirstLegal();
        ASSERT_GE(x, 0) << "the peer has no move";
        const int before = Game().Tracker->count();
        peer_.Send(MoveBytes(x, y));
        peer_.Play(x, y);
        ASSERT_TRUE(WaitUntil([&] { return Game().Tracker->count() == before + 1; }))
            << "the window did not play the peer's move";
        EXPECT_EQ(Game().Boards[0], peer_.board) << "boards differ after the peer's move";
    }

    // The window's player clicks the first legal square; the peer reads it.
    void LocalMoves() {
        const auto squares = window_->LegalSquares();
        ASSERT_FALSE(squares.empty());
        const auto [x, y] = squares.front();
        window_->ClickSquare(x, y);
        ASSERT_EQ(peer_.Read(3), MoveBytes(x, y));
        peer_.Play(x, y);
        EXPECT_EQ(Game().Boards[0], peer_.board) << "boards differ after the local move";
    }

    bool LocalToMove() const { return Game().SideToMove == Game().ComputerSide; }

    // Plays the squares in order, each by the side to move: the window's
    // player by a click, the peer by its message.
    void PlayScript(const std::vector<std::pair<int, int>>& squares) {
        for (const auto& [x, y] : squares) {
            const int before = Game().Tracker->count();
            if (LocalToMove()) {
                window_->ClickSquare(x, y);
                ASSERT_EQ(peer_.Read(3), MoveBytes(x, y));
                peer_.Play(x, y);
            } else {
                peer_.Send(MoveBytes(x, y));
                peer_.Play(x, y);
                ASSERT_TRUE(WaitUntil([&] { return Game().Tracker->count() == before + 1; }))
                    << "the window did not play the peer's move " << x << "," << y;
            }
            ASSERT_EQ(Game().Boards[0], peer_.board) << "boards differ after " << x << "," << y;
        }
    }

    // Starts a game and plays all but the last move of a script: the pass
    // opening (its last move, black's, leaves white to pass) or a whole
    // first-square game (its last move ends it). The window's player or the
    // peer is the one to play the last move, as asked. `played` gets the
    // game's start position and that last move.
    struct Played {
        tBoard start{};
        std::pair<int, int> last;
    };
    void PlayAllButTheLastMove(bool wholeGame, bool windowCalls, bool windowPlaysLast,
                               Played& played) {
        WholeGameScript script{PassOpening, false};
        if (wholeGame) script = FirstSquareScript(Game().Boards[0], 8);
        ASSERT_FALSE(script.squares.empty());
        ASSERT_NO_FATAL_FAILURE(StartGame(windowCalls, script.lastByWhite == windowPlaysLast));
        played.start = Game().Boards[0];
        played.last = script.squares.back();
        script.squares.pop_back();
        ASSERT_NO_FATAL_FAILURE(PlayScript(script.squares));
        ASSERT_EQ(LocalToMove(), windowPlaysLast) << "the script's last move is the other side's";
    }

    // The next pass or result window of the turn loop is a real modal box:
    // while it is up the peer sends `late`; it closes 300 ms later (time
    // enough on the loopback for the bytes to reach the window).
    // Afterwards lateHandledInside_ tells whether the window took the bytes
    // while the box was up, and boxShown_ that it opened.
    void ArmModalBox(const QByteArray& late, const std::function<void()>& whileOpen = {}) {
        boxShown_ = false;
        window_->messages->onFinal = [this, late, whileOpen] {
            if (boxShown_) return;
            boxShown_ = true;
            QMessageBox box(QMessageBox::NoIcon, Title, QStringLiteral("the turn loop's box"),
                            QMessageBox::Ok, form_);
            QTimer::singleShot(0, &box, [this, late, whileOpen] {
                if (!late.isEmpty()) peer_.Send(late);
                if (whileOpen) whileOpen();
            });
            QTimer::singleShot(300, &box, [this, &box] {
                stateWhileOpen_ = StateNow();
                box.done(QMessageBox::Ok);
            });
            box.exec();
        };
    }

    // What the window has taken from the peer so far, in one text.
    QString StateNow() const {
        auto* chat = Child<TSendDlg>(*form_, "SendDlg");
        return QStringLiteral("moves %1 over %2 log %3")
            .arg(Game().Tracker->count())
            .arg(Game().GameOver)
            .arg(chat->LogLines().join(QLatin1Char('|')));
    }

    // The board the window answers to "F" is the peer's own.
    void ExpectBoardReadBackEqualsPeers() {
        peer_.Send("F");
        EXPECT_EQ(peer_.Read(1 + peer_.n * peer_.n), "D" + peer_.Text());
    }

    bool boxShown_ = false;
    QString stateWhileOpen_;

    // The game on the window's board.
    GameState& Game() const { return window_->Game(); }

    std::unique_ptr<test::PlayingWindow> window_;
    TReversiForm* form_ = nullptr;
    RawPeer peer_;
    int resultsRecorded_ = 0;
};

}  // namespace reversi::nettest
