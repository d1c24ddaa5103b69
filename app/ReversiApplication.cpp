#include "ReversiApplication.h"

#include <exception>

#include "MessageBoxes.h"

namespace reversi {

ReversiApplication::ReversiApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ReversiApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportFailure(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ReportFailure(QStringLiteral("Unknown error"));
    }
    return false;
}

void ReversiApplication::ReportFailure(const QString& text) {
    if (reporting_) return;
    reporting_ = true;
    try {
        ShowErrorMessage(text, activeWindow());
    } catch (...) {
        // Nothing more can be shown; never let it escape the event loop.
    }
    reporting_ = false;
}

}  // namespace reversi
