// The application object. Every event passes through notify(), so this is
// the one place where a failure inside any handler (a menu command, a timer,
// a queued call) is caught before it can unwind through Qt's event loop.
#pragma once

#include <QApplication>

namespace reversi {

class ReversiApplication : public QApplication {
    Q_OBJECT
public:
    ReversiApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the error box for a caught failure. Guarded so that a failure
    // while the box itself is up is not reported in a second nested box.
    void ReportFailure(const QString& text);

private:
    bool reporting_ = false;
};

}  // namespace reversi
