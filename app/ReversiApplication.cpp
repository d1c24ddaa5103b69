#include "ReversiApplication.h"

#include <array>
#include <exception>

#include "MessageBoxes.h"

namespace reversi {

namespace {

// What Qt is given instead of the typed command line: the program's name
// alone. Qt keeps references to both for the application's whole life, so
// they live as long as the process; there is one application per process.
int programOnlyCount = 1;
std::array<char*, 2> programOnly{};
char fallbackName[] = "reversi";

int& ProgramNameOnly(int argc, char** argv) {
    programOnly[0] = argc > 0 && argv[0] ? argv[0] : fallbackName;
    programOnly[1] = nullptr;
    programOnlyCount = 1;
    return programOnlyCount;
}

std::vector<std::string> WordsAfterName(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) words.emplace_back(argv[i] ? argv[i] : "");
    return words;
}

}  // namespace

ReversiApplication::ReversiApplication(int argc, char** argv)
    : QApplication(ProgramNameOnly(argc, argv), programOnly.data()),
      parameters_(WordsAfterName(argc, argv)) {}

std::vector<std::string> ReversiApplication::TypedParameters() {
    const auto* app = qobject_cast<const ReversiApplication*>(QCoreApplication::instance());
    return app ? app->Parameters() : std::vector<std::string>();
}

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
