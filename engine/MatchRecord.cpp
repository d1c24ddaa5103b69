#include "MatchRecord.h"

#include "GameState.h"
#include "Rules.h"

namespace reversi {

namespace {

// Characters of a UTF-8 text (continuation bytes do not count), so that names
// with accented letters are padded by what the player sees.
std::size_t CharacterCount(const std::string& text) {
    std::size_t n = 0;
    for (const unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

// The move maker of the record's field size: the stored boards use that layout.
void MakeRecordedMove(tBoard& board, const TMove& m, int boardsize) {
    if (boardsize == 8) {
        MakeMove8(board, m.dest, m.who, m.opp);
    } else {
        MakeMove10(board, m.dest, m.who, m.opp);
    }
}

}  // namespace

OBoardTracker::OBoardTracker(int boardsize, MoveListView* list) : list_(list) { Init(boardsize); }

OBoardTracker::~OBoardTracker() { Done(); }

void OBoardTracker::Init(int boardsize) {
    moves_.clear();
    current_ = 0;
    boardsize_ = boardsize;
    FillList(0);
}

void OBoardTracker::Done() {
    moves_.clear();
    current_ = 0;
}

void OBoardTracker::AddMove(const GameState& game, int dest, int who, int opp) {
    Truncate();
    moves_.push_back(TMove{dest, who, opp, game.Boards[0]});
    current_ = count();
    if (list_ != nullptr) {
        list_->InsertLine(count() - 1, MoveListLine(count(), SideName(who), dest, boardsize_));
        list_->SelectLine(count());
        list_->ScrollToEnd();
    }
}

void OBoardTracker::Restore(GameState& game, int i) const {
    game.Boards[0] = moves_[i].board;
    game.SideToMove = moves_[i].who;
}

bool OBoardTracker::Undo(GameState& game) {
    if (current_ <= 0) return false;
    --current_;
    Restore(game, current_);
    game.GameOver = false;
    Select(current_);
    return true;
}

bool OBoardTracker::Redo(GameState& game, bool ShowEach) {
    if (current_ >= count()) {
        if (!ShowEach) Select(current_);
        return false;
    }
    const TMove& m = moves_[current_];
    game.Boards[0] = m.board;
    game.SideToMove = m.opp;
    MakeRecordedMove(game.Boards[0], m, boardsize_);
    game.FirstMove = false;
    ++current_;
    if (ShowEach) Select(current_);
    return true;
}

bool OBoardTracker::GoToMove(GameState& game, int i) {
    if (i < 0 || i >= count()) return false;
    Restore(game, i);
    current_ = i;
    Select(i);
    return true;
}

void OBoardTracker::GoToStart(GameState& game) {
    while (current_ > 0) {
        --current_;
        Restore(game, current_);
        game.GameOver = false;
    }
}

void OBoardTracker::Truncate() { moves_.resize(static_cast<std::size_t>(current_)); }

void OBoardTracker::RebuildList() {
    Truncate();
    FillList(current_);
}

std::string OBoardTracker::PadName(const std::string& name) {
    const std::size_t length = CharacterCount(name);
    if (length >= 12) return name;
    std::string padded = name + ' ';
    padded.append(12 - (length + 1), '.');
    return padded;
}

std::string OBoardTracker::MoveListLine(int n, const std::string& name, int dest, int boardsize) {
    std::string line = n >= 0 && n <= 9 ? " " : "";
    line += std::to_string(n);
    line += '.';
    line += PadName(name);
    line += ' ';
    line += static_cast<char>('A' + SquareColumn(dest, boardsize));
    line += ':';
    line += std::to_string(boardsize - SquareRow(dest, boardsize));
    return line;
}

void OBoardTracker::SetSideNames(const std::string& white, const std::string& black) {
    whiteName_ = white;
    blackName_ = black;
}

const std::string& OBoardTracker::SideName(int who) const {
    return who == CellBlack ? blackName_ : whiteName_;
}

void OBoardTracker::SetMoveList(MoveListView* list) {
    list_ = list;
    FillList(current_);
}

void OBoardTracker::FillList(int selected) {
    if (list_ == nullptr) return;
    list_->RemoveAllLines();
    list_->InsertLine(0, MoveListEndLine);
    for (int i = 0; i < count(); ++i) {
        const TMove& m = moves_[i];
        list_->InsertLine(i, MoveListLine(i + 1, SideName(m.who), m.dest, boardsize_));
    }
    list_->SelectLine(selected);
    list_->Repaint();
}

void OBoardTracker::Select(int line) {
    if (list_ == nullptr) return;
    list_->SelectLine(line);
    list_->Repaint();
}

void NewBoardTracker(GameState& game) {
    MoveListView* list = nullptr;
    std::string white, black;
    if (game.Tracker) {
        list = game.Tracker->MoveList();
        white = game.Tracker->SideName(CellWhite);
        black = game.Tracker->SideName(CellBlack);
    }
    game.Tracker.reset();
    game.Tracker = std::make_unique<OBoardTracker>(game.BoardSize, list);
    game.Tracker->SetSideNames(white, black);
}

}  // namespace reversi
