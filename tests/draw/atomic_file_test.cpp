#include "draw/atomic_file.h"
#include "file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kRecord = "\xBB\xF1\xBD\xB1\xBC\xC7\xC2\xBC.txt"; // 获奖记录.txt in GBK bytes

std::set<std::string> leftoversOf(const TempFolder &folder)
{
    std::set<std::string> names = folder.entries();
    names.erase(kRecord);
    return names;
}

// A save killed while it writes: the file-size limit stops the child inside
// write() with SIGXFSZ, after its temporary file exists and before the rename.
void killASaveMidWrite(const fs::path &target)
{
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const rlimit tiny{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        std::signal(SIGXFSZ, SIG_DFL);
        try {
            draw::replaceFileAtomically(target, std::string(4096, 'x'));
        } catch (...) {
        }
        ::_exit(0); // not killed: the parent sees a plain exit and fails
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
}

TEST(AtomicFile, TheNextSaveRemovesWhatAKilledSaveLeft)
{
    TempFolder folder;
    const fs::path target = folder / kRecord;
    writeBytes(target, "old\r\n");
    killASaveMidWrite(target);
    killASaveMidWrite(target);
    const std::set<std::string> left = leftoversOf(folder);
    ASSERT_EQ(left.size(), 2u);
    for (const std::string &name : left)
        EXPECT_EQ(name.rfind("." + kRecord + ".", 0), 0u) << name;
    EXPECT_EQ(readBytes(target), "old\r\n"); // the record itself is intact

    draw::replaceFileAtomically(target, "new\r\n");
    EXPECT_EQ(leftoversOf(folder), std::set<std::string>{});
    EXPECT_EQ(readBytes(target), "new\r\n");
}

TEST(AtomicFile, RemovesOnlyItsOwnUnlockedTemporariesOfThatTarget)
{
    TempFolder folder;
    const fs::path target = folder / kRecord;
    const std::string prefix = "." + kRecord + ".";
    const std::string other = "\xB3\xE9\xBD\xB1\xC3\xFB\xB5\xA5.txt"; // 抽奖名单.txt
    const std::set<std::string> stale = {prefix + "Ab3dE9", prefix + "zzzzzz", prefix + "000000"};
    const std::set<std::string> kept = {
        prefix + "Ab3dE",
        prefix + "Ab3dE9x",
        prefix + "Ab-dE9",
        prefix + "Ab3dE\xD5",
        "." + other + ".Ab3dE9",
        kRecord + ".Ab3dE9",
        "." + kRecord,
        prefix,
        "notes.txt",
    };
    for (const std::string &name : stale)
        writeBytes(folder / name, "half a rec");
    for (const std::string &name : kept)
        writeBytes(folder / name, "keep me");
    // Right name, but a folder, a link (to a file outside) and one a save holds locked.
    fs::create_directory(folder / (prefix + "DIR123"));
    TempFolder outside;
    writeBytes(outside / "precious", "precious");
    fs::create_symlink(outside / "precious", folder / (prefix + "LINK12"));
    writeBytes(folder / (prefix + "Locked"), "being written");
    const int held = ::open((folder / (prefix + "Locked")).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    draw::replaceFileAtomically(target, "new\r\n");
    ::close(held);

    std::set<std::string> expected = kept;
    expected.insert({prefix + "DIR123", prefix + "LINK12", prefix + "Locked"});
    EXPECT_EQ(leftoversOf(folder), expected);
    EXPECT_EQ(readBytes(outside / "precious"), "precious");
    EXPECT_EQ(readBytes(target), "new\r\n");

    // Once nothing holds it, the next save takes the locked one too.
    draw::replaceFileAtomically(target, "newer\r\n");
    expected.erase(prefix + "Locked");
    EXPECT_EQ(leftoversOf(folder), expected);
}

} // namespace
