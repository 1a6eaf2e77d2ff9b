#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// A busy CTF server's answer to a status query with all four player
// properties: 32 players, 4 of them spectators, packed into 11 datagrams as
// the game packs them (blocks up to about 1000 characters, each datagram
// closed by \queryid\N.M, the last one also by \final\).
inline constexpr int kBusyPlayers = 32;
inline constexpr std::size_t kBusyDatagrams = 11;

struct BusyReplyOptions {
    // N of every datagram's \queryid\N.M.
    std::string replyNumber = "17";
    // The value of \echo_replay\: the stamp of the query it answers.
    std::string echo = "ping_1000|3";
    // Added to every playing player's frags: a later moment of the same game.
    int fragsGained = 0;
};

struct BusyReply {
    // The datagrams as they go on the wire, in their numbered order.
    std::vector<std::string> datagrams;
    // The datagrams joined in their numbered order: the whole reply.
    std::string text;
};

[[nodiscard]] BusyReply makeBusyReply(const BusyReplyOptions& options = {});

} // namespace bench
