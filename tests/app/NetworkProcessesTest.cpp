// Two copies of the program, each with its own settings folder, play two
// whole games against each other over 127.0.0.1 by clicks on their boards:
// one allows calls, the other is started with "-connect 127.0.0.1". Both
// boards must agree after every move, a box closed late must not leave a
// copy behind, and neither copy may count a game.
#include <map>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "NetPlayChild.h"
#include "StatisticsTable.h"

namespace reversi {
namespace {

// Two games take seconds; the deadline is for a machine busy with other
// work, and each copy gives up on its own a while after it.
constexpr int DeadlineMs = 180000;

// A port nothing listens on right now, on the loopback address.
quint16 FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress(QHostAddress::LocalHost), 0)) return 0;
    return probe.serverPort();
}

QByteArray SomeStatistics() {
    TStatisticsTable table;
    table.Count(8, false, 1, PlayerResult::PlayerWon);
    table.Count(8, false, 1, PlayerResult::ComputerWon);
    table.Count(10, true, 5, PlayerResult::Tie);
    return table.ToBytes();
}

// A settings folder: the shared port, quiet and without animation, and
// statistics that must come back unchanged.
QString MakeConfig(const QString& root, const QString& name, quint16 port) {
    const QString dir = QDir(root).filePath(name);
    QDir().mkpath(dir);
    QSettings store(test::SettingsFileUnder(dir), QSettings::IniFormat);
    store.setValue(QStringLiteral("net/port"), QString::number(port));
    store.setValue(QStringLiteral("options/anief"), QStringLiteral("no"));
    store.setValue(QStringLiteral("options/sndef"), QStringLiteral("no"));
    store.setValue(QStringLiteral("options/musef"), QStringLiteral("no"));
    store.setValue(QStringLiteral("Statistics"), SomeStatistics());
    store.sync();
    return dir;
}

class Copy {
public:
    Copy(const QString& role, const QString& config, const QString& marks,
         const QStringList& parameters) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(test::ChildModeVariable), QStringLiteral("1"));
        env.insert(QString::fromLatin1(test::NetPlayRoleVariable), role);
        env.insert(QString::fromLatin1(test::NetPlayMarksVariable), marks);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        process.setProcessEnvironment(env);
        process.setProgram(QCoreApplication::applicationFilePath());
        process.setArguments(parameters);
        process.start();
    }
    ~Copy() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    // Collects the lines written so far.
    void Read() {
        buffer += QString::fromLocal8Bit(process.readAllStandardOutput());
        qsizetype end;
        while ((end = buffer.indexOf(QLatin1Char('\n'))) >= 0) {
            lines << buffer.left(end);
            buffer.remove(0, end + 1);
        }
    }
    bool Said(const QString& prefix) const {
        for (const QString& line : lines)
            if (line.startsWith(prefix)) return true;
        return false;
    }
    // The boards reported, by game and move number ("2:17").
    std::map<QString, QString> Boards() const {
        std::map<QString, QString> boards;
        for (const QString& line : lines) {
            const QStringList parts = line.split(QLatin1Char(' '));
            if (parts.size() == 3 && parts[0] == QLatin1String("BOARD"))
                boards[parts[1]] = parts[2];
        }
        return boards;
    }
    int Count(const QString& prefix) const {
        int n = 0;
        for (const QString& line : lines) n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
    std::string Tail() const {
        return lines.mid(std::max<qsizetype>(0, lines.size() - 8))
            .join(QLatin1Char('\n'))
            .toStdString();
    }

    QProcess process;
    QString buffer;
    QStringList lines;
};

TEST(NetworkProcessesTest, TwoProgramsPlayAWholeGameOverLoopback) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const quint16 port = FreePort();
    ASSERT_NE(port, 0) << "no free port on 127.0.0.1";
    const QString listenerConfig = MakeConfig(root.path(), QStringLiteral("listener"), port);
    const QString callerConfig = MakeConfig(root.path(), QStringLiteral("caller"), port);

    QElapsedTimer clock;
    clock.start();
    Copy listener(QStringLiteral("listen"), listenerConfig, root.path(), {});
    while (!listener.Said(QStringLiteral("LISTENING")) && !listener.Said(QStringLiteral("NOT")) &&
           clock.elapsed() < DeadlineMs && listener.process.state() != QProcess::NotRunning) {
        listener.process.waitForReadyRead(200);
        listener.Read();
    }
    ASSERT_TRUE(listener.Said(QStringLiteral("LISTENING")))
        << "the listening copy did not listen:\n"
        << listener.Tail();

    Copy caller(QStringLiteral("call"), callerConfig, root.path(),
                {QStringLiteral("-connect"), QStringLiteral("127.0.0.1")});
    while (clock.elapsed() < DeadlineMs && (listener.process.state() != QProcess::NotRunning ||
                                            caller.process.state() != QProcess::NotRunning)) {
        listener.process.waitForReadyRead(50);
        caller.process.waitForReadyRead(50);
        listener.Read();
        caller.Read();
    }
    listener.process.waitForFinished(1000);
    caller.process.waitForFinished(1000);
    listener.Read();
    caller.Read();
    ASSERT_EQ(listener.process.state(), QProcess::NotRunning)
        << "the listening copy did not finish in time:\n"
        << listener.Tail();
    ASSERT_EQ(caller.process.state(), QProcess::NotRunning)
        << "the calling copy did not finish in time:\n"
        << caller.Tail();
    EXPECT_EQ(listener.process.exitCode(), 0) << listener.Tail();
    EXPECT_EQ(caller.process.exitCode(), 0) << caller.Tail();

    EXPECT_TRUE(caller.Said(QStringLiteral("CALL 127.0.0.1")))
        << "the call dialog did not open filled in";
    EXPECT_TRUE(listener.Said(QStringLiteral("REQUEST"))) << "no call request";
    // Two games: the side that made the last move of the first chose "New"
    // while the other side's result box, opened inside the handling of
    // that move, was still up (it is closed late, as is every pass box that
    // follows the peer's move).
    for (const Copy* copy : {&listener, &caller}) {
        EXPECT_TRUE(copy->Said(QStringLiteral("OVER 1 "))) << copy->Tail();
        EXPECT_TRUE(copy->Said(QStringLiteral("OVER 2 "))) << copy->Tail();
        EXPECT_FALSE(copy->Said(QStringLiteral("STUCK"))) << copy->Tail();
    }
    EXPECT_EQ(listener.Count(QStringLiteral("NEW")) + caller.Count(QStringLiteral("NEW")), 1);
    EXPECT_GE(listener.Count(QStringLiteral("MODAL")) + caller.Count(QStringLiteral("MODAL")), 2);
    EXPECT_GE(listener.Count(QStringLiteral("MODAL Information late")) +
                  caller.Count(QStringLiteral("MODAL Information late")),
              1)
        << "no box closed late";

    const auto a = listener.Boards();
    const auto b = caller.Boards();
    ASSERT_GE(a.size(), 40u) << "too short a pair of games";
    ASSERT_EQ(a.size(), b.size()) << "the copies saw different numbers of moves";
    for (const auto& [move, board] : a) {
        ASSERT_TRUE(b.count(move)) << "the caller never reported move " << move.toStdString();
        EXPECT_EQ(board.toStdString(), b.at(move).toStdString())
            << "boards differ after move " << move.toStdString();
    }
    // A network game is never counted.
    for (const QString& config : {listenerConfig, callerConfig}) {
        QSettings store(test::SettingsFileUnder(config), QSettings::IniFormat);
        EXPECT_EQ(store.value(QStringLiteral("Statistics")).toByteArray(), SomeStatistics())
            << "statistics changed in " << config.toStdString();
    }
}

}  // namespace
}  // namespace reversi
