#include "app/PreferenceValues.h"

#include "settings/SettingsBlock.h"
#include "toolkit/Number.h"

namespace app {

std::string checkedQueryInterval(std::string text) {
    const auto seconds = tk::parseInt(text);
    if (!seconds || *seconds < kShortestQueryInterval || *seconds > kLongestQueryInterval) {
        return kQueryIntervalFallback;
    }
    return text;
}

std::int32_t firstLocalPort(std::string_view text) {
    const auto first = tk::parseInt(text);
    // The same rule as at start-up: three consecutive ports must fit.
    if (!first || cfg::localUdpPorts(*first)[0] != *first) {
        return cfg::kDefaultLocalPort;
    }
    return *first;
}

std::string lastLocalPortText(std::string_view text) {
    return std::to_string(cfg::localUdpPorts(firstLocalPort(text))[2]);
}

} // namespace app
