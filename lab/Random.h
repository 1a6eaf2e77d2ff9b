#pragma once

#include <cstdint>
#include <span>

namespace utlab {

// Small seeded generator (SplitMix64). Unlike the standard distributions it gives the same
// sequence with every compiler, so a seed reproduces a run anywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    [[nodiscard]] std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    [[nodiscard]] double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Uniform in [0, bound); 0 when bound is 0.
    [[nodiscard]] std::uint64_t below(std::uint64_t bound) {
        return bound == 0 ? 0 : next() % bound;
    }

    // Uniform in [low, high]; low when the range is empty.
    [[nodiscard]] int between(int low, int high) {
        return high <= low
                   ? low
                   : low + static_cast<int>(below(static_cast<std::uint64_t>(high - low) + 1));
    }

    [[nodiscard]] bool chance(double probability) { return uniform() < probability; }

    template <typename T> [[nodiscard]] const T& pick(std::span<const T> items) {
        return items[below(items.size())];
    }

private:
    std::uint64_t m_state;
};

} // namespace utlab
