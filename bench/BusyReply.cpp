#include "BusyReply.h"

#include <string_view>
#include <utility>

namespace bench {

namespace {

constexpr std::size_t kDatagramBudget = 1000;

void appendPair(std::string& out, std::string_view key, std::string_view value) {
    out += '\\';
    out += key;
    out += '\\';
    out += value;
}

std::string playerBlock(int i, int fragsGained) {
    static const std::vector<std::string> kNames = {
        "[UTPG]Thunderstruck-the-Unstoppable", "xXx_FragMaster_from_Hamburg_xXx",
        "=DoC=Sniper Elite (away till 9pm)",   "Lord Vader's Apprentice |AFK|",
        "{NOS}Quickdraw McGraw the Third",     "ShockComboKing^on^a^Sunday",
        "[BOSS]Mr. Redeemer Himself",          "Flak Monkey 2000 [newbie, be nice]"};
    const std::string n = std::to_string(i);
    const bool spectator = i % 8 == 7;
    std::string block;
    appendPair(block, "player_" + n, kNames[static_cast<std::size_t>(i) % kNames.size()] + n);
    appendPair(block, "frags_" + n, spectator ? "0" : std::to_string(37 - i + fragsGained));
    appendPair(block, "ping_" + n, " " + std::to_string(40 + 3 * i));
    appendPair(block, "team_" + n, spectator ? "255" : std::to_string(i % 2));
    appendPair(block, "mesh_" + n, spectator ? "Spectator" : "Male Soldier Custom Model");
    appendPair(block, "skin_" + n, spectator ? "None" : "CustomSkins.BlackMetal_Edition");
    appendPair(block, "face_" + n, spectator ? "" : "CustomSkins.BlackMetal_Face3");
    appendPair(block, "ngsecret_" + n, "true");
    return block;
}

std::string propertyValue(std::string_view property, int actor) {
    static const std::vector<std::string> kWeapons = {"Botpack.ShockRifle", "Botpack.UT_FlakCannon",
                                                      "Botpack.PulseGun", "Botpack.Minigun2",
                                                      "Botpack.SniperRifle"};
    static const std::vector<std::string> kItems = {"Botpack.UDamage", "Botpack.Armor2",
                                                    "Botpack.ThighPads", "Botpack.UT_ShieldBelt"};
    const auto at = static_cast<std::size_t>(actor);
    if (property == "weapon") {
        return kWeapons[at % kWeapons.size()];
    }
    if (property == "inventory") {
        return kItems[at % kItems.size()];
    }
    if (property == "health") {
        return std::to_string(100 - actor);
    }
    return std::to_string(actor % 7); // spree
}

std::vector<std::string> replyBlocks(const BusyReplyOptions& options) {
    std::vector<std::string> blocks;
    std::string block;
    appendPair(block, "gamename", "ut");
    appendPair(block, "gamever", "469");
    appendPair(block, "gamerevision", "d");
    appendPair(block, "minnetver", "432");
    appendPair(block, "location", "0");
    blocks.push_back(std::move(block));

    block.clear();
    appendPair(block, "hostname",
               "=DoC= Clan Server | CTF 24/7 | Instagib Sundays | www.example.org");
    appendPair(block, "hostport", "7777");
    appendPair(block, "maptitle", "Facing Worlds");
    appendPair(block, "mapname", "CTF-Face");
    appendPair(block, "gametype", "CTFGame");
    appendPair(block, "numplayers", std::to_string(kBusyPlayers));
    appendPair(block, "maxplayers", "32");
    appendPair(block, "gamemode", "openplaying");
    appendPair(block, "gamever", "469");
    appendPair(block, "minnetver", "432");
    appendPair(block, "worldlog", "False");
    appendPair(block, "wantworldlog", "False");
    blocks.push_back(std::move(block));

    block.clear();
    appendPair(block, "mutators", "NoRedeemer, Relics");
    appendPair(block, "listenserver", "False");
    appendPair(block, "password", "False");
    appendPair(block, "timelimit", "20");
    appendPair(block, "goalteamscore", "3");
    appendPair(block, "minplayers", "0");
    appendPair(block, "changelevels", "True");
    appendPair(block, "maxteams", "2");
    appendPair(block, "balanceteams", "True");
    appendPair(block, "playersbalanceteams", "True");
    appendPair(block, "friendlyfire", "0%");
    appendPair(block, "tournament", "False");
    appendPair(block, "gamestyle", "Hardcore");
    appendPair(block, "AdminName", "Ann");
    appendPair(block, "AdminEMail", "admin@example.org");
    blocks.push_back(std::move(block));

    for (int i = 0; i < kBusyPlayers; ++i) {
        blocks.push_back(playerBlock(i, options.fragsGained));
    }

    block.clear();
    appendPair(block, "TimeSeconds", "1234.560059");
    blocks.push_back(std::move(block));
    // Counted from 1 over every player actor, spectators included.
    for (const std::string_view property : {"health", "weapon", "spree", "inventory"}) {
        for (int actor = 1; actor <= kBusyPlayers; ++actor) {
            block.clear();
            appendPair(block, std::string(property) + "_" + std::to_string(actor),
                       propertyValue(property, actor));
            blocks.push_back(std::move(block));
        }
    }
    block.clear();
    appendPair(block, "echo_replay", options.echo);
    blocks.push_back(std::move(block));
    return blocks;
}

} // namespace

BusyReply makeBusyReply(const BusyReplyOptions& options) {
    BusyReply reply;
    std::string datagram;
    const auto close = [&](bool last) {
        appendPair(datagram, "queryid",
                   options.replyNumber + "." + std::to_string(reply.datagrams.size() + 1));
        if (last) {
            datagram += "\\final\\";
        }
        reply.text += datagram;
        reply.datagrams.push_back(std::move(datagram));
        datagram.clear();
    };
    for (const std::string& block : replyBlocks(options)) {
        if (!datagram.empty() && datagram.size() + block.size() > kDatagramBudget) {
            close(false);
        }
        datagram += block;
    }
    close(true);
    return reply;
}

} // namespace bench
