#include "ManyServers.h"

#include "Random.h"

#include <array>
#include <string_view>

namespace utlab {
namespace {

constexpr std::array<int, 3> kVersions = {436, 451, 469};
constexpr std::array<std::string_view, 4> kGameTypes = {"DeathMatchPlus", "TeamGamePlus", "CTFGame",
                                                        "Domination"};
constexpr int kMaxCrowdPlayers = 12;

} // namespace

std::vector<ServerOptions> manyServers(const ManyOptions& options, int count) {
    Random random(options.seed ^ 0xC0'3D'5EED'0000'0001ULL);
    std::vector<ServerOptions> servers;
    servers.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        ServerOptions server;
        server.name = "Lab Crowd #" + std::to_string(i + 1);
        server.version = random.pick(std::span<const int>(kVersions));
        server.gameType = std::string(random.pick(std::span<const std::string_view>(kGameTypes)));
        server.players = random.between(0, kMaxCrowdPlayers);
        server.latencyMs = random.between(options.latencyLowMs, options.latencyHighMs);
        server.seed = random.next() | 1; // never 0, which would mean "from the name"
        servers.push_back(std::move(server));
    }
    return servers;
}

} // namespace utlab
