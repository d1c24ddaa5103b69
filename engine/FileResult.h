// The outcome of saving or loading a match file, in a form the window can
// show: the engine never throws for a bad file or a failed write; it answers
// with one of these and leaves the text to the caller's message box.
#pragma once

#include <string>
#include <utility>

namespace reversi {

enum class FileStatus {
    Ok,         // saved, or loaded
    NotAMatch,  // load only: the file does not begin with a match signature
    Failed,     // nothing changed; message says why
};

struct [[nodiscard]] FileResult {
    FileStatus status = FileStatus::Ok;
    // For Failed: the text to show the player (names the file where it helps).
    std::string message;

    bool Ok() const { return status == FileStatus::Ok; }

    static FileResult Success() { return {}; }
    static FileResult NoMatch() { return {FileStatus::NotAMatch, {}}; }
    static FileResult Failure(std::string text) { return {FileStatus::Failed, std::move(text)}; }
};

}  // namespace reversi
