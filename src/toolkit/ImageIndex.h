#pragma once

namespace tk::images {

// Indexes into the main image list, shared by the core (which names images by
// index) and the backend (which draws them).
constexpr int kNone = -1;
constexpr int kQueryMaster = 0;
constexpr int kRefreshAll = 1;
constexpr int kIrc = 2;
constexpr int kCross = 3;
constexpr int kPreferences = 4;
constexpr int kAbout = 5;
constexpr int kOpen = 6;
constexpr int kSave = 7;
constexpr int kSearch = 8;
constexpr int kRecording = 9;
constexpr int kWatching = 10;
constexpr int kAddFavourite = 11;
constexpr int kEditFavourite = 12;
constexpr int kRemoveFavourite = 13;
constexpr int kJoin = 14;
constexpr int kTick = 15;
constexpr int kStop = 16;
constexpr int kClipboard = 17;
constexpr int kQuit = 18;
constexpr int kHelp = 19;
constexpr int kExport = 20;
constexpr int kImport = 21;
constexpr int kConnectionLost = 22;
constexpr int kCount = 23;

} // namespace tk::images
