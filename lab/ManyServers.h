#pragma once

#include "MasterOptions.h"
#include "ServerOptions.h"

#include <vector>

namespace utlab {

// The crowd's servers, `count` of them: small public servers of every version and game type,
// named "Lab Crowd #N", each with a latency of its own drawn from the configured range. The same
// seed gives the same crowd.
[[nodiscard]] std::vector<ServerOptions> manyServers(const ManyOptions& options, int count);

} // namespace utlab
