#include "serverlist/MasterFile.h"

#include "toolkit/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define SKARVELL_HAVE_ACCESS 1
#endif

namespace fs = std::filesystem;

namespace serverlist {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string reasonOf(int code) {
    return std::generic_category().message(code);
}

std::string readError(const fs::path& path, const std::string& reason) {
    return "Cannot open file \"" + path.string() + "\": " + reason;
}

std::string writeError(const fs::path& path, const std::string& reason) {
    return "Cannot write file \"" + path.string() + "\": " + reason;
}

std::string joinLines(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + 2);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            out.append(bytes.substr(start));
            out += "\r\n";
            break;
        }
        out.append(bytes.substr(start, end - start));
        out += "\r\n";
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    return out;
}

bool ownerMayWrite(const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// Why the file could not be replaced, found before writing: the owner's
// write bits count as well as the system's answer, as root may write
// anywhere. 0 when nothing stands in the way.
int refusal(const fs::path& path) {
    std::error_code ec;
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    const auto folderStatus = fs::status(folder, ec);
    if (!fs::exists(folderStatus)) {
        return ENOENT;
    }
    if (!fs::is_directory(folderStatus)) {
        return ENOTDIR;
    }
    if (!ownerMayWrite(folderStatus)) {
        return EACCES;
    }
    const auto fileStatus = fs::status(path, ec);
    if (fs::is_directory(fileStatus)) {
        return EISDIR;
    }
    if (fs::is_regular_file(fileStatus)) {
        if (!ownerMayWrite(fileStatus)) {
            return EACCES;
        }
#if defined(SKARVELL_HAVE_ACCESS)
        if (::access(path.c_str(), W_OK) != 0) {
            return errno;
        }
#endif
    }
    return 0;
}

} // namespace

MasterFileText readMasterFile(const fs::path& path) {
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.string().c_str(), "rb"));
    if (!file) {
        return {std::nullopt, readError(path, reasonOf(errno != 0 ? errno : ENOENT))};
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, n);
        if (n < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        return {std::nullopt, readError(path, reasonOf(errno != 0 ? errno : EIO))};
    }
    return {joinLines(bytes), {}};
}

std::optional<std::string> writeMasterFile(const fs::path& path, std::string_view reply) {
    if (const int code = refusal(path); code != 0) {
        return writeError(path, reasonOf(code));
    }
    std::string line(reply);
    line += "\r\n";
    errno = 0;
    if (!tk::replaceFileContents(path, line)) {
        return writeError(path, reasonOf(errno != 0 ? errno : EIO));
    }
    return std::nullopt;
}

} // namespace serverlist
