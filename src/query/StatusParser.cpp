#include "query/StatusParser.h"

#include "query/ReplyIndex.h"
#include "query/ReplyText.h"
#include "query/Vocabulary.h"
#include "toolkit/Ascii.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <string>

namespace query {

namespace {

// The largest health that its 5-character field shows unchanged.
constexpr std::int32_t kMaxHealthText = 99999;

// Reads the reply's values through one index of its pairs.
class Reader {
public:
    explicit Reader(std::string_view reply) : m_index(reply) {}

    [[nodiscard]] const ReplyIndex& index() const { return m_index; }
    [[nodiscard]] std::string_view text(std::string_view key) const { return m_index.value(key); }
    [[nodiscard]] std::int32_t number(std::string_view key) const {
        return tk::toIntDef(text(key), 0);
    }
    // The value of key + index, the index in decimal without leading zeros.
    [[nodiscard]] std::string_view text(std::string_view key, std::int64_t index) const {
        return m_index.value(key, index);
    }
    [[nodiscard]] std::int32_t number(std::string_view key, std::int64_t index) const {
        return tk::toIntDef(text(key, index), 0);
    }

private:
    ReplyIndex m_index;
};

void readServer(const Reader& in, ServerEntry& server) {
    server.hostname = in.text("hostname");
    server.hostport = in.text("hostport");
    server.gamever = in.text("gamever");
    server.gametype = in.text("gametype");
    server.gamestyle = in.text("gamestyle");
    server.minnetver = in.text("minnetver");
    server.maptitle = in.text("maptitle");
    server.mapname = in.text("mapname");
    server.maxplayers = in.number("maxplayers");
    server.numplayers = in.number("numplayers");
    server.timelimit = in.number("timelimit");
    server.fraglimit = in.number("fraglimit");
    server.friendlyfire = in.text("friendlyfire");
    server.maxteams = in.text("maxteams");
    server.goalteamscore = in.text("goalteamscore");
    server.balanceteams = in.text("balanceteams");
    server.responded = true;

    // "1234.560059" stores 1234; a value without "." stores 0.
    const std::string_view time = in.text("TimeSeconds");
    const std::size_t dot = time.find('.');
    server.TimeSeconds = dot == std::string_view::npos ? 0 : tk::toIntDef(time.substr(0, dot), 0);
}

void readEcho(const Reader& in, std::int32_t watchSlot, std::uint32_t tickNow,
              ServerEntry& server) {
    const EchoParts echo = splitEcho(echoValue(in.index()));
    server.echoSlot = tk::toIntDef(echo.target, watchSlot);
    server.ping = echoPing(tickNow, echo.sendTick.value_or(kEchoDefaultTick));
}

// Fills every field of one player slot from the keys of player index i; the
// property keys (health, spree, weapon, inventory) are read at index i + 2.
void readPlayer(const Reader& in, const PlayerProperties& settings, std::int64_t i,
                PlayerRecord& player) {
    player.name = in.text("player_", i);
    player.mesh = in.text("mesh_", i);
    player.frags = in.number("frags_", i);
    player.ping = in.number("ping_", i);
    player.team = in.number("team_", i);
    player.skin = in.text("skin_", i);
    player.face = in.text("face_", i);

    const std::int64_t p = i + 2;
    const std::int32_t health =
        settings.health ? std::clamp(in.number("health_", p), 0, kMaxHealthText) : 0;
    player.health = std::to_string(health);
    player.spree = settings.spree ? in.number("spree_", p) : 0;
    player.weapon =
        settings.weapon ? WeaponName(WeaponIndex(in.text("weapon_", p))) : std::string("n/a");
    player.inventory =
        settings.inventory ? InventoryName(in.text("inventory_", p)) : std::string("n/a");
    player.ngsecret = tk::equalsIgnoreAsciiCase(in.text("ngsecret_", i), "true") ? "Enabled" : "";
}

} // namespace

void ParseStatus(std::string_view replyText, const PlayerProperties& settings,
                 std::uint32_t tickNow, ServerRecords& records) {
    const Reader in(replyText);
    ServerEntry& server = records.currentServer;

    readServer(in, server);
    readEcho(in, records.watchSlot, tickNow, server);
    server.tournament = tk::equalsIgnoreAsciiCase(in.text("tournament"), "false") ? "No" : "Yes";

    // n + 1 passes: the players of index 0 to n - 1, then the extra pass of
    // index n, which a server with n players does not send and which leaves
    // the trailing empty record. Only kMaxStoredPlayers players fit before it.
    const std::int32_t n = server.numplayers;
    std::int32_t r = 1;
    if (n >= 0) {
        const std::int32_t stored = std::min(n, kMaxStoredPlayers);
        for (std::int32_t i = 0; i < stored; ++i, ++r) {
            readPlayer(in, settings, i, records.players[static_cast<std::size_t>(r)]);
        }
        readPlayer(in, settings, n, records.players[static_cast<std::size_t>(r)]);
        ++r;
    }
    records.playerEnd = r;
}

} // namespace query
