#include "ReplyPacker.h"

namespace utlab {

ReplyPacker::ReplyPacker(int queryNumber, bool finalFirst)
    : m_queryNumber(queryNumber), m_finalFirst(finalFirst) {}

void ReplyPacker::add(std::string_view block) {
    if (!m_current.empty() && m_current.size() + block.size() > kDatagramBudget) {
        flush(false);
    }
    m_current += block;
}

std::vector<std::string> ReplyPacker::finish() {
    flush(true);
    return std::move(m_datagrams);
}

void ReplyPacker::flush(bool last) {
    const std::string queryId =
        std::to_string(m_queryNumber) + "." + std::to_string(m_datagrams.size() + 1);
    if (last && m_finalFirst) {
        m_current += "\\final\\";
    }
    appendPair(m_current, "queryid", queryId);
    if (last && !m_finalFirst) {
        m_current += "\\final\\";
    }
    m_datagrams.push_back(std::move(m_current));
    m_current.clear();
}

void appendPair(std::string& out, std::string_view key, std::string_view value) {
    out += '\\';
    out += key;
    out += '\\';
    out += value;
}

} // namespace utlab
