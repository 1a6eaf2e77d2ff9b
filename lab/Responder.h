#pragma once

#include "Request.h"
#include "StatusBlocks.h"

#include <span>
#include <string>
#include <vector>

namespace utlab {

// Answers the commands of one request as a server does: every command's answer goes into one
// reply, packed into datagrams numbered under `queryNumber`. The reply is empty (nothing is
// sent) when there are no commands or the last one is unknown; unknown commands before it are
// skipped.
[[nodiscard]] std::vector<std::string>
buildReply(const ReplySource& source, std::span<const Command> commands, int queryNumber);

} // namespace utlab
