// The application object. Every event passes through notify(), so this is
// the one place where a failure inside any handler (a menu command, a timer,
// a queued call) is caught before it can unwind through Qt's event loop.
// It also keeps the command line to itself: Qt is given only the program's
// name, so none of the words the player typed (-reverse, -style, -platform
// and the like) is taken by Qt; the program reads all of them.
#pragma once

#include <QApplication>
#include <QStringList>

#include <string>
#include <vector>

namespace reversi {

class ReversiApplication : public QApplication {
    Q_OBJECT
public:
    // argc and argv are the process's own; they are read here and left as
    // they are.
    ReversiApplication(int argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the error box for a caught failure. Guarded so that a failure
    // while the box itself is up is not reported in a second nested box.
    void ReportFailure(const QString& text);

    // The words typed after the program's name, every one of them, in order,
    // as the bytes the system passed (a file name need not be UTF-8).
    const std::vector<std::string>& Parameters() const { return parameters_; }
    // The same for the running application; empty when it is not a
    // ReversiApplication.
    static std::vector<std::string> TypedParameters();

private:
    std::vector<std::string> parameters_;
    bool reporting_ = false;
};

}  // namespace reversi
