#include "draw/draw_error.h"
#include "draw/file_bytes.h"
#include "draw/text_file.h"

#include "file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <errno.h>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using draw::DrawError;
using draw::TextList;

namespace {

using namespace std::string_literals;

struct LineCase {
    const char *label;
    std::string bytes;
    TextList lines;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LineCase &lineCase, std::ostream *out)
{
    *out << lineCase.label;
}

class LineRules : public testing::TestWithParam<LineCase> {};

TEST_P(LineRules, ParseGivesTheEntries)
{
    EXPECT_EQ(draw::parseTextList(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    TextList, LineRules,
    testing::Values(LineCase{"EmptyFile", "", {}}, LineCase{"NoFinalBreak", "a\r\nb", {"a", "b"}},
                    LineCase{"FinalCrLfAddsNoEntry", "a\r\nb\r\n", {"a", "b"}},
                    LineCase{"BlankLineBetweenNames", "a\r\n\r\nb\r\n", {"a", "", "b"}},
                    LineCase{"CrOnly", "a\rb\r", {"a", "b"}},
                    LineCase{"LfOnly", "a\nb\n", {"a", "b"}},
                    LineCase{"MixedBreaks", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
                    LineCase{"LfThenCrAreTwoBreaks", "a\n\rb", {"a", "", "b"}},
                    LineCase{"CrCrLf", "\r\r\n", {"", ""}}, LineCase{"LoneBreak", "\r\n", {""}},
                    LineCase{"NulStopsReading", "a\r\nb\0c\r\nd"s, {"a", "b"}},
                    LineCase{"NulFirst", "\0a\r\n"s, {}},
                    LineCase{"CrLfCutByNul", "a\r\0\nb"s, {"a"}},
                    LineCase{"NoTrimming", " \ta b \t\r\n", {" \ta b \t"}},
                    LineCase{"GbkBytesKept",
                             "\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE\r\n",
                             {"\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE"}}),
    [](const testing::TestParamInfo<LineCase> &caseInfo) {
        return std::string(caseInfo.param.label);
    });

TEST(TextListFormat, EveryEntryEndsInCrLfAndNothingElse)
{
    EXPECT_EQ(draw::formatTextList({}), "");
    EXPECT_EQ(draw::formatTextList({""}), "\r\n");
    EXPECT_EQ(draw::formatTextList({"a", "", "\xD5\xC5"}), "a\r\n\r\n\xD5\xC5\r\n");
}

TEST(TextListFormat, ReadsBackTheSameEntries)
{
    const TextList lists[] = {{}, {""}, {"a", "", ""}, {"", "b"}, {" x ", "\xA3\xAC", "y"}};
    for (const TextList &lines : lists)
        EXPECT_EQ(draw::parseTextList(draw::formatTextList(lines)), lines);
}

TEST(TextListLineAt, OutOfRangeNamesTheLine)
{
    const TextList lines = {"a", "b"};
    EXPECT_EQ(draw::lineAt(lines, 1), "b");
    try {
        draw::lineAt(lines, 5);
        FAIL() << "no exception";
    } catch (const DrawError &error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (5)");
    }
}

// Runs in a fresh working folder, so relative names are used as the program uses them.
class TextFileIo : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    TempFolder m_folder;
    std::filesystem::path m_previous;
};

std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DrawError &error) {
        return error.what();
    }
    return "(no exception)";
}

TEST_F(TextFileIo, LoadsTheLinesOfAFile)
{
    std::filesystem::create_directory("抽奖名单");
    writeBytes("抽奖名单/抽奖名单.txt", "\xD5\xC5\xC8\xFD\r\n\r\n\xC0\xEE\xCB\xC4");
    EXPECT_EQ(draw::loadTextList("抽奖名单/抽奖名单.txt"),
              (TextList{"\xD5\xC5\xC8\xFD", "", "\xC0\xEE\xCB\xC4"}));
}

TEST_F(TextFileIo, OpenFailureQuotesThePathAsGiven)
{
    EXPECT_EQ(messageOf([] { draw::loadTextList("抽奖名单/抽奖名单.txt"); }),
              "Cannot open file \"抽奖名单/抽奖名单.txt\". No such file or directory");
    std::filesystem::create_directory("folder");
    EXPECT_EQ(messageOf([] { draw::loadTextList("folder"); }),
              "Cannot open file \"folder\". Is a directory");
}

TEST_F(TextFileIo, ReadFileBytesKeepsEveryByte)
{
    const std::string bytes = "BM\0\r\n\xFF\x00z"s;
    writeBytes("picture.bmp", bytes);
    EXPECT_EQ(draw::readFileBytes("picture.bmp"), bytes);
    EXPECT_EQ(messageOf([] { draw::readFileBytes("none.bmp"); }),
              "Cannot open file \"none.bmp\". No such file or directory");
}

TEST_F(TextFileIo, SaveWritesCrLfLinesWithoutMark)
{
    std::filesystem::create_directory("抽奖名单");
    writeBytes("抽奖名单/获奖记录.txt", "a much longer old content that must not survive\r\n");
    draw::saveTextList("抽奖名单/获奖记录.txt", {"[x]", "", "\xD5\xC5"});
    EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), "[x]\r\n\r\n\xD5\xC5\r\n");
    EXPECT_EQ(m_folder.entries(), (std::set<std::string>{"抽奖名单"}));
    EXPECT_EQ(TempFolder::entriesOf("抽奖名单"), (std::set<std::string>{"获奖记录.txt"}));

    draw::saveTextList("抽奖名单/获奖记录.txt", {});
    EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), "");
}

TEST_F(TextFileIo, SaveKeepsPermissionsOrFollowsTheUmask)
{
    writeBytes("kept.txt", "old\r\n");
    ASSERT_EQ(::chmod("kept.txt", 0640), 0);
    draw::saveTextList("kept.txt", {"new"});
    struct stat info {};
    ASSERT_EQ(::stat("kept.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const mode_t previous = ::umask(027);
    draw::saveTextList("fresh.txt", {"new"});
    ::umask(previous);
    ASSERT_EQ(::stat("fresh.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Failures that stop root as well: a missing folder, a "folder" that is a file, a
// target that is a folder, and a write cut short by the file size limit.
TEST_F(TextFileIo, CreateFailureNamesTheTarget)
{
    EXPECT_EQ(messageOf([] { draw::saveTextList("抽奖名单/获奖记录.txt", {"a"}); }),
              "Cannot create file \"抽奖名单/获奖记录.txt\". No such file or directory");

    writeBytes("plain", "x");
    EXPECT_EQ(messageOf([] { draw::saveTextList("plain/record.txt", {"a"}); }),
              "Cannot create file \"plain/record.txt\". Not a directory");
    EXPECT_EQ(readBytes("plain"), "x");
    EXPECT_EQ(m_folder.entries(), (std::set<std::string>{"plain"}));
}

TEST_F(TextFileIo, FailedRenameLeavesTargetAndNoTemporary)
{
    std::filesystem::create_directories("record.txt/inside");
    EXPECT_EQ(messageOf([] { draw::saveTextList("record.txt", {"a"}); }),
              "Cannot create file \"record.txt\". Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory("record.txt/inside"));
    EXPECT_EQ(m_folder.entries(), (std::set<std::string>{"record.txt"}));
}

// Lowers the file size limit for the scope, with SIGXFSZ ignored so the write fails
// with EFBIG instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

TEST_F(TextFileIo, FailedWriteLeavesOldFileUntouched)
{
    writeBytes("record.txt", "old\r\n");
    const TextList big(1000, std::string(100, 'n'));
    std::string message;
    {
        const FileSizeLimit limit(4096);
        message = messageOf([&] { draw::saveTextList("record.txt", big); });
    }
    EXPECT_EQ(message, "Cannot create file \"record.txt\". File too large");
    EXPECT_EQ(readBytes("record.txt"), "old\r\n");
    EXPECT_EQ(m_folder.entries(), (std::set<std::string>{"record.txt"}));
}

TEST(ExecutableFolder, HoldsTheRunningProgram)
{
    const std::filesystem::path folder = draw::executableFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(
        std::filesystem::equivalent(folder / program_invocation_short_name, "/proc/self/exe"));
}

} // namespace
