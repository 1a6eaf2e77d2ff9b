#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace query {

// Gathers the datagrams of status replies until one reply is whole. Every
// datagram carries "\queryid\N.M": N numbers the server's reply, M the
// datagram within it, counted from 1; the last one also carries "\final\".
// A reply is whole as soon as datagrams 1 to M of the final datagram's N have
// all arrived, in any order. Datagrams of other replies never mix into it.
// A reply may arrive while the next query goes out; what is still incomplete
// one query later is dropped. Pure: no clock, no socket.
class ReplyAssembly {
public:
    // Whole replies up to this size are held; a larger one is lost.
    static constexpr std::size_t kMaxBytes = 64 * 1024;
    // More datagrams than this are no real server's reply.
    static constexpr std::size_t kMaxDatagrams = 256;

    // Forgets everything held.
    void clear();
    // A new query went out: datagrams held since before the previous query
    // are dropped, so lost datagrams never pile up.
    void newQuery();

    // Takes one datagram's text (up to its first zero byte). True when it
    // makes a reply whole; the reply is then in reply(). A datagram without
    // a usable queryid, or one already held, is ignored.
    bool add(std::string_view text);

    // The last whole reply: its datagrams' texts in their numbered order.
    [[nodiscard]] const std::string& reply() const { return m_reply; }
    [[nodiscard]] std::size_t heldDatagrams() const { return m_datagrams.size(); }

private:
    struct Datagram {
        std::string reply; // N of the queryid, as text
        std::int32_t number = 0;
        bool final = false;
        bool older = false; // held since before the latest query
        std::string text;
    };

    [[nodiscard]] bool assemble(std::string_view reply);

    std::vector<Datagram> m_datagrams;
    std::size_t m_bytes = 0;
    std::string m_reply;
};

} // namespace query
