#pragma once

#include "Match.h"
#include "ServerOptions.h"

#include <string>
#include <vector>

namespace utlab {

// What the blocks of a status reply are made from.
struct ReplySource {
    const ServerOptions& options;
    const Dialect& dialect;
    const MatchState& match;
};

[[nodiscard]] std::string basicBlock(const ReplySource& source);
[[nodiscard]] std::string infoBlock(const ReplySource& source);
[[nodiscard]] std::string rulesBlock(const ReplySource& source);
// One block per listed player, numbered from 0 (bots only where the version lists them).
[[nodiscard]] std::vector<std::string> playerBlocks(const ReplySource& source);

} // namespace utlab
