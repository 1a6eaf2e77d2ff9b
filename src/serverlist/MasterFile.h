#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace serverlist {

// Where a master's reply is kept: the program's working directory.
inline constexpr const char* kMasterFile = "./master.dat";

// A list file read: its text, or the message that says why it could not be
// read (the path and the system's reason).
struct MasterFileText {
    std::optional<std::string> text;
    std::string error;
};

// Reads the file as lines (ended by CR LF, LF or CR; a last line may lack
// its end) and joins them, each followed by CR LF.
[[nodiscard]] MasterFileText readMasterFile(const std::filesystem::path& path);

// Replaces the file with reply followed by CR LF, atomically: the old file
// stays whole when the new one cannot be written. Returns the message that
// says why it could not, or nullopt.
[[nodiscard]] std::optional<std::string> writeMasterFile(const std::filesystem::path& path,
                                                         std::string_view reply);

} // namespace serverlist
