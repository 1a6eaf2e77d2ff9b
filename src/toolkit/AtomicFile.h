#pragma once

#include <filesystem>
#include <string_view>

namespace tk {

// The temporary file that replaceFileContents writes beside path: the same
// name with ".tmp" appended, in the same folder, so the final rename never
// crosses file systems.
[[nodiscard]] std::filesystem::path tempPathFor(const std::filesystem::path& path);

// Gives the file the content bytes so that, whatever happens (the program
// dies, the disk fills), the file is either the old one or the new one,
// whole: the bytes go to the temporary file, which is flushed to the disk
// and then renamed over the file. On failure the old file stays as it was,
// the temporary file is removed and the result is false. A symbolic link is
// followed, so the link itself stays in place; the new file gets the old
// one's permission bits.
//
// A file that cannot be written is a failure too, although the rename alone
// could replace it: a file whose owner has no write permission (chmod 444;
// checked here, as the system lets root write anything) or that the system
// refuses to open for writing, and any file in a folder whose owner has no
// write permission.
[[nodiscard]] bool replaceFileContents(const std::filesystem::path& path, std::string_view bytes);

} // namespace tk
