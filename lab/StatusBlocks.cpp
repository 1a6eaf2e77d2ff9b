#include "StatusBlocks.h"

#include "ReplyPacker.h"

namespace utlab {
namespace {

constexpr std::string_view kMinNetVersion = "432";
constexpr std::string_view kGameRevision = "c";

std::string_view boolText(bool value) {
    return value ? "True" : "False";
}

std::string versionText(const ServerOptions& options) {
    return std::to_string(options.version);
}

std::string playerName(const ReplySource& source, const std::string& name) {
    std::string wire = encodeText(name, source.dialect.charset);
    return source.dialect.stripBackslashes ? withoutBackslashes(wire) : wire;
}

std::string playerBlock(const ReplySource& source, const PlayerState& player, int index) {
    const std::string n = std::to_string(index);
    std::string block;
    appendPair(block, "player_" + n, playerName(source, player.name));
    appendPair(block, "frags_" + n, std::to_string(player.frags));
    appendPair(block, "ping_" + n, " " + std::to_string(player.ping));
    appendPair(block, "team_" + n, std::to_string(player.team));
    appendPair(block, "mesh_" + n, player.mesh);
    appendPair(block, "skin_" + n, player.skin);
    appendPair(block, "face_" + n, player.face);
    appendPair(block, "ngsecret_" + n, player.ngsecret);
    return block;
}

} // namespace

std::string basicBlock(const ReplySource& source) {
    std::string block;
    appendPair(block, "gamename", "ut");
    appendPair(block, "gamever", versionText(source.options));
    if (source.dialect.gameRevision) {
        appendPair(block, "gamerevision", kGameRevision);
    }
    appendPair(block, "minnetver", kMinNetVersion);
    appendPair(block, "location", "0");
    return block;
}

std::string infoBlock(const ReplySource& source) {
    const ServerOptions& options = source.options;
    std::string block;
    appendPair(block, "hostname", encodeText(options.name, source.dialect.charset));
    appendPair(block, "hostport",
               std::to_string(options.hostPort != 0 ? options.hostPort : options.gamePort));
    appendPair(block, "maptitle", encodeText(options.mapTitle, source.dialect.charset));
    appendPair(block, "mapname", encodeText(options.mapName, source.dialect.charset));
    appendPair(block, "gametype", options.gameType);
    appendPair(block, "numplayers", std::to_string(source.match.humans()));
    appendPair(block, "maxplayers", std::to_string(options.maxPlayers));
    appendPair(block, "gamemode", "openplaying");
    appendPair(block, "gamever", versionText(options));
    appendPair(block, "minnetver", kMinNetVersion);
    appendPair(block, "worldlog", "False");
    appendPair(block, "wantworldlog", "False");
    return block;
}

std::string rulesBlock(const ReplySource& source) {
    const ServerOptions& options = source.options;
    std::string block;
    if (!options.mutators.empty()) {
        appendPair(block, "mutators", encodeText(options.mutators, source.dialect.charset));
    }
    appendPair(block, "listenserver", "False");
    appendPair(block, "password", boolText(options.password));
    appendPair(block, "timelimit", std::to_string(options.timeLimit));
    if (isTeamGame(options.gameType)) {
        appendPair(block, "goalteamscore", std::to_string(options.goalTeamScore));
        appendPair(block, "minplayers", "0");
        appendPair(block, "changelevels", "True");
        appendPair(block, "maxteams", "2");
        appendPair(block, "balanceteams", "True");
        appendPair(block, "playersbalanceteams", "True");
        appendPair(block, "friendlyfire", "0%");
        appendPair(block, "tournament", "False");
        appendPair(block, "gamestyle", "Hardcore");
    } else {
        appendPair(block, "fraglimit", std::to_string(options.fragLimit));
        appendPair(block, "minplayers", "0");
        appendPair(block, "changelevels", "True");
        appendPair(block, "tournament", "False");
        appendPair(block, "gamestyle", "Hardcore");
        if (options.bots > 0) {
            appendPair(block, "botskill", "Skilled");
        }
    }
    if (!options.adminName.empty()) {
        appendPair(block, "AdminName", encodeText(options.adminName, source.dialect.charset));
    }
    if (!options.adminEmail.empty()) {
        appendPair(block, "AdminEMail", options.adminEmail);
    }
    return block;
}

std::vector<std::string> playerBlocks(const ReplySource& source) {
    std::vector<std::string> blocks;
    for (const PlayerState& player : source.match.roster) {
        if (player.role != Role::Bot || source.dialect.listsBots) {
            blocks.push_back(playerBlock(source, player, static_cast<int>(blocks.size())));
        }
    }
    return blocks;
}

} // namespace utlab
