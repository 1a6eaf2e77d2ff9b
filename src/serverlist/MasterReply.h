#pragma once

#include "toolkit/FixedText.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace serverlist {

// One listed server, as the master's list gives it.
struct MasterEntry {
    tk::FixedText<30> host; // a dotted IPv4 address in practice
    tk::FixedText<7> port;  // the query port, decimal text, not checked
};

// The master list holds this many entries; further entries of a reply are
// ignored.
inline constexpr int kMasterListSize = 4000;

// The end of a master's list.
inline constexpr std::string_view kEndMarker = "\\final\\";

// Appends the "\key\" entries of text to list from index count on and
// returns the new count. An entry runs from behind "\key\" to the next
// backslash (or the end); its host is the part before its first ':' (empty
// without one), its port the part after it (the whole entry without one).
// Entries are neither checked nor merged; fields are cut to their width. The
// search for the next entry resumes one character past the "\key\" just
// found. Nothing is written at or beyond list.size().
[[nodiscard]] int parseMasterReply(std::string_view key, std::string_view text,
                                   std::vector<MasterEntry>& list, int count);

// Whether the end marker lies in chunk or across its start: before holds
// what came before it, of which only the last few bytes are looked at.
[[nodiscard]] bool endMarkerArrived(std::string_view before, std::string_view chunk);

} // namespace serverlist
