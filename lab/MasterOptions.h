#pragma once

#include <algorithm>
#include <cstdint>

namespace utlab {

// What the master server says when a client connects.
enum class Greeting {
    Secure,      // `\basic\\secure\XXXXXX`, then it wants the client's validate
    SecureFinal, // the same followed by `\final\`
    None,        // says nothing and answers the old request at once
};

enum class MasterBehaviour {
    Normal,
    Slow,   // the list trickles out in chunks spread over seconds
    Silent, // accepts connections and never says anything
    Refuse, // the port is held but nothing listens: connections are refused
};

// The lab's master server on 127.0.0.1, listing the lab's servers by their query ports.
struct MasterOptions {
    std::uint16_t port = 0; // TCP port; 0: any free port
    Greeting greeting = Greeting::Secure;
    MasterBehaviour behaviour = MasterBehaviour::Normal;
    int chunks = 1;            // the list leaves in this many pieces of seeded random sizes
    int gapMs = -1;            // between pieces; -1: 10 ms, or 700 ms when slow
    int entries = -1;          // -1: the lab's servers; more are made up, fewer cut the list
    bool keepOpen = false;     // leave the connection open after the list (default: close it)
    bool checkValidate = true; // false: any answer to the challenge will do, as on old masters
    std::uint64_t seed = 1;    // challenges and piece sizes
};

// A crowd of generated servers beside the configured ones, each with its own latency.
struct ManyOptions {
    int count = 0;
    int latencyLowMs = 25;
    int latencyHighMs = 250;
    std::uint64_t seed = 1;
};

inline constexpr int kMaxMany = 10000;
inline constexpr int kMaxEntries = 1'000'000;
inline constexpr int kMaxChunks = 100'000;
inline constexpr int kMaxGapMs = 10'000;
inline constexpr int kMaxLatencyMs = 10'000;

// The pause between two pieces of the list, with the default filled in.
[[nodiscard]] inline int chunkGapMs(const MasterOptions& options) {
    constexpr int kGapMs = 10;
    constexpr int kSlowGapMs = 700;
    if (options.gapMs >= 0) {
        return options.gapMs;
    }
    return options.behaviour == MasterBehaviour::Slow ? kSlowGapMs : kGapMs;
}

// The number of pieces of the list: a slow master sends at least six.
[[nodiscard]] inline int chunkCount(const MasterOptions& options) {
    constexpr int kSlowChunks = 6;
    return options.behaviour == MasterBehaviour::Slow ? std::max(options.chunks, kSlowChunks)
                                                      : options.chunks;
}

} // namespace utlab
