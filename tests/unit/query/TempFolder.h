#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace testing_query {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("skarvell-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] std::string path() const { return m_path.string(); }

    // Creates a file (and its folders) at a path relative to the folder,
    // written with "/".
    void addFile(const std::string& relative) const {
        const std::filesystem::path file = m_path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    void addFolder(const std::string& relative) const {
        std::filesystem::create_directories(m_path / relative);
    }

private:
    std::filesystem::path m_path;
};

} // namespace testing_query
