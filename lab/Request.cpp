#include "Request.h"

#include <algorithm>
#include <array>

namespace utlab {

std::vector<Command> parseRequest(std::string_view datagram) {
    const std::string_view text = datagram.substr(0, datagram.find('\0'));
    constexpr auto npos = std::string_view::npos;
    std::vector<Command> commands;
    std::size_t pos = text.find('\\');
    while (pos != npos && commands.size() < kMaxCommands) {
        const std::size_t typeEnd = text.find('\\', pos + 1);
        if (typeEnd == npos) {
            break;
        }
        if (typeEnd == pos + 1) {
            pos = typeEnd;
            continue;
        }
        const std::size_t valueEnd = text.find('\\', typeEnd + 1);
        const std::size_t valueLength = valueEnd == npos ? npos : valueEnd - typeEnd - 1;
        commands.push_back({std::string(text.substr(pos + 1, typeEnd - pos - 1)),
                            std::string(text.substr(typeEnd + 1, valueLength))});
        pos = valueEnd;
    }
    return commands;
}

bool isKnownCommand(std::string_view type) {
    static constexpr std::array<std::string_view, 8> kKnown = {
        "basic", "info", "rules", "players", "status", "echo", "level_property", "player_property"};
    return std::ranges::find(kKnown, type) != kKnown.end();
}

} // namespace utlab
