#include "Responder.h"

#include "ReplyPacker.h"

namespace utlab {
namespace {

std::string levelProperty(const ReplySource& source, std::string_view name) {
    if (equalsIgnoreCase(name, "TimeSeconds")) {
        return formatFloat(static_cast<float>(source.match.timeSeconds));
    }
    if (equalsIgnoreCase(name, "TimeDilation")) {
        return formatFloat(1.1f);
    }
    return {};
}

std::string playerProperty(const PlayerState& player, std::string_view name) {
    if (equalsIgnoreCase(name, "health")) {
        return std::to_string(player.health);
    }
    if (equalsIgnoreCase(name, "weapon")) {
        return player.weapon;
    }
    if (equalsIgnoreCase(name, "spree")) {
        return std::to_string(player.spree);
    }
    if (equalsIgnoreCase(name, "inventory")) {
        return player.inventory;
    }
    return {};
}

void answerStatus(ReplyPacker& packer, const ReplySource& source) {
    packer.add(basicBlock(source));
    packer.add(infoBlock(source));
    packer.add(rulesBlock(source));
    for (const std::string& block : playerBlocks(source)) {
        packer.add(block);
    }
}

void answer(ReplyPacker& packer, const ReplySource& source, const Command& command) {
    const std::string& type = command.type;
    if (type == "status") {
        answerStatus(packer, source);
    } else if (type == "basic") {
        packer.add(basicBlock(source));
    } else if (type == "info") {
        packer.add(infoBlock(source));
    } else if (type == "rules") {
        packer.add(rulesBlock(source));
    } else if (type == "players") {
        for (const std::string& block : playerBlocks(source)) {
            packer.add(block);
        }
    } else if (type == "echo") {
        std::string block;
        appendPair(block, source.dialect.echoReplay ? "echo_replay" : "echo", command.value);
        packer.add(block);
    } else if (type == "level_property" && !command.value.empty()) {
        std::string block;
        appendPair(block, command.value, levelProperty(source, command.value));
        packer.add(block);
    } else if (type == "player_property" && !command.value.empty()) {
        // Counted from 1 over every player actor, bots and spectators included.
        int actor = 0;
        for (const PlayerState& player : source.match.roster) {
            std::string block;
            appendPair(block, command.value + "_" + std::to_string(++actor),
                       playerProperty(player, command.value));
            packer.add(block);
        }
    }
}

} // namespace

std::vector<std::string> buildReply(const ReplySource& source, std::span<const Command> commands,
                                    int queryNumber) {
    if (commands.empty() || !isKnownCommand(commands.back().type)) {
        return {};
    }
    ReplyPacker packer(queryNumber, source.dialect.finalFirst);
    for (const Command& command : commands) {
        answer(packer, source, command);
    }
    return packer.finish();
}

} // namespace utlab
