#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "EngineUnit.h"
#include "FileNameText.h"
#include "FakeMoveList.h"
#include "SavedGame.h"

using namespace reversi;
using reversi::testing::FakeMoveList;
using reversi::testing::TrackerFixture;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Builds a file byte by byte, independently of the writer under test.
struct FileBuilder {
    Bytes bytes;
    FileBuilder& Text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    FileBuilder& Int(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    FileBuilder& Byte(std::uint8_t b) {
        bytes.push_back(b);
        return *this;
    }
    FileBuilder& Move(const TMove& m) {
        Int(m.dest).Int(m.who).Int(m.opp);
        bytes.insert(bytes.end(), m.board.begin(), m.board.end());
        return *this;
    }
};

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Opens a match file the way the window does: read and checked whole, then,
// when it is a sound match, taken into the record.
FileResult OpenMatch(GameState& game, const std::string& name) {
    SavedMatch match;
    const FileResult result = ReadMatchFile(name, match);
    if (result.Ok()) game.Tracker->TakeMatch(game, std::move(match));
    return result;
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

struct SavedGameTest : TrackerFixture {
    fs::path dir;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("reversi-savedgame-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        StartGame(8);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Plays n moves, each the first legal square by index (a side without a
    // move passes).
    void Play(int n) {
        auto& g = game();
        for (int i = 0; i < n; ++i) {
            bool played = false;
            for (int pass = 0; pass < 2 && !played; ++pass) {
                const int me = g.SideToMove;
                for (int sq = 0; sq < 144 && !played; ++sq) {
                    if (IsPlayingSquare(sq, g.BoardSize) &&
                        CanMove(g, g.Boards[0], sq, me, 5 - me)) {
                        Tracker().AddMove(g, sq, me, 5 - me);
                        g.Boards[0][sq] = static_cast<std::uint8_t>(me);
                        MakeMove(g, g.Boards[0], sq, me, 5 - me);
                        played = true;
                    }
                }
                g.SideToMove = 5 - me;
            }
            ASSERT_TRUE(played);
        }
    }

    void SetSettings(int computerSide, bool vs, bool practice, bool baby, bool advanced,
                     int depth) {
        auto& g = game();
        g.ComputerSide = computerSide;
        g.VsComputer = vs;
        g.PracticeGame = practice;
        g.BabyLevel = baby;
        g.AdvancedEngine = advanced;
        g.Depth = depth;
    }

    fs::path File(const std::string& name) const { return dir / name; }
};

// Everything a failed load must leave alone.
struct Snapshot {
    int count, current, boardsize;
    std::vector<TMove> moves;
    tBoard board;
    int side, computerSide, depth, boardSize;
    bool gameOver, vs, practice, baby, advanced;

    static Snapshot Take(const GameState& g) {
        const auto& t = *g.Tracker;
        return {t.count(),    t.current(),    t.boardsize(), t.moves(),       g.Boards[0],
                g.SideToMove, g.ComputerSide, g.Depth,       g.BoardSize,     g.GameOver,
                g.VsComputer, g.PracticeGame, g.BabyLevel,   g.AdvancedEngine};
    }
    void ExpectSame(const Snapshot& o) const {
        EXPECT_EQ(count, o.count);
        EXPECT_EQ(current, o.current);
        EXPECT_EQ(boardsize, o.boardsize);
        ASSERT_EQ(moves.size(), o.moves.size());
        for (std::size_t i = 0; i < moves.size(); ++i) {
            EXPECT_EQ(moves[i].dest, o.moves[i].dest);
            EXPECT_EQ(moves[i].board, o.moves[i].board);
        }
        EXPECT_EQ(board, o.board);
        EXPECT_EQ(side, o.side);
        EXPECT_EQ(computerSide, o.computerSide);
        EXPECT_EQ(depth, o.depth);
        EXPECT_EQ(boardSize, o.boardSize);
        EXPECT_EQ(gameOver, o.gameOver);
        EXPECT_EQ(vs, o.vs);
        EXPECT_EQ(practice, o.practice);
        EXPECT_EQ(baby, o.baby);
        EXPECT_EQ(advanced, o.advanced);
    }
};

}  // namespace

TEST_F(SavedGameTest, EmptyMatchIs24Bytes) {
    SetSettings(3, true, true, false, true, 7);
    ASSERT_TRUE(Tracker().SaveToFile(game(), File("empty.kzv").string()).Ok());
    const Bytes expected{'2', 'V', 'Z', 'K', 8, 0, 0, 0, 0, 0, 0, 0,
                         3,   0,   0,   0,   1, 1, 0, 1, 7, 0, 0, 0};
    EXPECT_EQ(ReadAll(File("empty.kzv")), expected);
}

TEST_F(SavedGameTest, SavedMovesAreByteExactAndIncludeUndoneMoves) {
    Play(5);
    ASSERT_TRUE(Tracker().Undo(game()));
    ASSERT_TRUE(Tracker().Undo(game()));
    SetSettings(2, false, false, true, false, 1);
    ASSERT_TRUE(Tracker().SaveToFile(game(), File("five.kzv").string()).Ok());

    FileBuilder b;
    b.Text("2VZK").Int(8).Int(5);
    for (const TMove& m : Tracker().moves()) b.Move(m);
    b.Int(2).Byte(0).Byte(0).Byte(1).Byte(0).Int(1);
    const Bytes bytes = ReadAll(File("five.kzv"));
    ASSERT_EQ(bytes.size(), 24u + 156u * 5u);
    EXPECT_EQ(bytes, b.bytes);
    // Spot checks against the field offsets: first move's dest at 12, its
    // board's first playing square at 24 + 11, the computer's colour at 12 + 156 c.
    EXPECT_EQ(bytes[12], Tracker().moves()[0].dest);
    EXPECT_EQ(bytes[16], 2);
    EXPECT_EQ(bytes[20], 3);
    EXPECT_EQ(bytes[24 + 11], 1);
    EXPECT_EQ(bytes[24 + 44], 2);
    EXPECT_EQ(bytes[12 + 156 * 5], 2);

    // Loading restores all five with the record at its last move.
    StartGame(8);
    ASSERT_TRUE(OpenMatch(game(), File("five.kzv").string()).Ok());
    EXPECT_EQ(Tracker().count(), 5);
    EXPECT_EQ(Tracker().current(), 5);
}

TEST_F(SavedGameTest, RoundTripOnBothFieldSizes) {
    for (const int size : {8, 10}) {
        SCOPED_TRACE(size);
        StartGame(size);
        Play(size == 8 ? 20 : 40);
        const tBoard finalPosition = game().Boards[0];
        const std::vector<TMove> moves = Tracker().moves();
        SetSettings(3, true, true, true, true, 9);
        const std::string name = File("round" + std::to_string(size) + ".kzv").string();
        ASSERT_TRUE(Tracker().SaveToFile(game(), name).Ok());

        // Load into a game of the other size with other settings.
        StartGame(size == 8 ? 10 : 8);
        SetSettings(2, false, false, false, false, 4);
        const FileResult r = OpenMatch(game(), name);
        ASSERT_TRUE(r.Ok()) << r.message;
        EXPECT_EQ(Tracker().boardsize(), size);
        ASSERT_EQ(Tracker().count(), static_cast<int>(moves.size()));
        EXPECT_EQ(Tracker().current(), Tracker().count());
        for (std::size_t i = 0; i < moves.size(); ++i) {
            EXPECT_EQ(Tracker().moves()[i].dest, moves[i].dest);
            EXPECT_EQ(Tracker().moves()[i].who, moves[i].who);
            EXPECT_EQ(Tracker().moves()[i].opp, moves[i].opp);
            EXPECT_EQ(Tracker().moves()[i].board, moves[i].board);
        }
        const auto& g = game();
        EXPECT_EQ(g.ComputerSide, 3);
        EXPECT_TRUE(g.VsComputer);
        EXPECT_TRUE(g.PracticeGame);
        EXPECT_TRUE(g.BabyLevel);
        EXPECT_TRUE(g.AdvancedEngine);
        EXPECT_EQ(g.Depth, 9);

        // The list is rebuilt with line 0 selected.
        EXPECT_EQ(list.lines.size(), moves.size() + 1);
        EXPECT_EQ(list.lines.back(), "*FLAG:EOL*");
        EXPECT_EQ(list.lines[0], OBoardTracker::MoveListLine(1, "Yellow", moves[0].dest, size));
        EXPECT_EQ(list.selected, 0);

        // What the window does next: take the size, start over and replay.
        game().BoardSize = Tracker().boardsize();
        SelectEngine(game());
        InitBoards(game());
        Tracker().GoToStart(game());
        while (Tracker().Redo(game(), false)) {
        }
        EXPECT_EQ(game().Boards[0], finalPosition);
    }
}

TEST_F(SavedGameTest, LoadsVersionZeroAndOneFiles) {
    Play(2);
    const std::vector<TMove> moves = Tracker().moves();
    struct Case {
        const char* signature;
        int version;
    };
    for (const auto& c : {Case{"0VZK", 0}, Case{"1VZK", 1}}) {
        SCOPED_TRACE(c.signature);
        StartGame(8);
        SetSettings(2, false, false, true, true, 6);
        FileBuilder b;
        b.Text(c.signature).Int(8).Int(2).Move(moves[0]).Move(moves[1]).Int(3).Byte(7);
        if (c.version == 1) b.Byte(1);
        ASSERT_EQ(b.bytes.size(), c.version == 0 ? 17u + 312u : 18u + 312u);
        WriteAll(File("old.kzv"), b.bytes);

        const FileResult r = OpenMatch(game(), File("old.kzv").string());
        ASSERT_TRUE(r.Ok()) << r.message;
        EXPECT_EQ(Tracker().count(), 2);
        EXPECT_EQ(game().ComputerSide, 3);
        EXPECT_TRUE(game().VsComputer);  // any byte other than 0 is set
        EXPECT_EQ(game().PracticeGame, c.version == 1);
        // Values the version does not hold keep what they were.
        EXPECT_TRUE(game().BabyLevel);
        EXPECT_TRUE(game().AdvancedEngine);
        EXPECT_EQ(game().Depth, 6);
    }
}

TEST_F(SavedGameTest, BytesAfterTheLastFieldAreIgnored) {
    Play(1);
    SetSettings(2, true, false, false, false, 3);
    ASSERT_TRUE(Tracker().SaveToFile(game(), File("a.kzv").string()).Ok());
    Bytes bytes = ReadAll(File("a.kzv"));
    bytes.insert(bytes.end(), 100, 0xEE);
    WriteAll(File("a.kzv"), bytes);
    StartGame(8);
    EXPECT_TRUE(OpenMatch(game(), File("a.kzv").string()).Ok());
    EXPECT_EQ(Tracker().count(), 1);
    EXPECT_EQ(game().Depth, 3);
}

TEST_F(SavedGameTest, WithoutASignatureNothingChanges) {
    Play(3);
    ASSERT_TRUE(Tracker().GoToMove(game(), 1));
    game().Depth = 5;
    const Snapshot before = Snapshot::Take(game());
    WriteAll(File("other.kzv"),
             FileBuilder{}.Text("3VZK").Int(8).Int(0).Int(2).Int(0).Int(0).bytes);
    list.calls.clear();

    const FileResult r = OpenMatch(game(), File("other.kzv").string());
    EXPECT_EQ(r.status, FileStatus::NotAMatch);
    Snapshot::Take(game()).ExpectSame(before);
    EXPECT_TRUE(list.calls.empty()) << "the move list was touched";
    EXPECT_FALSE(FileHasMatchSignature(File("other.kzv").string()));
}

TEST_F(SavedGameTest, DamagedFilesChangeNothing) {
    // A sound two-move file to damage; offsets below refer to it.
    Play(2);
    const std::vector<TMove> moves = Tracker().moves();
    SetSettings(3, true, false, false, false, 4);
    ASSERT_TRUE(Tracker().SaveToFile(game(), File("good.kzv").string()).Ok());
    const Bytes good = ReadAll(File("good.kzv"));
    ASSERT_EQ(good.size(), 24u + 2u * 156u);

    const auto setInt = [](Bytes b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    const auto setByte = [](Bytes b, std::size_t at, std::uint8_t v) {
        b[at] = v;
        return b;
    };
    const auto cut = [](Bytes b, std::size_t size) {
        b.resize(size);
        return b;
    };
    const std::size_t move2 = 12 + 156;  // the second move's dest
    const std::size_t board2 = move2 + 12;
    const std::size_t tail = 12 + 2 * 156;  // ComputerSide

    struct Case {
        const char* what;
        Bytes bytes;
        bool readError;
    };
    const Case cases[] = {
        {"empty file", {}, true},
        {"half a signature", cut(good, 2), true},
        {"no field size", cut(good, 6), true},
        {"no move count", cut(good, 10), true},
        {"half a move", cut(good, 12 + 156 + 80), true},
        {"last byte missing", cut(good, good.size() - 1), true},
        {"version 1 without its flag", cut(setByte(good, 0, '1'), tail + 5), true},
        {"count beyond the file", setInt(good, 8, 3), true},
        {"field size 9", setInt(good, 4, 9), false},
        {"field size 0", setInt(good, 4, 0), false},
        {"negative count", setInt(good, 8, 0xFFFFFFFF), false},
        {"huge count", setInt(good, 8, 0x7FFFFFFF), false},
        {"61 moves on 8 x 8", setInt(good, 8, 61), false},
        {"dest on the first border byte", setInt(good, move2, 0), false},
        {"dest between two columns", setInt(good, move2, 19), false},
        {"dest past the field", setInt(good, move2, 89), false},
        {"dest is the pass value", setInt(good, move2, 1000), false},
        {"dest negative", setInt(good, move2, 0xFFFFFFF5), false},
        {"who is empty", setInt(good, move2 + 4, 1), false},
        {"who equals opp", setInt(good, move2 + 4, 2), false},
        {"opp is 5", setInt(good, move2 + 8, 5), false},
        {"border byte 0 set", setByte(good, board2 + 0, 1), false},
        {"border byte 19 set", setByte(good, board2 + 19, 2), false},
        {"border byte 143 set", setByte(good, board2 + 143, 3), false},
        {"playing square 0", setByte(good, board2 + 11, 0), false},
        {"playing square 4", setByte(good, board2 + 88, 4), false},
        {"computer colour 0", setInt(good, tail, 0), false},
        {"level 0", setInt(good, tail + 8, 0), false},
        {"level 10", setInt(good, tail + 8, 10), false},
    };

    StartGame(8);
    Play(3);
    ASSERT_TRUE(Tracker().Undo(game()));
    SetSettings(2, false, true, true, true, 6);
    game().GameOver = true;
    const Snapshot before = Snapshot::Take(game());
    const auto linesBefore = list.lines;

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = File("bad.kzv");
        WriteAll(path, c.bytes);
        list.calls.clear();
        const FileResult r = OpenMatch(game(), path.string());
        EXPECT_EQ(r.status, FileStatus::Failed);
        if (c.readError) {
            EXPECT_EQ(r.message, "Stream read error");
        } else {
            EXPECT_NE(r.message.find("\"" + path.string() + "\""), std::string::npos) << r.message;
            EXPECT_NE(r.message.find("not a valid"), std::string::npos) << r.message;
        }
        Snapshot::Take(game()).ExpectSame(before);
        EXPECT_TRUE(list.calls.empty());
        EXPECT_EQ(list.lines, linesBefore);
    }
}

TEST_F(SavedGameTest, TenByTenAllowsNinetySixMoves) {
    // The count bound follows the stored field size: 96 on 10 x 10, 60 on 8 x 8.
    for (const auto& [size, count, ok] :
         {std::tuple{10, 96, true}, std::tuple{10, 97, false}, std::tuple{8, 60, true}}) {
        SCOPED_TRACE(count);
        tBoard b{};
        for (int sq = 0; sq < 144; ++sq) {
            if (IsPlayingSquare(sq, size)) b[sq] = 1;
        }
        FileBuilder f;
        f.Text("2VZK").Int(size).Int(count);
        for (int i = 0; i < count; ++i) f.Move(TMove{SquareIndex(0, 0, size), 2, 3, b});
        f.Int(2).Byte(0).Byte(0).Byte(0).Byte(0).Int(1);
        WriteAll(File("long.kzv"), f.bytes);
        const FileResult r = OpenMatch(game(), File("long.kzv").string());
        EXPECT_EQ(r.Ok(), ok) << r.message;
        if (ok) {
            EXPECT_EQ(Tracker().count(), count);
        }
    }
}

TEST_F(SavedGameTest, MissingFileNamesTheFileAndTheReason) {
    const std::string name = File("missing.kzv").string();
    const Snapshot before = Snapshot::Take(game());
    const FileResult r = OpenMatch(game(), name);
    EXPECT_EQ(r.status, FileStatus::Failed);
    EXPECT_EQ(r.message, "Cannot open file \"" + name + "\". No such file or directory");
    Snapshot::Take(game()).ExpectSame(before);

    fs::create_directories(File("folder.kzv"));
    const FileResult folder = OpenMatch(game(), File("folder.kzv").string());
    EXPECT_EQ(folder.status, FileStatus::Failed);
    EXPECT_EQ(folder.message.rfind("Cannot open file \"" + File("folder.kzv").string() + "\". ", 0),
              0u)
        << folder.message;
    Snapshot::Take(game()).ExpectSame(before);
}

TEST_F(SavedGameTest, SavingReplacesTheFileAndLeavesNothingElse) {
    WriteAll(File("match.kzv"), Bytes(1000, 0xAB));
    Play(2);
    ASSERT_TRUE(Tracker().SaveToFile(game(), File("match.kzv").string()).Ok());
    EXPECT_EQ(ReadAll(File("match.kzv")).size(), 24u + 2u * 156u);
    EXPECT_TRUE(FileHasMatchSignature(File("match.kzv").string()));
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(SavedGameTest, SavingWhereNoFileCanBeCreatedReportsIt) {
    const std::string name = (dir / "no-such-folder" / "match.kzv").string();
    const FileResult r = Tracker().SaveToFile(game(), name);
    EXPECT_EQ(r.status, FileStatus::Failed);
    EXPECT_EQ(r.message, "Cannot create file \"" + name + "\". No such file or directory");

    // A folder in the way: the old content is kept.
    fs::create_directories(File("taken.kzv") / "inside");
    const FileResult taken = Tracker().SaveToFile(game(), File("taken.kzv").string());
    EXPECT_EQ(taken.status, FileStatus::Failed);
    EXPECT_NE(taken.message.find("Cannot create file"), std::string::npos);
    EXPECT_TRUE(fs::exists(File("taken.kzv") / "inside"));
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 1);
}

// What stands at a path, read without following a link at the path itself.
struct Standing {
    fs::file_type type = fs::file_type::not_found;
    Bytes content;  // of a regular file, or of the file a link points to
    fs::path linkTo;
    bool operator==(const Standing&) const = default;
};

Standing StandingAt(const fs::path& path) {
    Standing s;
    std::error_code ec;
    s.type = fs::symlink_status(path, ec).type();
    if (s.type == fs::file_type::symlink) s.linkTo = fs::read_symlink(path, ec);
    if (fs::is_regular_file(path, ec)) s.content = ReadAll(path);
    return s;
}

TEST_F(SavedGameTest, SaveTargetsTable) {
    Play(3);
    ASSERT_TRUE(Tracker().SaveToFile(game(), File("reference.kzv").string()).Ok());
    const Bytes match = ReadAll(File("reference.kzv"));
    const Bytes old(100, 0x5A);
    const bool root = ::geteuid() == 0;

    struct Row {
        const char* name;
        std::function<void(const fs::path&)> make;  // puts the target in place
        bool saved;
        const char* reason;  // of a refusal: "Cannot create file "<name>". <reason>"
        fs::file_type typeAfter;
        bool holdsMatch;  // the file (or the link's file) then holds the match
    };
    const fs::path elsewhere = dir / "elsewhere";
    fs::create_directories(elsewhere);
    const std::vector<Row> rows = {
        {"new.kzv", [](const fs::path&) {}, true, "", fs::file_type::regular, true},
        {"old.kzv", [&](const fs::path& p) { WriteAll(p, old); }, true, "", fs::file_type::regular,
         true},
        {"pipe.kzv", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, false,
         "Not a regular file", fs::file_type::fifo, false},
        {"device.kzv",
         [](const fs::path& p) { ASSERT_EQ(::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); },
         false, "Not a regular file", fs::file_type::character, false},
        {"folder.kzv", [](const fs::path& p) { fs::create_directories(p); }, false,
         "Is a directory", fs::file_type::directory, false},
        {"readonly.kzv",
         [&](const fs::path& p) {
             WriteAll(p, old);
             fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
         },
         false, "Permission denied", fs::file_type::regular, false},
        {"link.kzv",
         [&](const fs::path& p) {
             WriteAll(elsewhere / "linked.kzv", old);
             fs::create_symlink(elsewhere / "linked.kzv", p);
         },
         true, "", fs::file_type::symlink, true},
        {"relative-link.kzv",
         [&](const fs::path& p) {
             WriteAll(elsewhere / "relative.kzv", old);
             fs::create_symlink("elsewhere/relative.kzv", p);
         },
         true, "", fs::file_type::symlink, true},
        {"dangling.kzv",
         [&](const fs::path& p) { fs::create_symlink(elsewhere / "created.kzv", p); }, true, "",
         fs::file_type::symlink, true},
        {"link-to-pipe.kzv",
         [&](const fs::path& p) {
             ASSERT_EQ(::mkfifo((elsewhere / "pipe").c_str(), 0644), 0);
             fs::create_symlink(elsewhere / "pipe", p);
         },
         false, "Not a regular file", fs::file_type::symlink, false},
        {"link-to-device.kzv", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }, false,
         "Not a regular file", fs::file_type::symlink, false},
        {"loop.kzv", [](const fs::path& p) { fs::create_symlink(p, p); }, false,
         "Too many levels of symbolic links", fs::file_type::symlink, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path target = File(row.name);
        if (std::string(row.name) == "device.kzv" && !root) continue;  // mknod needs root
        row.make(target);
        const Standing before = StandingAt(target);
        // A save that waited on a pipe or a device would never end: it runs
        // on its own thread, and a reader frees it past the deadline.
        auto saving = std::async(std::launch::async,
                                 [&] { return Tracker().SaveToFile(game(), target.string()); });
        // The readers stay open until the save has returned, so that its
        // write neither waits again nor meets a pipe without a reader.
        std::vector<int> readers;
        if (saving.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            ADD_FAILURE() << "the save blocked";
            for (const fs::path& pipe : {target, elsewhere / "pipe"}) {
                const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
                if (fd >= 0) readers.push_back(fd);
            }
        }
        const FileResult result = saving.get();
        for (const int fd : readers) ::close(fd);
        const Standing after = StandingAt(target);
        EXPECT_EQ(after.type, row.typeAfter);
        EXPECT_EQ(after.linkTo, before.linkTo) << "a link stays as it was";
        if (row.saved) {
            EXPECT_TRUE(result.Ok()) << result.message;
        } else {
            EXPECT_EQ(result.status, FileStatus::Failed);
            EXPECT_EQ(result.message,
                      "Cannot create file \"" + target.string() + "\". " + row.reason);
            EXPECT_EQ(after, before) << "a refused target stays as it was";
        }
        if (row.holdsMatch) {
            EXPECT_EQ(after.content, match);
        } else {
            EXPECT_NE(after.content, match);
        }
    }
    // The read-only file keeps its mode; nothing else was left beside the
    // targets (no temporary files).
    EXPECT_EQ(fs::status(File("readonly.kzv")).permissions(),
              fs::perms::owner_read | fs::perms::group_read);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    for (const auto& e : fs::directory_iterator(elsewhere))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(SavedGameTest, NamesThatAreNoUtf8AreKeptAndShownReadably) {
    // The Latin-1 name "café.kzv": the bytes stay the file's name.
    const std::string latin1 = (dir / "caf\xe9.kzv").string();
    SetSettings(CellBlack, true, false, false, false, 1);
    Play(2);
    ASSERT_TRUE(Tracker().SaveToFile(game(), latin1).Ok());
    ASSERT_TRUE(fs::is_regular_file(latin1));
    EXPECT_FALSE(fs::exists(dir / "caf\xc3\xa9.kzv"));
    const Snapshot saved = Snapshot::Take(game());
    StartGame(8);
    const FileResult loaded = OpenMatch(game(), latin1);
    ASSERT_TRUE(loaded.Ok()) << loaded.message;
    EXPECT_EQ(Tracker().count(), saved.count);

    // In messages the name reads "café".
    fs::create_directories(dir / "caf\xe9-folder.kzv");
    const FileResult r = Tracker().SaveToFile(game(), (dir / "caf\xe9-folder.kzv").string());
    EXPECT_EQ(r.message, "Cannot create file \"" + (dir / "caf\xc3\xa9-folder.kzv").string() +
                             "\". Is a directory");
    EXPECT_EQ(ReadableFileName("a\x80z\xff"), "a\xef\xbf\xbdz\xc3\xbf");
    EXPECT_EQ(ReadableFileName("\xc3\xa9\xed\xa0\x80"), "\xc3\xa9\xc3\xad\xc2\xa0\xef\xbf\xbd");
}

TEST(SavedGameFormatTest, SignatureVersions) {
    const auto version = [](const std::string& s) {
        return MatchFileVersion(Bytes(s.begin(), s.end()));
    };
    EXPECT_EQ(version("0VZK"), 0);
    EXPECT_EQ(version("1VZKxx"), 1);
    EXPECT_EQ(version("2VZK"), 2);
    EXPECT_FALSE(version("3VZK"));
    EXPECT_FALSE(version("2vzk"));
    EXPECT_FALSE(version("2VZ"));
    EXPECT_FALSE(version(""));
}
