// The one check of every file read whole: only regular files, and never a
// wait on a named pipe or a device.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AllocationProbe.h"
#include "RegularFile.h"
#include "SavedGame.h"

namespace reversi {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("regular-file-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path Write(const char* name, const std::string& bytes) const {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Runs read on another thread; past a deadline frees a reader stuck in
    // opening fifo and fails.
    template <class F>
    static auto Bounded(F read, const fs::path& fifo) {
        auto result = std::async(std::launch::async, read);
        if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            ADD_FAILURE() << "the read blocked";
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        }
        return result.get();
    }

    fs::path dir;
};

TEST_F(RegularFileTest, ReadsARegularFileUpToTheBytesAskedFor) {
    const fs::path file = Write("ten", "0123456789");
    EXPECT_TRUE(IsRegularFile(file));
    const RegularFileBytes all = ReadRegularFile(file, 100);
    ASSERT_TRUE(all.Ok());
    EXPECT_EQ(std::string(all.bytes.begin(), all.bytes.end()), "0123456789");
    EXPECT_EQ(all.size, 10u);

    const RegularFileBytes start = ReadRegularFile(file, 4);
    ASSERT_TRUE(start.Ok());
    EXPECT_EQ(std::string(start.bytes.begin(), start.bytes.end()), "0123");
    EXPECT_EQ(ReadRegularFile(file, 4, LongerFile::Refuse).refusal, FileRefusal::TooLarge);
    EXPECT_TRUE(ReadRegularFile(file, 10, LongerFile::Refuse).Ok());
    EXPECT_TRUE(ReadRegularFile(Write("empty", ""), 10).Ok());

    // A link to a regular file is read through.
    fs::create_symlink(file, dir / "link");
    EXPECT_TRUE(ReadRegularFile(dir / "link", 100).Ok());
}

TEST_F(RegularFileTest, AFileIsReadAtItsOwnSizeNotAtTheCap) {
    // A picture's cap is 64 MiB; a file of a few bytes costs a few bytes.
    const fs::path file = Write("small", std::string(1000, 'x'));
    for (const LongerFile longer : {LongerFile::ReadStart, LongerFile::Refuse}) {
        const RegularFileBytes read = ReadRegularFile(file, 64u << 20, longer);
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.bytes.size(), 1000u);
        EXPECT_LE(read.bytes.capacity(), 1000u);
    }
}

TEST_F(RegularFileTest, ReadingAFileAllocatesNoMoreThanItsSize) {
    // Not only the bytes kept: nothing on the way may cost the cap either.
    if (!test::AllocationProbeAvailable()) GTEST_SKIP() << "new is the sanitizer's here";
    for (const std::size_t size : {1000u, 100000u}) {
        const fs::path file = Write("small", std::string(size, 'x'));
        for (const LongerFile longer : {LongerFile::ReadStart, LongerFile::Refuse}) {
            SCOPED_TRACE(size);
            const test::AllocationProbe probe;
            const RegularFileBytes read = ReadRegularFile(file, 64u << 20, longer);
            ASSERT_TRUE(read.Ok());
            ASSERT_EQ(read.bytes.size(), size);
            EXPECT_LE(probe.Largest(), size);
            // The file's bytes once, and its name.
            EXPECT_LE(probe.Total(), size + 1024) << probe.Total();
        }
    }
}

TEST_F(RegularFileTest, AFileLongerThanItsStatusSaysIsReadUpToTheCap) {
    // Files under /proc say they are empty and hold text: the same as a file
    // that grew after its size was looked at.
    const fs::path grown = "/proc/self/status";
    if (!IsRegularFile(grown)) GTEST_SKIP() << "no /proc here";
    const RegularFileBytes all = ReadRegularFile(grown, 1u << 20, LongerFile::Refuse);
    ASSERT_TRUE(all.Ok());
    EXPECT_EQ(all.size, 0u);
    EXPECT_EQ(std::string(all.bytes.begin(), all.bytes.begin() + 5), "Name:");
    const RegularFileBytes start = ReadRegularFile(grown, 5);
    ASSERT_TRUE(start.Ok());
    EXPECT_EQ(std::string(start.bytes.begin(), start.bytes.end()), "Name:");
    EXPECT_EQ(ReadRegularFile(grown, 5, LongerFile::Refuse).refusal, FileRefusal::TooLarge);
}

TEST_F(RegularFileTest, EverythingElseIsRefusedWithoutWaitingAndSaysWhy) {
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(dir / "folder");
    fs::create_symlink(dir / "gone", dir / "dangling");
    struct Case {
        fs::path path;
        FileRefusal refusal;
        const char* reason;
    };
    const Case cases[] = {
        {fifo, FileRefusal::NotRegular, "Not a regular file"},
        {"/dev/null", FileRefusal::NotRegular, "Not a regular file"},
        {"/dev/zero", FileRefusal::NotRegular, "Not a regular file"},
        {dir / "folder", FileRefusal::Folder, "Is a directory"},
        {dir / "missing", FileRefusal::Missing, "No such file or directory"},
        {dir / "dangling", FileRefusal::Missing, "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_FALSE(IsRegularFile(c.path));
        const RegularFileBytes read = Bounded([&c] { return ReadRegularFile(c.path, 1000); }, fifo);
        EXPECT_EQ(read.refusal, c.refusal);
        EXPECT_EQ(RefusalReason(read), c.reason);
        EXPECT_TRUE(read.bytes.empty());
    }
}

TEST_F(RegularFileTest, AFileWithoutReadPermissionCannotBeOpened) {
    const fs::path file = Write("locked", "2VZK");
    fs::permissions(file, fs::perms::none);
    if (::access(file.c_str(), R_OK) == 0) GTEST_SKIP() << "this user reads the file anyway";
    const RegularFileBytes read = ReadRegularFile(file, 100);
    EXPECT_EQ(read.refusal, FileRefusal::CannotOpen);
    EXPECT_EQ(RefusalReason(read), "Permission denied");
}

TEST_F(RegularFileTest, TheMatchChecksNameThePathAndTheReason) {
    const fs::path fifo = dir / "pipe.kzv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& path : {fifo, fs::path("/dev/null"), dir}) {
        SCOPED_TRACE(path.string());
        const FileResult check = Bounded([&path] { return CheckMatchFile(path.string()); }, fifo);
        EXPECT_EQ(check.status, FileStatus::Failed);
        EXPECT_EQ(check.message.rfind("Cannot open file \"" + path.string() + "\". ", 0), 0u)
            << check.message;
        SavedMatch match;
        const FileResult read =
            Bounded([&path, &match] { return ReadMatchFile(path.string(), match); }, fifo);
        EXPECT_EQ(read.message, check.message);
        EXPECT_FALSE(FileHasMatchSignature(path.string()));
    }
    EXPECT_EQ(CheckMatchFile(Write("text.kzv", "hello").string()).status, FileStatus::NotAMatch);
    EXPECT_EQ(CheckMatchFile(Write("short.kzv", "2V").string()).status, FileStatus::NotAMatch);
    EXPECT_TRUE(CheckMatchFile(Write("head.kzv", "2VZK").string()).Ok());
}

}  // namespace
}  // namespace reversi
