#pragma once

#include "Random.h"

#include <string>
#include <string_view>

namespace utlab {

inline constexpr int kNoTeam = 255;

enum class Role { Human, Bot, Spectator };

// One player actor on the server, names in UTF-8 as configured.
struct PlayerState {
    Role role = Role::Human;
    std::string name;
    int frags = 0;
    int ping = 0;
    int homePing = 0; // what his line usually shows; the reported ping wanders around it
    int team = kNoTeam;
    std::string mesh;
    std::string skin;
    std::string face;
    std::string ngsecret; // "true", "false" or "bot"
    int health = 100;
    std::string weapon;
    int spree = 0;
    std::string inventory;
};

// Hands out believable players: names, models, weapons and items of the stock game. It keeps
// no generator of its own, so the match that owns both stays freely movable.
class Roster {
public:
    Roster(Random& random, bool longNames);

    [[nodiscard]] PlayerState human(Random& random, std::string name, int team);
    [[nodiscard]] PlayerState human(Random& random, int team) {
        return human(random, nextName(random), team);
    }
    [[nodiscard]] PlayerState bot(Random& random, int team);
    [[nodiscard]] PlayerState spectator(Random& random);

    [[nodiscard]] std::string nextName(Random& random);
    // The name a player changes to: back from "|AFK|", away as "|AFK|", or a clan tag put
    // on or taken off. Empty when nothing is left of the name.
    [[nodiscard]] static std::string renamed(Random& random, std::string_view name);
    [[nodiscard]] static std::string_view randomWeapon(Random& random);
    [[nodiscard]] static std::string_view randomItem(Random& random);

private:
    void dress(Random& random, PlayerState& player) const;

    bool m_longNames;
    std::size_t m_nameOffset;
    std::size_t m_names = 0;
    std::size_t m_bots = 0;
    std::size_t m_spectators = 0;
};

inline constexpr std::string_view kSpawnWeapon = "Botpack.enforcer";
inline constexpr std::string_view kAfkTag = "|AFK|";

} // namespace utlab
