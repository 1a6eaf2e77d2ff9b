// What loading and saving a settings file costs when it has gathered a huge
// number of blank lines: 10 MB of them between two short sections, read from
// a file, looked up as the settings loader does, edited as the settings
// writer does and saved.
//
// The counter footprint_per_byte is the document's memory over the file's
// size. For the peak memory of the whole process, run it under
// `/usr/bin/time -v build/bench/bench_inifile`.

#include "toolkit/IniFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBlankLines = 10u * 1000u * 1000u;

// The file, written once and removed when the program ends.
class BlankFile {
public:
    BlankFile()
        : m_path(fs::temp_directory_path() /
                 ("skarvell-bench-blank-" + std::to_string(::getpid()) + ".ini")) {
        std::string text = "[Settings]\nQueryInterval=3\n";
        text.append(kBlankLines, '\n');
        text += "[IRC]\nserver=irc.example.org\n";
        std::ofstream(m_path, std::ios::binary) << text;
        m_size = text.size();
    }
    ~BlankFile() {
        std::error_code ec;
        fs::remove(m_path, ec);
        fs::remove(m_path.string() + ".saved", ec);
    }
    BlankFile(const BlankFile&) = delete;
    BlankFile& operator=(const BlankFile&) = delete;

    [[nodiscard]] const fs::path& path() const { return m_path; }
    [[nodiscard]] std::size_t size() const { return m_size; }

private:
    fs::path m_path;
    std::size_t m_size = 0;
};

const BlankFile& blankFile() {
    static const BlankFile file;
    return file;
}

void BM_LoadBlankLines(benchmark::State& state) {
    const BlankFile& file = blankFile();
    std::size_t footprint = 0;
    for (auto _ : state) {
        tk::IniFile ini;
        if (ini.load(file.path()) != tk::IniLoadResult::Loaded) {
            state.SkipWithError("cannot load the file");
            return;
        }
        benchmark::DoNotOptimize(ini.readInteger("IRC", "Port", 6667));
        footprint = ini.footprint();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.counters["footprint_per_byte"] =
        static_cast<double>(footprint) / static_cast<double>(file.size());
}
BENCHMARK(BM_LoadBlankLines)->Unit(benchmark::kMillisecond);

void BM_EditAndSaveBlankLines(benchmark::State& state) {
    const BlankFile& file = blankFile();
    const fs::path saved = file.path().string() + ".saved";
    for (auto _ : state) {
        tk::IniFile ini;
        if (ini.load(file.path()) != tk::IniLoadResult::Loaded) {
            state.SkipWithError("cannot load the file");
            return;
        }
        for (int i = 0; i < 40; ++i) {
            ini.writeInteger(i % 2 == 0 ? "Settings" : "IRC", "Key" + std::to_string(i), i);
        }
        if (!ini.save(saved)) {
            state.SkipWithError("cannot save the file");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_EditAndSaveBlankLines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
