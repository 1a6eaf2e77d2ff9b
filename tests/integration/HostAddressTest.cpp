// Host names looked up in the background on the real Qt backend: literal
// addresses at once, names through the system's resolver ("localhost" and a
// name that cannot resolve). Datagrams go to 127.0.0.1 only.

#include "qt/HostAddress.h"
#include "qt/QtPlatform.h"

#include "toolkit/UdpSocket.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using State = gui::HostLookups::State;

constexpr int kLookupDeadlineMs = 20000;
const std::string kUnresolvable = "nonexistent.invalid";

// Lookups on a clock the test moves, recording every lookup that reports.
class HostLookupsTest : public ::testing::Test {
protected:
    struct Report {
        std::string host;
        std::optional<QHostAddress> address;
    };

    bool waitForReports(std::size_t count) {
        return QTest::qWaitFor([&] { return m_reports.size() >= count; }, kLookupDeadlineMs);
    }

    std::chrono::steady_clock::time_point m_now{std::chrono::hours(1)};
    std::vector<Report> m_reports;
    gui::HostLookups m_lookups{
        [this](const std::string& host, const std::optional<QHostAddress>& address) {
            m_reports.push_back({host, address});
        },
        [this] { return m_now; }};
};

TEST_F(HostLookupsTest, LiteralAddressesAreReadyAtOnce) {
    struct Case {
        const char* host;
        const char* address; // nullptr: names no host
    };
    const Case cases[] = {
        {"127.0.0.1", "127.0.0.1"}, {" 192.0.2.7 ", "192.0.2.7"}, {"::1", "::1"}, {"", nullptr},
        {"   ", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        const gui::HostLookups::Result found = m_lookups.find(c.host);
        if (c.address == nullptr) {
            EXPECT_EQ(found.state, State::Failed);
        } else {
            ASSERT_EQ(found.state, State::Ready);
            EXPECT_EQ(gui::addressText(found.address), c.address);
        }
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(HostLookupsTest, AnAnswerIsKeptForAMinuteWithIPv4Preferred) {
    EXPECT_EQ(m_lookups.find("localhost").state, State::Pending);
    EXPECT_EQ(m_lookups.find("localhost").state, State::Pending); // one lookup at a time
    ASSERT_TRUE(waitForReports(1));
    ASSERT_EQ(m_reports.size(), 1U);
    ASSERT_TRUE(m_reports[0].address.has_value());
    EXPECT_EQ(gui::addressText(*m_reports[0].address), "127.0.0.1");

    m_now += 59s;
    gui::HostLookups::Result found = m_lookups.find("localhost");
    ASSERT_EQ(found.state, State::Ready);
    EXPECT_EQ(gui::addressText(found.address), "127.0.0.1");
    EXPECT_TRUE(m_lookups.sameHost("localhost", "127.0.0.1"));
    EXPECT_FALSE(m_lookups.sameHost("localhost", "127.0.0.2"));

    // After a minute the name is asked again; replies from the address it had
    // still count as its own meanwhile.
    m_now += 2s;
    EXPECT_EQ(m_lookups.find("localhost").state, State::Pending);
    EXPECT_TRUE(m_lookups.sameHost("localhost", "127.0.0.1"));
    ASSERT_TRUE(waitForReports(2));
    EXPECT_EQ(m_lookups.find("localhost").state, State::Ready);
}

TEST_F(HostLookupsTest, AFailedLookupIsRememberedForHalfAMinute) {
    EXPECT_EQ(m_lookups.find(kUnresolvable).state, State::Pending);
    ASSERT_TRUE(waitForReports(1));
    EXPECT_FALSE(m_reports[0].address.has_value());

    EXPECT_EQ(m_lookups.find(kUnresolvable).state, State::Failed);
    m_now += 29s;
    EXPECT_EQ(m_lookups.find(kUnresolvable).state, State::Failed);
    EXPECT_FALSE(m_lookups.sameHost(kUnresolvable, "127.0.0.1"));
    m_now += 2s;
    EXPECT_EQ(m_lookups.find(kUnresolvable).state, State::Pending);
    ASSERT_TRUE(waitForReports(2));
    EXPECT_EQ(m_lookups.find(kUnresolvable).state, State::Failed);
}

TEST(HostAddress, SameHostComparesAddressesNotTexts) {
    gui::HostLookups lookups({});
    EXPECT_TRUE(lookups.sameHost("127.0.0.1", "127.0.0.1"));
    EXPECT_TRUE(lookups.sameHost(" ::1", "::1"));
    EXPECT_FALSE(lookups.sameHost("127.0.0.1", "127.0.0.2"));
    EXPECT_FALSE(lookups.sameHost("never.looked.up", "127.0.0.1"));
}

TEST(HostAddress, IPv4MappedAddressesShowInDottedForm) {
    EXPECT_EQ(gui::addressText(QHostAddress(QStringLiteral("::ffff:192.0.2.9"))), "192.0.2.9");
    EXPECT_EQ(gui::addressText(QHostAddress(QStringLiteral("2001:db8::1"))), "2001:db8::1");
}

// The UDP driver on top: datagrams for a name wait for its lookup.
class UdpByNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_receiver.bind(QHostAddress::LocalHost, 0));
        m_port = m_receiver.localPort();
    }

    // The datagrams received until `last` arrives (itself included).
    std::vector<std::string> receiveUntil(const std::string& last) {
        std::vector<std::string> got;
        (void)QTest::qWaitFor(
            [&] {
                while (m_receiver.hasPendingDatagrams()) {
                    got.push_back(m_receiver.receiveDatagram().data().toStdString());
                }
                return !got.empty() && got.back() == last;
            },
            kLookupDeadlineMs);
        return got;
    }

    gui::QtPlatform m_platform{QStringLiteral("test")};
    tk::UdpSocket m_socket{m_platform};
    QUdpSocket m_receiver;
    std::uint16_t m_port = 0;
};

TEST_F(UdpByNameTest, DatagramsForANameWaitForItsAnswerNewestKept) {
    m_socket.setRemote("localhost", m_port);
    // Sent before the answer comes: reported sent, and the newest four kept.
    for (const char* bytes : {"1", "2", "3", "4", "5", "6"}) {
        EXPECT_TRUE(m_socket.send(bytes)) << bytes;
    }
    EXPECT_EQ(receiveUntil("6"), (std::vector<std::string>{"3", "4", "5", "6"}));
    // Answered: the next one goes at once, and a reply from the address is
    // the named host's.
    EXPECT_TRUE(m_socket.send("7"));
    EXPECT_EQ(receiveUntil("7"), (std::vector<std::string>{"7"}));
    EXPECT_TRUE(m_socket.sameHost("localhost", "127.0.0.1"));
    EXPECT_FALSE(m_socket.sameHost("localhost", "192.0.2.1"));
}

TEST_F(UdpByNameTest, ANameThatDoesNotResolveFailsAtOnceAfterItsLookup) {
    m_socket.setRemote(kUnresolvable, m_port);
    EXPECT_TRUE(m_socket.send("waits"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_socket.send("again"); }, kLookupDeadlineMs));
    EXPECT_FALSE(m_socket.send("again"));

    // Nothing went anywhere; a literal address still works meanwhile.
    m_socket.setRemote("127.0.0.1", m_port);
    EXPECT_TRUE(m_socket.send("literal"));
    EXPECT_EQ(receiveUntil("literal"), (std::vector<std::string>{"literal"}));
}

} // namespace
