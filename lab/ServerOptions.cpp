#include "ServerOptions.h"

#include <algorithm>
#include <array>

namespace utlab {
namespace {

struct GameTypeInfo {
    std::string_view className;
    bool team;
    int goalTeamScore;
    std::string_view mapName;
};

constexpr std::array<GameTypeInfo, 6> kGameTypes = {{
    {"DeathMatchPlus", false, 0, "DM-Deck16]["},
    {"LastManStanding", false, 0, "DM-Morpheus"},
    {"TeamGamePlus", true, 60, "DM-Curse]["},
    {"CTFGame", true, 3, "CTF-Face"},
    {"Domination", true, 100, "DOM-Sesmar"},
    {"Assault", true, 0, "AS-Frigate"},
}};

const GameTypeInfo* findGameType(std::string_view className) {
    const auto it = std::ranges::find(kGameTypes, className, &GameTypeInfo::className);
    return it == kGameTypes.end() ? nullptr : &*it;
}

struct StockMap {
    std::string_view name;
    std::string_view title;
};

constexpr std::array<StockMap, 8> kStockMaps = {{
    {"CTF-Face", "Facing Worlds"},
    {"CTF-LavaGiant", "Lava Giant"},
    {"DM-Deck16][", "Deck16]["},
    {"DM-Morpheus", "Morpheus"},
    {"DM-Tempest", "Tempest"},
    {"DM-Turbine", "Turbine"},
    {"DM-Curse][", "Curse]["},
    {"AS-Frigate", "Frigate"},
}};

// The stock title, or for other maps the part after the prefix ("CTF-Coret" -> "Coret").
std::string titleFromMap(std::string_view mapName) {
    const auto stock = std::ranges::find(kStockMaps, mapName, &StockMap::name);
    if (stock != kStockMaps.end()) {
        return std::string(stock->title);
    }
    const std::size_t dash = mapName.find('-');
    return std::string(dash == std::string_view::npos ? mapName : mapName.substr(dash + 1));
}

std::uint64_t seedFromName(std::string_view name) {
    std::uint64_t hash = 0xCBF29CE484222325ULL; // FNV-1a
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    }
    return hash;
}

void require(bool condition, const ServerOptions& options, const std::string& what) {
    if (!condition) {
        throw ConfigError("server \"" + options.name + "\": " + what);
    }
}

} // namespace

Dialect dialectOf(const ServerOptions& options) {
    Dialect dialect;
    dialect.gameRevision = options.version >= 469;
    dialect.listsBots = options.version >= 469;
    dialect.stripBackslashes = options.version >= 451;
    dialect.echoReplay = options.echo == EchoStyle::Auto ? options.version >= 451
                                                         : options.echo == EchoStyle::Replay;
    dialect.finalFirst = options.oldOrder;
    const bool utf8 = options.charset == NameCharset::Auto ? options.version >= 469
                                                           : options.charset == NameCharset::Utf8;
    dialect.charset = utf8 ? Charset::Utf8 : Charset::Latin1;
    return dialect;
}

bool isTeamGame(std::string_view gameType) {
    const GameTypeInfo* info = findGameType(gameType);
    return info != nullptr && info->team;
}

ServerOptions completed(ServerOptions options) {
    const GameTypeInfo* info = findGameType(options.gameType);
    require(info != nullptr, options,
            "unknown game type \"" + options.gameType +
                "\" (DeathMatchPlus, LastManStanding, TeamGamePlus, CTFGame, Domination, Assault)");
    require(options.version == 436 || options.version == 451 || options.version == 469, options,
            "version must be 436, 451 or 469");
    require(options.gamePort < 65535, options, "the game port must be below 65535");
    options.players = std::max(options.players, static_cast<int>(options.playerNames.size()));
    require(options.players >= 0 && options.players <= kMaxListed, options,
            "players must be 0 to 32");
    require(options.bots >= 0 && options.bots <= kMaxListed, options, "bots must be 0 to 32");
    require(options.spectators >= 0 && options.spectators <= kMaxListed, options,
            "spectators must be 0 to 32");
    if (options.maxPlayers == 0) {
        options.maxPlayers = std::max(16, options.players + options.bots);
    }
    require(options.maxPlayers >= options.players + options.bots && options.maxPlayers <= 64,
            options, "maxplayers must hold the players and bots (and be at most 64)");
    require(options.timeLimit >= 0 && options.fragLimit >= 0, options,
            "timelimit and fraglimit must not be negative");
    require(options.latencyMs >= 0 && options.latencyMs <= 10000, options,
            "latency must be 0 to 10000 ms");
    require(options.loss >= 0.0 && options.loss <= 1.0, options, "loss must be 0 to 1");
    require(options.reorder >= 0.0 && options.reorder <= 1.0, options, "reorder must be 0 to 1");
    if (options.seed == 0) {
        options.seed = seedFromName(options.name);
    }
    if (options.goalTeamScore < 0) {
        options.goalTeamScore = info->goalTeamScore;
    }
    if (options.mapName.empty()) {
        options.mapName = info->mapName;
    }
    if (options.mapTitle.empty()) {
        options.mapTitle = titleFromMap(options.mapName);
    }
    return options;
}

} // namespace utlab
