#include "serverlist/MasterReply.h"

#include <string>

namespace serverlist {

int parseMasterReply(std::string_view key, std::string_view text, std::vector<MasterEntry>& list,
                     int count) {
    const std::string mark = "\\" + std::string(key) + "\\";
    const int capacity = static_cast<int>(list.size());
    std::size_t from = 0;
    while (count >= 0 && count < capacity && from <= text.size()) {
        const std::size_t at = text.find(mark, from);
        if (at == std::string_view::npos) {
            break;
        }
        const std::string_view rest = text.substr(at + mark.size());
        const std::string_view entry = rest.substr(0, rest.find('\\'));
        MasterEntry& e = list[static_cast<std::size_t>(count)];
        const std::size_t colon = entry.find(':');
        if (colon == std::string_view::npos) {
            e.host = std::string_view();
            e.port = entry;
        } else {
            e.host = entry.substr(0, colon);
            e.port = entry.substr(colon + 1);
        }
        ++count;
        from = at + mark.size() + 1;
    }
    return count;
}

bool endMarkerArrived(std::string_view before, std::string_view chunk) {
    const std::size_t keep = kEndMarker.size() - 1;
    std::string joined(before.substr(before.size() > keep ? before.size() - keep : 0));
    joined += chunk;
    return joined.find(kEndMarker) != std::string::npos;
}

} // namespace serverlist
