#include "toolkit/IniFile.h"

#include "toolkit/Ascii.h"
#include "toolkit/AtomicFile.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tk {

namespace {

// A settings file is a few kilobytes and the game's own ini about 100; a file
// far beyond that is not an ini and would only eat memory.
constexpr std::uintmax_t kMaxFileSize = 64u * 1024u * 1024u;

enum class LineKind { Blank, Comment, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;      // section name or key, trimmed
    std::string_view value;     // value, trimmed
    std::size_t valueStart = 0; // offset just after the '=' of a key line
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return equalsIgnoreAsciiCase(a, b);
}

ParsedLine parseLine(std::string_view text) {
    ParsedLine p;
    const std::string_view t = trim(text);
    if (t.empty()) {
        return p;
    }
    if (t.front() == ';' || t.front() == '#') {
        p.kind = LineKind::Comment;
        return p;
    }
    if (t.front() == '[') {
        const std::size_t close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            p.kind = LineKind::Section;
            p.name = trim(t.substr(1, close - 1));
            return p;
        }
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) {
        p.kind = LineKind::Other;
        return p;
    }
    p.kind = LineKind::Key;
    p.name = trim(text.substr(0, eq));
    p.value = trim(text.substr(eq + 1));
    p.valueStart = eq + 1;
    return p;
}

// Written texts stay on their line.
std::string oneLine(std::string_view text) {
    std::string s(text);
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return s;
}

} // namespace

IniFile IniFile::fromBytes(std::string_view bytes) {
    IniFile ini;
    ini.parse(bytes);
    return ini;
}

void IniFile::parse(std::string_view bytes) {
    m_lines.clear();
    m_eol = "\r\n";
    bool eolKnown = false;
    while (!bytes.empty()) {
        const std::size_t nl = bytes.find('\n');
        Line line;
        if (nl == std::string_view::npos) {
            line.text = std::string(bytes);
            bytes = {};
        } else {
            const bool crlf = nl > 0 && bytes[nl - 1] == '\r';
            line.text = std::string(bytes.substr(0, crlf ? nl - 1 : nl));
            line.eol = crlf ? "\r\n" : "\n";
            bytes.remove_prefix(nl + 1);
            if (!eolKnown) {
                m_eol = line.eol;
                eolKnown = true;
            }
        }
        m_lines.push_back(std::move(line));
    }
}

IniLoadResult IniFile::load(const std::filesystem::path& path) {
    m_lines.clear();
    m_eol = "\r\n";
    try {
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (status.type() == std::filesystem::file_type::not_found) {
            return IniLoadResult::Missing;
        }
        // Only a plain file: a directory cannot be read and a pipe could
        // block the program for good.
        if (ec || !std::filesystem::is_regular_file(status)) {
            return IniLoadResult::Unreadable;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return IniLoadResult::Unreadable;
        }
        std::string content;
        char buffer[16384];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            content.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (content.size() > kMaxFileSize) {
                return IniLoadResult::Unreadable;
            }
        }
        if (in.bad()) {
            return IniLoadResult::Unreadable;
        }
        parse(content);
        return IniLoadResult::Loaded;
    } catch (const std::exception&) {
        m_lines.clear();
        return IniLoadResult::Unreadable;
    }
}

std::string IniFile::bytes() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.text;
        out += line.eol;
    }
    return out;
}

bool IniFile::save(const std::filesystem::path& path) const {
    try {
        return replaceFileContents(path, bytes());
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::size_t> IniFile::findHeader(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ParsedLine p = parseLine(m_lines[i].text);
        if (p.kind == LineKind::Section && sameName(p.name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ParsedLine p = parseLine(m_lines[i].text);
        if (p.kind == LineKind::Section) {
            inSection = sameName(p.name, section);
        } else if (inSection && p.kind == LineKind::Key && sameName(p.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniFile::endOfEntries(std::size_t header) const {
    std::size_t end = header + 1;
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        const LineKind kind = parseLine(m_lines[i].text).kind;
        if (kind == LineKind::Section) {
            break;
        }
        if (kind == LineKind::Key || kind == LineKind::Other) {
            end = i + 1;
        }
    }
    return end;
}

bool IniFile::hasSection(std::string_view section) const {
    return findHeader(section).has_value();
}

std::vector<std::string> IniFile::sectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    bool inSection = false;
    for (const Line& line : m_lines) {
        const ParsedLine p = parseLine(line.text);
        if (p.kind == LineKind::Section) {
            inSection = sameName(p.name, section);
        } else if (inSection && p.kind == LineKind::Key) {
            keys.emplace_back(p.name);
        }
    }
    return keys;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const auto at = findKey(section, key);
    if (!at) {
        return std::nullopt;
    }
    return std::string(parseLine(m_lines[*at].text).value);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    auto v = value(section, key);
    return v ? std::move(*v) : std::string(def);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                  std::int32_t def) const {
    const auto v = value(section, key);
    return v ? toIntDefHex(*v, def) : def;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::insertLine(std::size_t at, std::string text) {
    // The line before must end, or the new one would run on from it.
    if (at > 0 && m_lines[at - 1].eol.empty()) {
        m_lines[at - 1].eol = m_eol;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), m_eol});
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanValue = oneLine(value);
    if (const auto at = findKey(section, key)) {
        std::string& text = m_lines[*at].text;
        text.resize(parseLine(text).valueStart);
        text += cleanValue;
        return;
    }
    std::string entry = oneLine(key) + "=" + cleanValue;
    if (const auto header = findHeader(section)) {
        insertLine(endOfEntries(*header), std::move(entry));
        return;
    }
    insertLine(m_lines.size(), "[" + oneLine(section) + "]");
    insertLine(m_lines.size(), std::move(entry));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeString(section, key, intText(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section) {
    while (const auto header = findHeader(section)) {
        const std::size_t end = endOfEntries(*header);
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

} // namespace tk
