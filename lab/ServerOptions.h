#pragma once

#include "Text.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

enum class EchoStyle { Auto, Replay, Plain };
enum class NameCharset { Auto, Utf8, Latin1 };
// The order in which the datagrams of a reply leave: as packed, last first, or a seeded
// random order that is never the packed one (for two and more datagrams).
enum class DatagramOrder { Sent, Reverse, Shuffle };

inline constexpr int kMaxListed = 32; // players, bots and spectators each

// Everything that describes one emulated server. Defaults give a quiet 451 deathmatch server.
struct ServerOptions {
    std::string name = "Skarvell Lab";
    std::uint16_t gamePort = 0; // 0: any free pair of ports; the query port is always one above
    // The game port the replies report; 0: the one in use. A server behind port forwarding
    // reports its own port while it is reached on another.
    std::uint16_t hostPort = 0;
    int version = 451; // 436, 451 or 469 (469 behaves like 469c)
    std::string gameType = "DeathMatchPlus";
    std::string mapName;                  // empty: a stock map of the game type
    std::string mapTitle;                 // empty: derived from the map name
    int maxPlayers = 0;                   // 0: 16, or the number of players when that is larger
    int players = 0;                      // at least as many as playerNames
    std::vector<std::string> playerNames; // UTF-8; generated names fill the remaining slots
    int bots = 0;
    int spectators = 0;
    int timeLimit = 20; // minutes; a live level restarts when it is over
    int fragLimit = 30;
    int goalTeamScore = -1; // -1: the game type's usual value
    std::string mutators;
    std::string adminName;
    std::string adminEmail;
    bool password = false;

    int latencyMs = 0;
    double loss = 0.0;    // probability that a reply datagram is dropped
    double reorder = 0.0; // probability that a reply datagram is held back behind later ones
    DatagramOrder order = DatagramOrder::Sent;
    std::uint64_t seed = 0; // 0: derived from the name, so servers differ but runs repeat

    bool oldOrder = false; // `\final\` before the queryid, as Unreal-1-era servers do
    bool silent = false;   // listens but never answers
    EchoStyle echo = EchoStyle::Auto;
    NameCharset charset = NameCharset::Auto;
    bool longNames = false; // long names and custom skins (with about 30 players: 10+ datagrams)
    bool live = false;      // frags, pings and level time move; players come and go
};

// The version-dependent details of the wire format.
struct Dialect {
    bool gameRevision = false;     // 469c and later send `gamerevision`
    bool echoReplay = false;       // 451 and later answer `\echo\` with `\echo_replay\`
    bool stripBackslashes = false; // 451 and later remove backslashes from player names
    bool listsBots = false;        // 469 lists bots (ngsecret `bot`)
    bool finalFirst = false;
    Charset charset = Charset::Latin1;
};

class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[nodiscard]] Dialect dialectOf(const ServerOptions& options);

[[nodiscard]] bool isTeamGame(std::string_view gameType);

// Fills the "automatic" fields (map, title, maxplayers, goal score, player count) and checks
// the ranges; throws ConfigError naming the server and the bad value.
[[nodiscard]] ServerOptions completed(ServerOptions options);

} // namespace utlab
