#include "MasterList.h"

#include "Random.h"

#include <algorithm>
#include <set>
#include <unordered_set>

namespace utlab {
namespace {

constexpr std::string_view kFinal = "\\final\\";
constexpr std::uint16_t kFirstMadeUpPort = 10000;
constexpr std::uint16_t kLastMadeUpPort = 32767;

} // namespace

std::string masterListText(std::span<const std::uint16_t> queryPorts) {
    std::string text;
    text.reserve(queryPorts.size() * 24 + kFinal.size());
    for (const std::uint16_t port : queryPorts) {
        text += "\\ip\\127.0.0.1:";
        text += std::to_string(port);
    }
    text += kFinal;
    return text;
}

std::vector<std::uint16_t> listedPorts(std::span<const std::uint16_t> labPorts, int entries,
                                       const std::function<bool(std::uint16_t)>& isFree) {
    std::vector<std::uint16_t> ports(labPorts.begin(), labPorts.end());
    if (entries < 0) {
        return ports;
    }
    const auto wanted = static_cast<std::size_t>(entries);
    if (ports.size() >= wanted) {
        ports.resize(wanted);
        return ports;
    }
    const std::unordered_set<std::uint16_t> own(labPorts.begin(), labPorts.end());
    std::vector<std::uint16_t> madeUp;
    for (std::uint32_t port = kFirstMadeUpPort;
         port <= kLastMadeUpPort && ports.size() + madeUp.size() < wanted; ++port) {
        const auto candidate = static_cast<std::uint16_t>(port);
        // The lab's game ports are one below its query ports and answer nothing either.
        if (!own.contains(candidate) && !own.contains(static_cast<std::uint16_t>(port + 1)) &&
            isFree(candidate)) {
            madeUp.push_back(candidate);
        }
    }
    for (std::size_t i = 0; ports.size() < wanted && !madeUp.empty(); ++i) {
        ports.push_back(madeUp[i % madeUp.size()]);
    }
    return ports;
}

std::vector<std::string> cutIntoPieces(std::string_view text, int count, std::uint64_t seed) {
    const std::size_t pieces = std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 1)),
                                                     std::max<std::size_t>(text.size(), 1));
    Random random(seed);
    std::set<std::size_t> cuts;
    if (pieces >= 2 && text.ends_with(kFinal)) {
        // Anywhere from after the first byte of the marker to before its last byte.
        cuts.insert(text.size() - kFinal.size() + 1 + random.below(kFinal.size() - 1));
    }
    while (cuts.size() + 1 < pieces) {
        cuts.insert(1 + random.below(text.size() - 1));
    }
    std::vector<std::string> result;
    std::size_t start = 0;
    for (const std::size_t cut : cuts) {
        result.emplace_back(text.substr(start, cut - start));
        start = cut;
    }
    result.emplace_back(text.substr(start));
    return result;
}

} // namespace utlab
