#pragma once

// Helpers of the tests that run the Qt backend against the lab.

#include "toolkit/StringGrid.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <random>
#include <string_view>

namespace backendtest {

// The first of three consecutive local UDP ports that nobody holds now. They
// lie below the range the system hands out for port 0, where the lab's
// servers take theirs, and are picked at random, so that test programs
// running side by side do not meet.
inline std::uint16_t freeLocalPorts() {
    constexpr int kLowest = 20000;
    constexpr int kSpan = 12000; // up to 32000, below the ephemeral ports
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto first = static_cast<std::uint16_t>(kLowest + random() % kSpan);
        std::array<QUdpSocket, 3> probes;
        bool free = true;
        for (std::uint16_t i = 0; i < probes.size() && free; ++i) {
            free = probes[i].bind(QHostAddress::AnyIPv4, static_cast<quint16>(first + i),
                                  QAbstractSocket::DontShareAddress);
        }
        if (free) {
            return first;
        }
    }
    ADD_FAILURE() << "no three free consecutive UDP ports found";
    return 0;
}

// The column of a grid whose header reads `header`, -1 (and a failure) for none.
inline int column(const tk::StringGrid& grid, std::string_view header) {
    for (int c = 0; c < grid.colCount(); ++c) {
        if (grid.cell(c, 0) == header) {
            return c;
        }
    }
    ADD_FAILURE() << "no column \"" << header << "\"";
    return -1;
}

// A whole decimal number, or -1 for any other text.
inline int number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value : -1;
}

} // namespace backendtest
