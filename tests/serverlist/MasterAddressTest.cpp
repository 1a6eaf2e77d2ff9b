#include "serverlist/MasterAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(MasterAddress, IsSplitAtTheFirstColon) {
    struct Case {
        const char* uri;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"master.example.net:28900", "master.example.net", 28900},
        {"m.example.net:27900", "m.example.net", 27900},
        {"m.example.net:2890099", "m.example.net", 28900},
        {"m.example.net:1234567", "m.example.net", 12345},
        {"m.example.net:abc", "m.example.net", 28900},
        {"m.example.net:", "m.example.net", 28900},
        {"12345678", "", 12345},
        {"m.example.net:99999", "m.example.net", 28900},
        {"a:b:7", "a", 28900},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        const auto a = serverlist::splitMasterserverURI(c.uri);
        EXPECT_EQ(a.host, c.host);
        EXPECT_EQ(a.port, c.port);
    }
}

} // namespace
