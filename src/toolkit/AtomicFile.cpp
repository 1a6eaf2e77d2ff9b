#include "toolkit/AtomicFile.h"

#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#elif __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define SKARVELL_HAVE_FSYNC 1
#endif

namespace fs = std::filesystem;

namespace tk {

namespace {

// Pushes the file's data to the disk; a rename is only safe after that,
// or a crash could leave the new name pointing at empty blocks.
#if defined(_WIN32)
bool syncFile(const fs::path& path) {
    const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::_commit(fd) == 0;
    ::_close(fd);
    return ok;
}

void syncDirectory(const fs::path&) {} // the rename is journalled by NTFS
#elif defined(SKARVELL_HAVE_FSYNC)
bool syncFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Makes the rename itself durable. Best effort: the new file is complete
// either way.
void syncDirectory(const fs::path& dir) {
    const fs::path name = dir.empty() ? fs::path(".") : dir;
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        static_cast<void>(::fsync(fd));
        ::close(fd);
    }
}
#else
bool syncFile(const fs::path&) {
    return true;
}
void syncDirectory(const fs::path&) {}
#endif

fs::path resolveLink(const fs::path& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path real = fs::canonical(path, ec);
        if (!ec) {
            return real;
        }
    }
    return path;
}

// Removes the temporary file, never a directory that happens to carry its name.
void discard(const fs::path& temp) {
    std::error_code ec;
    const auto status = fs::symlink_status(temp, ec);
    if (!ec && fs::exists(status) && !fs::is_directory(status)) {
        fs::remove(temp, ec);
    }
}

// Whether the system lets this program open the file for writing. Opening
// without truncating changes nothing in the file.
#if defined(_WIN32)
bool systemLetsWrite(const fs::path& file) {
    const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        return false;
    }
    ::_close(fd);
    return true;
}
#elif defined(SKARVELL_HAVE_FSYNC)
bool systemLetsWrite(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}
#else
bool systemLetsWrite(const fs::path&) {
    return true;
}
#endif

bool ownerMayWrite(const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// A read-only file stays as it is, even where the folder would allow the
// rename over it. The owner's write bit counts as well as the system's
// answer, because the system answers yes to everything for root; a folder
// whose owner may not write in it keeps its files the same way.
bool mayReplace(const fs::path& target) {
    std::error_code ec;
    const auto status = fs::status(target, ec);
    if (fs::is_regular_file(status) && (!ownerMayWrite(status) || !systemLetsWrite(target))) {
        return false;
    }
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const auto folderStatus = fs::status(folder, ec);
    return !fs::is_directory(folderStatus) || ownerMayWrite(folderStatus);
}

bool writeWhole(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    bool ok = static_cast<bool>(out);
    out.close();
    return ok && !out.fail();
}

} // namespace

fs::path tempPathFor(const fs::path& path) {
    fs::path temp = path;
    temp += ".tmp";
    return temp;
}

bool replaceFileContents(const fs::path& path, std::string_view bytes) {
    try {
        const fs::path target = resolveLink(path);
        if (!mayReplace(target)) {
            return false;
        }
        const fs::path temp = tempPathFor(target);
        std::error_code ec;
        // A temporary file left by an earlier crash is replaced; a directory
        // in its place is not ours to delete.
        const auto tempStatus = fs::symlink_status(temp, ec);
        if (fs::is_directory(tempStatus)) {
            return false;
        }
        if (fs::exists(tempStatus) && !fs::remove(temp, ec)) {
            return false;
        }
        if (!writeWhole(temp, bytes) || !syncFile(temp)) {
            discard(temp);
            return false;
        }
        // Keep the old file's permissions (a user may have made it private).
        const auto oldStatus = fs::status(target, ec);
        if (!ec && fs::is_regular_file(oldStatus)) {
            fs::permissions(temp, oldStatus.permissions(), ec);
        }
        fs::rename(temp, target, ec);
        if (ec) {
            discard(temp);
            return false;
        }
        syncDirectory(target.parent_path());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tk
