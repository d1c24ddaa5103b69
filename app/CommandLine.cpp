#include "CommandLine.h"

#include <QFileInfo>

namespace reversi {

CommandLineAction ParseCommandLine(const QStringList& parameters,
                                   const std::function<bool(const QString&)>& fileExists) {
    using Kind = CommandLineAction::Kind;
    if (parameters.size() == 2 && parameters[0].toLower() == QLatin1String("-connect")) {
        return {Kind::Connect, parameters[1]};
    }
    if (parameters.size() == 1) {
        const QString& only = parameters[0];
        if (only.toLower() == QLatin1String("-listen")) return {Kind::Listen, {}};
        if (!only.isEmpty() && fileExists(only)) return {Kind::LoadGame, only};
    }
    return {};
}

CommandLineAction ParseCommandLine(const QStringList& parameters) {
    return ParseCommandLine(parameters, [](const QString& path) {
        const QFileInfo info(path);
        return info.exists() && info.isFile();
    });
}

}  // namespace reversi
