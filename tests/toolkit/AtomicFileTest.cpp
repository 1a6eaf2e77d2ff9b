#include "toolkit/AtomicFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <ostream>

#if __has_include(<sys/stat.h>)
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using fake::readFile;
using fake::writeFile;

constexpr std::string_view kOld = "[Settings]\r\nQueryInterval=7\r\n";
constexpr std::string_view kNew = "[Settings]\r\nQueryInterval=2\r\n";

// What shows that a file was left alone: the same inode (no rename over
// it), the same bytes, mode and modification time.
struct FileState {
    ino_t inode = 0;
    mode_t mode = 0;
    std::string bytes;
    fs::file_time_type modified;

    bool operator==(const FileState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const FileState& state) {
    return out << "inode " << state.inode << ", mode " << std::oct << state.mode << std::dec
               << ", modified " << state.modified.time_since_epoch().count() << ", bytes \""
               << state.bytes << '"';
}

FileState stateOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return {info.st_ino, static_cast<mode_t>(info.st_mode & 07777), readFile(path),
            fs::last_write_time(path)};
}

struct ModeCase {
    mode_t mode;
    bool replaced;
};

// Tests and CI run as root, which the system lets write anything: the
// owner's write bit is what makes a file read-only for the program.
TEST(AtomicFile, ReadOnlyFileStaysAsItWasAndAWritableOneKeepsItsMode) {
    for (const ModeCase c : {ModeCase{0444, false}, ModeCase{0400, false}, ModeCase{0555, false},
                             ModeCase{0044, false}, ModeCase{0644, true}, ModeCase{0600, true},
                             ModeCase{0640, true}, ModeCase{0664, true}}) {
        fake::TempFolder dir;
        const fs::path path = dir.file("skarvell.ini");
        writeFile(path, kOld);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        const FileState before = stateOf(path);

        EXPECT_EQ(tk::replaceFileContents(path, kNew), c.replaced) << std::oct << c.mode;
        if (c.replaced) {
            EXPECT_EQ(readFile(path), kNew) << std::oct << c.mode;
            EXPECT_EQ(stateOf(path).mode, c.mode) << std::oct << c.mode;
        } else {
            EXPECT_EQ(stateOf(path), before) << std::oct << c.mode;
        }
        EXPECT_FALSE(fs::exists(tk::tempPathFor(path))) << std::oct << c.mode;
    }
}

TEST(AtomicFile, ReadOnlyFolderKeepsItsFilesAndTakesNoNewOnes) {
    fake::TempFolder dir;
    const fs::path folder = dir.file("locked");
    fs::create_directory(folder);
    const fs::path path = folder / "skarvell.ini";
    writeFile(path, kOld);
    const FileState before = stateOf(path);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

    EXPECT_FALSE(tk::replaceFileContents(path, kNew));
    EXPECT_FALSE(tk::replaceFileContents(folder / "fresh.ini", kNew));

    EXPECT_EQ(stateOf(path), before);
    EXPECT_FALSE(fs::exists(folder / "fresh.ini"));
    EXPECT_FALSE(fs::exists(tk::tempPathFor(path)));
    ::chmod(folder.c_str(), 0755); // so the folder can be cleaned up
}

} // namespace
#endif
