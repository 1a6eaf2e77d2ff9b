#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include <gtest/gtest.h>

namespace fake {

// A fresh, empty folder for one test, removed with everything in it
// afterwards. The name carries the test's name and a random part, so test
// programs of different build folders running at once never share one.
class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "skarvell-";
        if (info != nullptr) {
            name += std::string(info->test_suite_name()) + "-" + info->name() + "-";
        }
        name += std::to_string(rd()) + std::to_string(rd());
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] std::string path() const { return m_path.string(); }
    [[nodiscard]] std::filesystem::path file(std::string_view relative) const {
        return m_path / relative;
    }

    // Creates a file (and its folders) at a path relative to the folder,
    // written with "/".
    void addFile(const std::string& relative) const {
        const std::filesystem::path f = m_path / relative;
        std::filesystem::create_directories(f.parent_path());
        std::ofstream(f) << "x";
    }
    void addFolder(const std::string& relative) const {
        std::filesystem::create_directories(m_path / relative);
    }

private:
    std::filesystem::path m_path;
};

// Writes a file with exactly these bytes.
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace fake
