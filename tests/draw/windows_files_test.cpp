// The draw layer's Windows file calls: UTF-16 names, replacing a file whole,
// the messages of a failure, leftovers of a killed save, the program's folder.
#include "draw/draw_error.h"
#include "draw/file_bytes.h"
#include "draw/text_file.h"
#include "draw/utf8_path.h"
#include "file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const draw::DrawError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(WindowsFiles, ChineseNamesAreTheSystemsOwn)
{
    TempFolder temp;
    const std::filesystem::path folder = temp / draw::utf8Path("抽奖名单");
    std::filesystem::create_directory(folder);
    const std::filesystem::path record = folder / draw::utf8Path("获奖记录.txt");
    draw::saveTextList(record, {"[\xCC\xD8\xB5\xC8\xBD\xB1]", "a"});

    // Explorer sees the names as written, not their UTF-8 bytes one by one.
    EXPECT_EQ(temp.entries(), std::set<std::string>{"抽奖名单"});
    EXPECT_TRUE(std::filesystem::exists(temp.path() / L"\u62bd\u5956\u540d\u5355" /
                                        L"\u83b7\u5956\u8bb0\u5f55.txt"));
    EXPECT_EQ(draw::readFileBytes(record), "[\xCC\xD8\xB5\xC8\xBD\xB1]\r\na\r\n");
    EXPECT_EQ(draw::loadTextList(record), (draw::TextList{"[\xCC\xD8\xB5\xC8\xBD\xB1]", "a"}));
}

TEST(WindowsFiles, SavingReplacesTheFileWholeAndLeavesNothingElse)
{
    TempFolder temp;
    writeBytes(temp / "r.txt", "old contents that are longer\r\n");
    draw::saveTextList(temp / "r.txt", {"new"});
    EXPECT_EQ(readBytes(temp / "r.txt"), "new\r\n");
    draw::saveTextList(temp / "r.txt", {});
    EXPECT_EQ(readBytes(temp / "r.txt"), "");
    EXPECT_EQ(temp.entries(), std::set<std::string>{"r.txt"});
}

TEST(WindowsFiles, FailuresNameThePathAndTheReason)
{
    TempFolder temp;
    const std::filesystem::path missing = temp / "missing" / "r.txt";
    EXPECT_EQ(messageOf([&] { draw::saveTextList(missing, {"a"}); }),
              "Cannot create file \"" + missing.string() + "\". No such file or directory");
    EXPECT_EQ(messageOf([&] { draw::readFileBytes(missing); }),
              "Cannot open file \"" + missing.string() + "\". No such file or directory");
    EXPECT_EQ(temp.entries(), std::set<std::string>{});
}

TEST(WindowsFiles, TheNextSaveRemovesOnlyItsOwnLeftoversThatNoSaveHolds)
{
    TempFolder temp;
    writeBytes(temp / ".r.txt.AbC123.luckydraw-save", "left by a killed save");
    writeBytes(temp / ".r.txt.AbC123", "another tool's");
    writeBytes(temp / ".r.txt.backup", "another tool's");
    writeBytes(temp / ".other.txt.AbC123.luckydraw-save", "another file's");
    // A save running alongside keeps its temporary open, and Windows refuses to
    // delete an open file.
    std::ofstream held(temp / ".r.txt.XyZ789.luckydraw-save");
    draw::saveTextList(temp / "r.txt", {"a"});
    EXPECT_EQ(temp.entries(),
              (std::set<std::string>{".other.txt.AbC123.luckydraw-save", ".r.txt.AbC123",
                                     ".r.txt.XyZ789.luckydraw-save", ".r.txt.backup", "r.txt"}));
}

TEST(WindowsFiles, AReadOnlyRecordIsNotReplaced)
{
    TempFolder temp;
    writeBytes(temp / "r.txt", "kept\r\n");
    std::filesystem::permissions(temp / "r.txt",
                                 std::filesystem::perms::owner_read |
                                     std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read);
    EXPECT_EQ(messageOf([&] { draw::saveTextList(temp / "r.txt", {"new"}); }),
              "Cannot create file \"" + (temp / "r.txt").string() + "\". Permission denied");
    EXPECT_EQ(readBytes(temp / "r.txt"), "kept\r\n");
    std::filesystem::permissions(temp / "r.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(temp.entries(), std::set<std::string>{"r.txt"});
}

TEST(WindowsFiles, ExecutableFolderHoldsTheTestProgram)
{
    EXPECT_TRUE(std::filesystem::exists(draw::executableFolder() / "draw_tests.exe"));
}

} // namespace
