#include "CommandLine.h"

#include <system_error>

namespace reversi {

namespace {
QString Word(const std::string& bytes) { return QString::fromLocal8Bit(bytes); }
}  // namespace

CommandLineAction ParseCommandLine(
    const std::vector<std::string>& parameters,
    const std::function<bool(const std::filesystem::path&)>& fileExists) {
    using Kind = CommandLineAction::Kind;
    if (parameters.size() == 2 && Word(parameters[0]).toLower() == QLatin1String("-connect")) {
        return {Kind::Connect, Word(parameters[1]), {}};
    }
    if (parameters.size() == 1) {
        const std::string& only = parameters[0];
        if (Word(only).toLower() == QLatin1String("-listen")) return {Kind::Listen, {}, {}};
        if (!only.empty() && fileExists(only)) return {Kind::LoadGame, {}, only};
    }
    return {};
}

CommandLineAction ParseCommandLine(const std::vector<std::string>& parameters) {
    return ParseCommandLine(parameters, [](const std::filesystem::path& path) {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    });
}

}  // namespace reversi
