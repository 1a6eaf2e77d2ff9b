#include "qt/HostAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(HostAddress, LiteralsAndNamesResolveWithIPv4Preferred) {
    gui::HostLookupCache cache;
    struct Case {
        const char* host;
        const char* address; // nullptr: does not resolve
    };
    const Case cases[] = {
        {"127.0.0.1", "127.0.0.1"},
        {" 192.0.2.7 ", "192.0.2.7"},
        {"::1", "::1"},
        {"localhost", "127.0.0.1"},
        {"", nullptr},
        {"   ", nullptr},
    };
    for (int round = 0; round < 2; ++round) { // the second round answers from the cache
        for (const auto& c : cases) {
            SCOPED_TRACE(c.host);
            const auto resolved = cache.resolve(c.host);
            if (c.address == nullptr) {
                EXPECT_FALSE(resolved.has_value());
            } else {
                ASSERT_TRUE(resolved.has_value());
                EXPECT_EQ(gui::addressText(*resolved), c.address);
            }
        }
    }
}

TEST(HostAddress, IPv4MappedAddressesShowInDottedForm) {
    EXPECT_EQ(gui::addressText(QHostAddress(QStringLiteral("::ffff:192.0.2.9"))), "192.0.2.9");
    EXPECT_EQ(gui::addressText(QHostAddress(QStringLiteral("2001:db8::1"))), "2001:db8::1");
}

} // namespace
