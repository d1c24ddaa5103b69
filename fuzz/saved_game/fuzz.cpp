// Fuzz harness of the saved match file: the bytes are decoded in memory and
// loaded from a file into a match record holding a game. A rejected file must
// leave the record and the game exactly as they were; an accepted one must
// encode back to a file that decodes to the same match.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "EngineUnit.h"

namespace {

using namespace reversi;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "saved_game: %s\n", what);
        std::abort();
    }
}

// The game before the load: a few moves into an 8 x 8 match against the computer.
void StartGame(GameState& g) {
    SetSideNames(g, "Yellow", "Green");
    g.BoardSize = 8;
    g.VsComputer = true;
    g.ComputerSide = 3;
    g.Depth = 4;
    NewGame(g);
    for (int n = 0; n < 5; ++n) {
        const int me = g.SideToMove;
        for (int sq = 0; sq < 144; ++sq) {
            if (IsPlayingSquare(sq, g.BoardSize) && CanMove(g, g.Boards[0], sq, me, 5 - me)) {
                g.Tracker->AddMove(g, sq, me, 5 - me);
                g.Boards[0][sq] = static_cast<std::uint8_t>(me);
                MakeMove(g, g.Boards[0], sq, me, 5 - me);
                break;
            }
        }
        g.SideToMove = 5 - me;
    }
}

struct Snapshot {
    std::vector<TMove> moves;
    int current, boardsize;
    tBoard board;
    int side, computerSide, depth;
    bool vs, practice, baby, advanced, over;

    static Snapshot Take(const GameState& g) {
        const OBoardTracker& t = *g.Tracker;
        return {t.moves(),      t.current(),    t.boardsize(),    g.Boards[0],
                g.SideToMove,   g.ComputerSide, g.Depth,          g.VsComputer,
                g.PracticeGame, g.BabyLevel,    g.AdvancedEngine, g.GameOver};
    }
    bool operator==(const Snapshot& o) const {
        auto sameMoves = moves.size() == o.moves.size();
        for (std::size_t i = 0; sameMoves && i < moves.size(); ++i) {
            sameMoves = moves[i].dest == o.moves[i].dest && moves[i].who == o.moves[i].who &&
                        moves[i].opp == o.moves[i].opp && moves[i].board == o.moves[i].board;
        }
        return sameMoves && current == o.current && boardsize == o.boardsize && board == o.board &&
               side == o.side && computerSide == o.computerSide && depth == o.depth && vs == o.vs &&
               practice == o.practice && baby == o.baby && advanced == o.advanced && over == o.over;
    }
};

bool SameMatch(const SavedMatch& a, const SavedMatch& b) {
    if (a.boardsize != b.boardsize || a.moves.size() != b.moves.size()) return false;
    for (std::size_t i = 0; i < a.moves.size(); ++i) {
        if (a.moves[i].dest != b.moves[i].dest || a.moves[i].who != b.moves[i].who ||
            a.moves[i].opp != b.moves[i].opp || a.moves[i].board != b.moves[i].board) {
            return false;
        }
    }
    return a.ComputerSide == b.ComputerSide && a.VsComputer == b.VsComputer;
}

const std::string& InputFile() {
    static const std::string file =
        (std::filesystem::temp_directory_path() /
         ("reversi-fuzz-saved-game-" + std::to_string(::getpid()) + ".kzv"))
            .string();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    // In memory: an accepted file survives encoding and decoding unchanged.
    const DecodeResult decoded = DecodeMatch(bytes);
    if (decoded.status == DecodeStatus::Ok) {
        const SavedMatch& m = decoded.match;
        Check(m.boardsize == 8 || m.boardsize == 10, "accepted field size");
        Check(m.moves.size() <= static_cast<std::size_t>(MaxMoves(m.boardsize)), "move count");
        const DecodeResult again = DecodeMatch(EncodeMatch(m));
        Check(again.status == DecodeStatus::Ok, "a written match is rejected");
        Check(SameMatch(m, again.match), "a written match reads back differently");
    }

    // From a file into the record of a running game.
    GameState game;
    StartGame(game);
    const Snapshot before = Snapshot::Take(game);
    if (std::FILE* f = std::fopen(InputFile().c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    // Read and checked whole, then taken into the record: the window's way.
    SavedMatch match;
    const FileResult result = ReadMatchFile(InputFile(), match);
    if (result.Ok()) game.Tracker->TakeMatch(game, std::move(match));
    std::remove(InputFile().c_str());
    Check((result.status == FileStatus::Ok) == (decoded.status == DecodeStatus::Ok),
          "file and memory disagree");
    if (result.status != FileStatus::Ok) {
        Check(Snapshot::Take(game) == before, "a rejected file changed the game");
        Check(result.status == FileStatus::NotAMatch || !result.message.empty(),
              "a failure without a message");
    } else {
        Check(game.Tracker->count() == static_cast<int>(decoded.match.moves.size()),
              "loaded move count");
    }
    return 0;
}
