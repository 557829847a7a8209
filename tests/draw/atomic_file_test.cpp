#include "draw/atomic_file.h"
#include "file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
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

// How this program names its temporaries: hidden, the target's name, six random
// characters and a suffix of its own.
std::string temporaryName(const std::string &target, const std::string &random)
{
    return "." + target + "." + random + ".luckydraw-save";
}

TEST(AtomicFile, RemovesOnlyItsOwnUnlockedTemporariesOfThatTarget)
{
    TempFolder folder;
    const fs::path target = folder / kRecord;
    const std::string prefix = "." + kRecord + ".";
    const std::string other = "\xB3\xE9\xBD\xB1\xC3\xFB\xB5\xA5.txt"; // 抽奖名单.txt
    const std::set<std::string> stale = {temporaryName(kRecord, "Ab3dE9"),
                                         temporaryName(kRecord, "zzzzzz"),
                                         temporaryName(kRecord, "000000")};
    const std::set<std::string> kept = {
        // Other tools' files that look like a temporary of the record.
        prefix + "backup",
        prefix + "Qx81Zb",
        prefix + "Ab3dE9.tmp",
        // Near misses of the program's own names.
        temporaryName(kRecord, "Ab3dE"),
        temporaryName(kRecord, "Ab3dE9x"),
        temporaryName(kRecord, "Ab-dE9"),
        temporaryName(kRecord, "Ab3dE\xD5"),
        temporaryName(kRecord, "Ab3dE9") + "~",
        temporaryName(other, "Ab3dE9"),
        "." + kRecord,
        prefix,
        "notes.txt",
    };
    for (const std::string &name : stale)
        writeBytes(folder / name, "half a rec");
    for (const std::string &name : kept)
        writeBytes(folder / name, "keep me");
    // Right name, but a folder, a link (to a file outside) and one a save holds locked.
    const std::string asFolder = temporaryName(kRecord, "DIR123");
    const std::string asLink = temporaryName(kRecord, "LINK12");
    const std::string locked = temporaryName(kRecord, "Locked");
    fs::create_directory(folder / asFolder);
    TempFolder outside;
    writeBytes(outside / "precious", "precious");
    fs::create_symlink(outside / "precious", folder / asLink);
    writeBytes(folder / locked, "being written");
    const int held = ::open((folder / locked).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    draw::replaceFileAtomically(target, "new\r\n");
    ::close(held);

    std::set<std::string> expected = kept;
    expected.insert({asFolder, asLink, locked});
    EXPECT_EQ(leftoversOf(folder), expected);
    EXPECT_EQ(readBytes(outside / "precious"), "precious");
    EXPECT_EQ(readBytes(target), "new\r\n");

    // Once nothing holds it, the next save takes the locked one too.
    draw::replaceFileAtomically(target, "newer\r\n");
    expected.erase(locked);
    EXPECT_EQ(leftoversOf(folder), expected);
}

// Another program's save runs its clean-up in the moment between this save's
// creation of its temporary file and its lock.
TEST(AtomicFile, ASaveRunningAlongsideDoesNotMakeItFail)
{
    TempFolder folder;
    const fs::path target = folder / kRecord;
    writeBytes(target, "old\r\n");
    int calls = 0;
    draw::setTemporaryCreatedHook([&](const fs::path &) {
        if (++calls == 1)
            draw::replaceFileAtomically(target, "other\r\n");
    });
    EXPECT_NO_THROW(draw::replaceFileAtomically(target, "mine\r\n"));
    draw::setTemporaryCreatedHook(nullptr);
    EXPECT_EQ(readBytes(target), "mine\r\n");
    EXPECT_EQ(leftoversOf(folder), std::set<std::string>{});
}

// Runs `save` as an ordinary user, as the operator does: in a child process that
// gives up root first when the tests run as root. Returns what it threw, or "".
std::string asOrdinaryUser(const std::function<void()> &save)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "(no pipe)";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string result;
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            result = "(cannot become an ordinary user)";
        if (result.empty()) {
            try {
                save();
            } catch (const std::exception &e) {
                result = e.what();
            }
        }
        if (::write(pipeFds[1], result.data(), result.size()) < 0)
            ::_exit(2);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return result;
}

// An ordinary user's folder (or one nobody but its owner may change) and record.
void setModes(const TempFolder &folder, fs::perms folderMode, const fs::path &record,
              fs::perms recordMode)
{
    fs::permissions(folder.path(), folderMode);
    if (!record.empty())
        fs::permissions(record, recordMode);
}

TEST(AtomicFile, AReadOnlyRecordIsNotReplaced)
{
    TempFolder folder;
    const fs::path target = folder / kRecord;
    writeBytes(target, "old\r\n");
    setModes(folder, fs::perms::all, target,
             fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(asOrdinaryUser([&] { draw::replaceFileAtomically(target, "new\r\n"); }),
              "Cannot create file \"" + target.string() + "\". Permission denied");
    EXPECT_EQ(readBytes(target), "old\r\n");
    EXPECT_EQ(leftoversOf(folder), std::set<std::string>{});
}

TEST(AtomicFile, AWritableRecordInAFolderThatIsNotIsWrittenInPlace)
{
    TempFolder folder;
    const fs::path target = folder / kRecord;
    writeBytes(target, "an older, longer record\r\n");
    const fs::perms readAndEnter = fs::perms::owner_read | fs::perms::owner_exec |
        fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
        fs::perms::others_exec;
    setModes(folder, readAndEnter, target,
             fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                 ~fs::perms::others_exec);
    EXPECT_EQ(asOrdinaryUser([&] { draw::replaceFileAtomically(target, "new\r\n"); }), "");
    // A file that does not exist yet cannot be made there.
    const fs::path absent = folder / "absent.txt";
    EXPECT_EQ(asOrdinaryUser([&] { draw::replaceFileAtomically(absent, "new\r\n"); }),
              "Cannot create file \"" + absent.string() + "\". Permission denied");
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(readBytes(target), "new\r\n");
    EXPECT_EQ(leftoversOf(folder), std::set<std::string>{});
}

} // namespace
