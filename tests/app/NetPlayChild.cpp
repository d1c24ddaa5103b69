#include "NetPlayChild.h"

#include <cstdio>
#include <cstdlib>
#include <random>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "EngineUnit.h"
#include "GameStateAccess.h"
#include "MainWindow.h"
#include "MatchRecord.h"
#include "NetworkSession.h"
#include "ReversiApplication.h"
#include "ReversiMain.h"

namespace reversi::test {

namespace {

// The game on the child's window.
const GameState& GameOf(const TReversiForm& form) { return GameStateAccess::Of(form.Controller()); }

void Report(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

// What one copy has seen, told to the other beside the link: an empty file
// "<role>-<event>" in a folder both see. Where the driver needs the peer to
// have got somewhere, it waits for the peer's mark, never for a time that
// only a quiet machine keeps.
class Marks {
public:
    Marks(QString folder, bool listener) : folder_(std::move(folder)), listener_(listener) {}

    void Set(const QString& event) const {
        QFile file(Path(listener_, event));
        if (!file.open(QIODevice::WriteOnly)) Report(QStringLiteral("NO MARK %1").arg(event));
    }
    bool PeerSet(const QString& event) const { return QFile::exists(Path(!listener_, event)); }

private:
    QString Path(bool listener, const QString& event) const {
        return QDir(folder_).filePath(
            (listener ? QStringLiteral("listen-") : QStringLiteral("call-")) + event);
    }

    QString folder_;
    bool listener_;
};

// Longer than any wait a loaded machine makes, short enough that a copy that
// never gets there fails the test well before its deadline.
constexpr qint64 PeerWaitMs = 30000;

// Looks at the program every 10 ms and does what its player would.
class Driver {
public:
    Driver(bool listener, QString shots, QString marks)
        : listener_(listener),
          random_(listener ? 7 : 11),
          shots_(std::move(shots)),
          marks_(std::move(marks), listener) {}

    void Tick() {
        TReversiForm* form = FindForm();
        if (form == nullptr || closing_) return;
        if (!begun_) {
            begun_ = true;
            // Side by side on the screen when it is photographed.
            if (!shots_.isEmpty()) form->move(listener_ ? 0 : 760, 60);
            if (listener_) {
                // Only the loopback address, then "Allow call" as a player would.
                form->NetSession().SetListenAddress(QHostAddress(QHostAddress::LocalHost));
                form->findChild<QAction*>(QStringLiteral("NetMenuListing"))->trigger();
                Report(form->NetSession().IsListening() ? QStringLiteral("LISTENING")
                                                        : QStringLiteral("NOT LISTENING"));
            }
        }
        ReportBoards(*form);
        if (AnswerModal(*form)) return;
        const auto& g = GameOf(*form);
        if (g.NetworkGame && !g.GameOver && started_ <= finished_) {
            // The next game is on here; the side that chose "New" waits for
            // this before it plays.
            started_ = finished_ + 1;
            if (started_ > 1) {
                Report(QStringLiteral("STARTED %1").arg(started_));
                marks_.Set(QStringLiteral("started%1").arg(started_));
            }
        }
        if (g.NetworkGame && !inGame_) {
            inGame_ = true;
            // With screenshots wanted, the caller says hello before the first move.
            if (!shots_.isEmpty() && !listener_)
                form->findChild<QAction*>(QStringLiteral("NetMenuSendMessage"))->trigger();
            if (!shots_.isEmpty()) return;
        }
        if (inGame_ && !g.NetworkGame) {
            Report(QStringLiteral("LINK ENDED"));
            Close(*form);
            return;
        }
        if (restartPending_) {
            // "New" while the peer's result box is still open: its "R"
            // arrives while the peer is inside the handling of our last move.
            restartPending_ = false;
            form->findChild<QAction*>(QStringLiteral("NewGameItem"))->trigger();
            Report(QStringLiteral("NEW"));
            marks_.Set(QStringLiteral("new%1").arg(finished_ + 1));
            // The peer must take the "R" without a move of ours to wake it:
            // none goes out before the peer has started the game.
            peerStartPending_ = true;
            return;
        }
        if (inGame_ && g.GameOver) {
            // The last game ends once the peer has seen its end too: the
            // last move has reached it.
            if (finished_ >= Games) {
                if (marks_.PeerSet(QStringLiteral("over%1").arg(Games))) Close(*form);
                return;
            }
            // The peer's "New" is on its way, or was sent while our result
            // box was up; it must be handled without anything more.
            if (!overSince_.isValid()) overSince_.start();
            if (overSince_.elapsed() > PeerWaitMs) {
                Report(QStringLiteral("STUCK on the finished game"));
                Close(*form);
            }
            return;
        }
        overSince_.invalidate();
        if (peerStartPending_) {
            if (!marks_.PeerSet(QStringLiteral("started%1").arg(finished_ + 1))) return;
            peerStartPending_ = false;
        }
        if (sinceChat_.isValid() && sinceChat_.elapsed() < 1000) return;
        if (g.NetworkGame && !g.GameOver && IsPlayersTurn(g) && !g.ThreadRunning) Play(*form);
    }

private:
    static TReversiForm* FindForm() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TReversiForm*>(w);
            if (form != nullptr && form->isVisible()) return form;
        }
        return nullptr;
    }

    // Answers whatever asks the player: the call with the address of the
    // command line, the request with Yes, every message with OK.
    bool AnswerModal(TReversiForm& form) {
        if (auto* call = form.findChild<TCallDlg*>(); call != nullptr && call->isVisible()) {
            if (!Shoot(QStringLiteral("call"), call)) return true;
            Report(QStringLiteral("CALL %1").arg(call->Address()));
            call->CallButton()->click();
            return true;
        }
        if (auto* req = form.findChild<TCallReq*>(); req != nullptr && req->isVisible()) {
            if (!Shoot(QStringLiteral("request"), req)) return true;
            Report(QStringLiteral("REQUEST %1 %2 %3")
                       .arg(req->CallerText(), req->ColourText(), req->SizeText()));
            req->YesButton()->click();
            return true;
        }
        if (auto* chat = form.findChild<TSendDlg*>(); chat != nullptr && chat->isVisible()) {
            // The caller writes a line; the listener reads it and closes.
            if (!listener_ && chat->EditText() != QLatin1String("Good luck!")) {
                chat->SetEditText(QStringLiteral("Good luck!"));
                return true;
            }
            if (!Shoot(listener_ ? QStringLiteral("chat_received") : QStringLiteral("chat_sent"),
                       chat))
                return true;
            Report(QStringLiteral("CHAT %1").arg(chat->LogLines().join(QLatin1Char('|'))));
            if (listener_) {
                chat->CancelButton()->click();
            } else {
                chat->SendButton()->click();
                // The line has no end mark: a move sent at once would be
                // read as the end of the line.
                sinceChat_.start();
            }
            return true;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Report(QStringLiteral("BOX %1").arg(box->text()));
            box->done(QMessageBox::Ok);
            return true;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            // The result and pass window of the game flow. One opened while
            // the peer's move was being handled is closed late: what the
            // peer sends meanwhile (its next move after our pass, or its
            // "New") must still be taken once it closes.
            if (modal != lateBox_) {
                lateBox_ = modal;
                lateClock_.start();
            }
            const auto& g = GameOf(form);
            const bool late = !LastMoveWasMine(g);
            if (late && lateClock_.elapsed() < HeldFor(g)) return true;
            Report(QStringLiteral("MODAL %1%2")
                       .arg(dialog->windowTitle(), late ? QStringLiteral(" late") : QString()));
            if (g.NetworkGame && g.GameOver) {
                ++finished_;
                Report(QStringLiteral("OVER %1 %2").arg(finished_).arg(g.Tracker->count()));
                marks_.Set(QStringLiteral("over%1").arg(finished_));
                // The side that made the last move starts the next game.
                restartPending_ = finished_ < Games && !late;
            }
            lateBox_ = nullptr;
            dialog->done(QDialog::Accepted);
            return true;
        }
        return false;
    }

    // How long a box opened inside the handling of the peer's move stays
    // up: the result of a game that is followed by another until the peer
    // has chosen "New" (its "R" comes in while the box is up), a pass a
    // while, so that the peer's next move mostly comes in meanwhile.
    qint64 HeldFor(const GameState& g) const {
        const bool followed = g.NetworkGame && g.GameOver && finished_ + 1 < Games;
        if (!followed) return 600;
        return marks_.PeerSet(QStringLiteral("new%1").arg(finished_ + 2)) ? 0 : PeerWaitMs;
    }

    static bool LastMoveWasMine(const GameState& g) {
        if (!g.NetworkGame || !g.Tracker || g.Tracker->count() == 0) return true;
        return g.Tracker->moves().back().who == g.ComputerSide;
    }

    void Close(TReversiForm& form) {
        if (closing_) return;
        closing_ = true;
        // Outside the tick: closing may ask the player (a link still up).
        QTimer::singleShot(0, &form, [&form] { form.close(); });
    }

    // Every board since the last report, from the match record.
    void ReportBoards(const TReversiForm& form) {
        const auto& g = GameOf(form);
        if (!g.NetworkGame || !g.Tracker) return;
        const int count = g.Tracker->count();
        if (count < reported_) reported_ = 0;  // a new game
        for (int i = reported_ + 1; i <= count; ++i) {
            const tBoard& board =
                i < count ? g.Tracker->moves()[static_cast<std::size_t>(i)].board : g.Boards[0];
            Report(QStringLiteral("BOARD %1:%2 %3")
                       .arg(finished_ + 1)
                       .arg(i)
                       .arg(BoardTextOf(board.data(), g.BoardSize)));
        }
        reported_ = count;
    }

    void Play(TReversiForm& form) {
        const auto& g = GameOf(form);
        const int n = g.BoardSize;
        std::vector<QPoint> legal;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (CanMove(g, g.Boards[0], SquareIndex(x, y, n), g.SideToMove, OtherSide(g)))
                    legal.emplace_back(x, y);
        // One click at a time, and none while a window waits for an answer
        // (a person's click could not reach the board then).
        if (legal.empty() || clickPending_ || QApplication::activeModalWidget() != nullptr) return;
        clickPending_ = true;
        const QPoint square = legal[random_() % legal.size()];
        const QPoint at = form.SquareCentre(square.x(), square.y());
        // The click runs outside this tick: what it opens (a pass message)
        // waits in a loop of its own, which this timer must still reach.
        QTimer::singleShot(0, &form, [this, &form, at] {
            clickPending_ = false;
            QTest::mouseMove(form.BoardWidget(), at);
            QTest::mouseClick(form.BoardWidget(), Qt::LeftButton, Qt::NoModifier, at);
        });
    }

    // With a screenshot folder: true once the dialog has been shown a while
    // and the screen and the dialog are saved; false while it is too fresh.
    bool Shoot(const QString& name, QWidget* dialog) {
        if (shots_.isEmpty()) return true;
        if (shotName_ != name) {
            shotName_ = name;
            shotClock_.start();
        }
        if (shotClock_.elapsed() < 700) return false;
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QDir(shots_).filePath(name + QStringLiteral("_screen.png")));
        dialog->grab().save(QDir(shots_).filePath(name + QStringLiteral(".png")));
        shotName_.clear();
        return true;
    }

    bool listener_;
    std::minstd_rand random_;
    QString shots_;
    QString shotName_;
    QElapsedTimer shotClock_;
    QElapsedTimer sinceChat_;
    Marks marks_;
    bool clickPending_ = false;
    bool begun_ = false;
    bool inGame_ = false;
    bool closing_ = false;
    int reported_ = 0;
    // Two games: the second starts by "New" while the peer's result box of
    // the first is still open.
    static constexpr int Games = 2;
    int finished_ = 0;
    int started_ = 0;  // games seen under way
    bool restartPending_ = false;
    bool peerStartPending_ = false;  // "New" chosen here, the peer's start awaited
    QElapsedTimer overSince_;
    QPointer<QWidget> lateBox_;
    QElapsedTimer lateClock_;
};

}  // namespace

QString BoardTextOf(const unsigned char* board, int n) {
    QString text;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int c = board[SquareIndex(x, y, n)];
            text += c == CellWhite   ? QLatin1Char('w')
                    : c == CellBlack ? QLatin1Char('b')
                                     : QLatin1Char('+');
        }
    return text;
}

int RunNetPlayChild(int argc, char** argv) {
    ReversiApplication app(argc, argv);
    const bool listener = qgetenv(NetPlayRoleVariable) == "listen";
    Driver driver(listener, qEnvironmentVariable("REVERSI_NETPLAY_SHOTS"),
                  qEnvironmentVariable(NetPlayMarksVariable));
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&driver] { driver.Tick(); });
    ticks.start(10);
    // Never hang a test run: later than the parent's deadline, for a parent
    // that is gone.
    QTimer::singleShot(240000, [] {
        Report(QStringLiteral("TIMEOUT"));
        std::_Exit(3);
    });
    return ReversiMainBlock(app);
}

}  // namespace reversi::test
