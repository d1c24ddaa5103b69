#include "SavedGame.h"

#include <cstring>

#include "GameState.h"
#include "FileNameText.h"
#include "RegularFile.h"
#include "RegularFileWrite.h"

namespace reversi {

namespace {

// ---- bytes ------------------------------------------------------------------

void PutInt(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(u >> shift));
    }
}

// Reads fields from the front of a byte span; any read past the end marks the
// reader short and answers zeros.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Short() const { return short_; }

    std::int32_t Int() {
        if (!Take(4)) return 0;
        std::uint32_t u = 0;
        for (int i = 3; i >= 0; --i) u = (u << 8) | bytes_[pos_ - 4 + i];
        return static_cast<std::int32_t>(u);
    }
    bool Flag() { return Take(1) && bytes_[pos_ - 1] != 0; }
    void Board(tBoard& board) {
        if (!Take(board.size())) return;
        std::memcpy(board.data(), bytes_.data() + pos_ - board.size(), board.size());
    }

private:
    bool Take(std::size_t n) {
        if (short_ || bytes_.size() - pos_ < n) {
            short_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool short_ = false;
};

// ---- checks -----------------------------------------------------------------

bool IsColour(int c) { return c == CellWhite || c == CellBlack; }

// An empty text when the board is sound for the field size.
std::string BoardProblem(const tBoard& board, int boardsize) {
    for (int i = 0; i < static_cast<int>(board.size()); ++i) {
        const int cell = board[i];
        if (IsPlayingSquare(i, boardsize)) {
            if (cell < CellEmpty || cell > CellBlack) {
                return "square " + SquareName(i, boardsize) + " holds " + std::to_string(cell);
            }
        } else if (cell != CellOutside) {
            return "border byte " + std::to_string(i) + " holds " + std::to_string(cell);
        }
    }
    return {};
}

DecodeResult Invalid(std::string problem) {
    DecodeResult r;
    r.status = DecodeStatus::Invalid;
    r.problem = std::move(problem);
    return r;
}

// ---- files ------------------------------------------------------------------

// Names in messages are shown readably, whatever bytes the system gave.
std::string CannotOpen(const std::string& name, const RegularFileBytes& read) {
    return "Cannot open file \"" + ReadableFileName(name) + "\". " + RefusalReason(read);
}

// The longest file worth reading: a version 2 file of the longest game.
// Anything after it would be ignored anyway.
constexpr std::size_t MaxReadBytes = MatchFileSize(MaxMoves(10));

// Saving writes a regular file or creates one: anything else of that name
// is refused and left as it was (see RegularFileWrite.h).
FileResult WriteMatchFile(const std::string& FileName, const std::vector<std::uint8_t>& bytes) {
    const RegularFileWrite write = WriteRegularFile(FileName, bytes);
    if (write.Ok()) return FileResult::Success();
    if (write.refusal == WriteRefusal::CannotWrite)
        return FileResult::Failure("Stream write error");
    return FileResult::Failure("Cannot create file \"" + ReadableFileName(FileName) + "\". " +
                               WriteRefusalReason(write));
}

}  // namespace

// ---- format -----------------------------------------------------------------

std::optional<int> MatchFileVersion(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4) return std::nullopt;
    for (std::size_t v = 0; v < MatchSignatures.size(); ++v) {
        if (std::memcmp(bytes.data(), MatchSignatures[v].data(), 4) == 0) {
            return static_cast<int>(v);
        }
    }
    return std::nullopt;
}

FileResult CheckMatchFile(const std::string& FileName) {
    const RegularFileBytes head = ReadRegularFile(FileName, MatchSignatures[0].size());
    if (!head.Ok()) return FileResult::Failure(CannotOpen(FileName, head));
    return MatchFileVersion(head.bytes) ? FileResult::Success() : FileResult::NoMatch();
}

bool FileHasMatchSignature(const std::string& FileName) { return CheckMatchFile(FileName).Ok(); }

std::vector<std::uint8_t> EncodeMatch(const SavedMatch& match) {
    std::vector<std::uint8_t> out;
    out.reserve(MatchFileSize(static_cast<int>(match.moves.size())));
    const auto& signature = MatchSignatures[2];
    out.insert(out.end(), signature.begin(), signature.end());
    PutInt(out, match.boardsize);
    PutInt(out, static_cast<std::int32_t>(match.moves.size()));
    for (const TMove& m : match.moves) {
        PutInt(out, m.dest);
        PutInt(out, m.who);
        PutInt(out, m.opp);
        out.insert(out.end(), m.board.begin(), m.board.end());
    }
    PutInt(out, match.ComputerSide);
    out.push_back(match.VsComputer ? 1 : 0);
    out.push_back(match.PracticeGame.value_or(false) ? 1 : 0);
    out.push_back(match.BabyLevel.value_or(false) ? 1 : 0);
    out.push_back(match.AdvancedEngine.value_or(false) ? 1 : 0);
    PutInt(out, match.Depth.value_or(1));
    return out;
}

DecodeResult DecodeMatch(std::span<const std::uint8_t> bytes) {
    DecodeResult r;
    ByteReader in(bytes);
    const auto version = MatchFileVersion(bytes);
    if (!version) {
        r.status = bytes.size() < 4 ? DecodeStatus::Short : DecodeStatus::NotAMatch;
        return r;
    }
    in.Int();  // the signature
    SavedMatch& m = r.match;
    m.version = *version;

    m.boardsize = in.Int();
    if (in.Short()) return {DecodeStatus::Short, {}, {}};
    if (m.boardsize != 8 && m.boardsize != 10) {
        return Invalid("the field size is " + std::to_string(m.boardsize));
    }
    const std::int32_t count = in.Int();
    if (in.Short()) return {DecodeStatus::Short, {}, {}};
    if (count < 0 || count > MaxMoves(m.boardsize)) {
        return Invalid("the move count is " + std::to_string(count));
    }
    // A count that the file cannot hold is a short file; say so before
    // allocating anything for it.
    const std::size_t tail = m.version == 0 ? 5 : m.version == 1 ? 6 : 12;
    if (bytes.size() < 12 + 156 * static_cast<std::size_t>(count) + tail) {
        return {DecodeStatus::Short, {}, {}};
    }

    m.moves.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TMove& move = m.moves[i];
        move.dest = in.Int();
        move.who = in.Int();
        move.opp = in.Int();
        in.Board(move.board);
        const std::string where = "move " + std::to_string(i + 1);
        if (!IsPlayingSquare(move.dest, m.boardsize)) {
            return Invalid(where + " is on square " + std::to_string(move.dest));
        }
        if (!IsColour(move.who) || !IsColour(move.opp) || move.who == move.opp) {
            return Invalid(where + " has colours " + std::to_string(move.who) + " and " +
                           std::to_string(move.opp));
        }
        if (auto problem = BoardProblem(move.board, m.boardsize); !problem.empty()) {
            return Invalid("the board before " + where + " is damaged: " + problem);
        }
    }
    m.ComputerSide = in.Int();
    m.VsComputer = in.Flag();
    if (m.version >= 1) m.PracticeGame = in.Flag();
    if (m.version >= 2) {
        m.BabyLevel = in.Flag();
        m.AdvancedEngine = in.Flag();
        m.Depth = in.Int();
    }
    if (in.Short()) return {DecodeStatus::Short, {}, {}};
    if (!IsColour(m.ComputerSide)) {
        return Invalid("the computer's colour is " + std::to_string(m.ComputerSide));
    }
    if (m.Depth && (*m.Depth < 1 || *m.Depth > 9)) {
        return Invalid("the level is " + std::to_string(*m.Depth));
    }
    return r;
}

// ---- the record's file operations --------------------------------------------

FileResult OBoardTracker::SaveToFile(const GameState& g, const std::string& FileName) const {
    SavedMatch match;
    match.boardsize = boardsize_;
    match.moves = moves_;
    match.ComputerSide = g.ComputerSide;
    match.VsComputer = g.VsComputer;
    match.PracticeGame = g.PracticeGame;
    match.BabyLevel = g.BabyLevel;
    match.AdvancedEngine = g.AdvancedEngine;
    match.Depth = g.Depth;
    return WriteMatchFile(FileName, EncodeMatch(match));
}

FileResult ReadMatchFile(const std::string& FileName, SavedMatch& match) {
    // A pipe, a device or a folder is refused before anything waits on it.
    const RegularFileBytes read = ReadRegularFile(FileName, MaxReadBytes);
    if (!read.Ok()) return FileResult::Failure(CannotOpen(FileName, read));

    DecodeResult decoded = DecodeMatch(read.bytes);
    switch (decoded.status) {
        case DecodeStatus::Short:
            return FileResult::Failure("Stream read error");
        case DecodeStatus::Invalid:
            return FileResult::Failure("The file \"" + ReadableFileName(FileName) +
                                       "\" is not a valid Zorel Reversi match: " + decoded.problem +
                                       ".");
        case DecodeStatus::NotAMatch:
            return FileResult::NoMatch();
        case DecodeStatus::Ok:
            break;
    }
    match = std::move(decoded.match);
    return FileResult::Success();
}

void OBoardTracker::TakeMatch(GameState& g, SavedMatch&& m) {
    boardsize_ = m.boardsize;
    moves_ = std::move(m.moves);
    current_ = count();
    g.ComputerSide = m.ComputerSide;
    g.VsComputer = m.VsComputer;
    if (m.PracticeGame) g.PracticeGame = *m.PracticeGame;
    if (m.BabyLevel) g.BabyLevel = *m.BabyLevel;
    if (m.AdvancedEngine) g.AdvancedEngine = *m.AdvancedEngine;
    if (m.Depth) g.Depth = *m.Depth;
    FillList(0);
}

}  // namespace reversi
