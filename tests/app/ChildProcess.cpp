#include "ChildProcess.h"

#include <cstdio>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QProcess>
#include <QStyle>
#include <QTimer>

#include "BusyPanel.h"
#include "EngineUnit.h"
#include "GameStateAccess.h"
#include "MainWindow.h"
#include "ReversiApplication.h"
#include "ReversiMain.h"

namespace reversi::test {

namespace {

void Report(const QString& line) {
    std::printf("EVENT %s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

const char* DirectionName(Qt::LayoutDirection direction) {
    return direction == Qt::RightToLeft ? "RightToLeft" : "LeftToRight";
}

// Apart from the events: what Qt's own command-line options would change.
void ReportToolkitState(const QWidget& form) {
    const QRect frame = form.geometry();
    std::printf(
        "TOOLKIT direction=%s window=%s style=%s sheet=%d platform=%s size=%dx%d at=%d,%d "
        "icon=%s session=%s\n",
        DirectionName(QGuiApplication::layoutDirection()), DirectionName(form.layoutDirection()),
        QApplication::style()->name().toLocal8Bit().constData(),
        static_cast<int>(qApp->styleSheet().size()),
        QGuiApplication::platformName().toLocal8Bit().constData(), frame.width(), frame.height(),
        frame.x(), frame.y(), QGuiApplication::windowIcon().isNull() ? "none" : "set",
        qApp->sessionId().toLocal8Bit().constData());
    std::fflush(stdout);
}

// Looks at the screen every 20 ms: closes a message box with OK and a shown
// main window with a normal close, reporting each, and any other dialog.
void Watch() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        int others = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            // The start-up logo is not a window of the program's own.
            if (w != box && w->isVisible() && w->objectName() != QLatin1String("StartUpForm"))
                ++others;
        }
        QString text = box->text();
        text.replace(QLatin1Char('\n'), QLatin1Char('|'));
        // What the main window's status panels show under the box, when the
        // main window is there.
        QString under;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<TReversiForm*>(w); form && form->isVisible())
                under = QStringLiteral(" under=%1|%2|%3")
                            .arg(form->StatusPanelText(0), form->StatusPanelText(1),
                                 form->StatusPanelText(2));
        }
        Report(QStringLiteral("BOX %1 windows=%2 title=%3%4")
                   .arg(text)
                   .arg(others)
                   .arg(box->windowTitle(), under));
        box->done(QMessageBox::Ok);
        return;
    }
    // Another modal window (the tip of the day on a slow start) is closed
    // unreported: the tests look at the main window and the message boxes.
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
        return;
    }
    static int seen = 0;
    static bool closing = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<TReversiForm*>(w);
        if (!form || !form->isVisible() || closing) continue;
        // Let the first activation's work finish before looking, the
        // computer's reply included.
        if (GameStateAccess::Of(form->Controller()).ThreadRunning || ++seen < 3) return;
        // Nor while pictures load behind a busy panel.
        for (const BusyPanel* panel : form->findChildren<BusyPanel*>()) {
            if (panel->isVisible()) {
                seen = 0;
                return;
            }
        }
        Report(QStringLiteral("WINDOW %1").arg(form->windowTitle()));
        Report(
            QStringLiteral("STATUS %1|%2|%3")
                .arg(form->StatusPanelText(0), form->StatusPanelText(1), form->StatusPanelText(2)));
        Report(QStringLiteral("BOARD %1").arg(form->BoardWidget()->width()));
        ReportToolkitState(*form);
        std::string position;
        BoardToText(GameStateAccess::Of(form->Controller()), position);
        std::printf("POSITION %s\n", position.c_str());
        std::fflush(stdout);
        // Closed after this tick: a box the close shows (a settings file that
        // could not be written or was set aside) is then seen and answered
        // by the next ticks, as a timer never runs again inside its own tick.
        closing = true;
        QMetaObject::invokeMethod(form, &QWidget::close, Qt::QueuedConnection);
        return;
    }
}

}  // namespace

int RunChild(int argc, char** argv) {
    ReversiApplication app(argc, argv);
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, &Watch);
    watcher.start(20);
    // Never hang a test run: give up after a while, longer than a start-up
    // takes on a machine busy with other work.
    QTimer::singleShot(120000, [] {
        Report(QStringLiteral("TIMEOUT"));
        std::_Exit(3);
    });
    return ReversiMainBlock(app);
}

namespace {
ChildResult RunOnScreen(int width, int height, const QString& program, const QStringList& arguments,
                        const QString& workDir);
}  // namespace

ChildResult RunProgramOnScreen(int width, int height, const QStringList& parameters,
                               const QString& workDir, const QString& program) {
    return RunOnScreen(width, height,
                       program.isEmpty() ? QCoreApplication::applicationFilePath() : program,
                       parameters, workDir);
}

ChildResult RunProgramWithBytes(int width, int height, const QByteArray& parameter,
                                const QString& workDir) {
    // The shell turns octal escapes back into the bytes and passes them on.
    QString escaped;
    for (const char c : parameter)
        escaped += QStringLiteral("\\0%1").arg(static_cast<uint>(static_cast<unsigned char>(c)), 3,
                                               8, QLatin1Char('0'));
    return RunOnScreen(
        width, height, QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf '%b' \"$1\")\""),
         QCoreApplication::applicationFilePath(), escaped},
        workDir);
}

namespace {
ChildResult RunOnScreen(int width, int height, const QString& program, const QStringList& arguments,
                        const QString& workDir) {
    ChildResult result;
    const QString screens = QDir(workDir).filePath(QStringLiteral("screens.json"));
    {
        QFile file(screens);
        if (!file.open(QIODevice::WriteOnly)) return result;
        file.write(QStringLiteral(R"({"screens": [{"name": "Test", "x": 0, "y": 0, )"
                                  R"("width": %1, "height": %2, "logicalDpi": 96, )"
                                  R"("logicalBpi": 96, "dpr": 1}]})")
                       .arg(width)
                       .arg(height)
                       .toUtf8());
    }
    result.configDir = QDir(workDir).filePath(QStringLiteral("config"));
    QDir().mkpath(result.configDir);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ChildModeVariable), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               QStringLiteral("offscreen:configfile=") + screens);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), result.configDir);
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));

    QProcess child;
    child.setProcessEnvironment(env);
    child.setProgram(program);
    child.setArguments(arguments);
    child.start();
    if (!child.waitForFinished(150000)) {
        child.kill();
        child.waitForFinished();
        result.crashed = true;
    }
    result.crashed = result.crashed || child.exitStatus() != QProcess::NormalExit;
    result.exitCode = child.exitCode();
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("EVENT "))) result.events << line.mid(6);
        if (line.startsWith(QLatin1String("TOOLKIT "))) result.toolkitState = line.mid(8);
        if (line.startsWith(QLatin1String("POSITION "))) result.position = line.mid(9);
    }
    result.standardError = QString::fromLocal8Bit(child.readAllStandardError());
    return result;
}
}  // namespace

QString SettingsFileUnder(const QString& configDir) {
    return QDir(configDir).filePath(QStringLiteral("Quenwick/Zorel Reversi 4.00.conf"));
}

}  // namespace reversi::test
