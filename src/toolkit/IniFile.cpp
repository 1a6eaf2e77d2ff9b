#include "toolkit/IniFile.h"

#include "toolkit/Ascii.h"
#include "toolkit/AtomicFile.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace tk {

namespace {

// A settings file is a few kilobytes and the game's own ini about 100; a file
// far beyond that is not an ini and would only eat memory.
constexpr std::uintmax_t kMaxFileSize = 64u * 1024u * 1024u;

// Offsets into a document are 32 bits wide.
constexpr std::size_t kMaxDocument = std::numeric_limits<std::uint32_t>::max();

enum class ParsedKind { Blank, Comment, Section, Key, Other };

struct ParsedLine {
    ParsedKind kind = ParsedKind::Blank;
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
        p.kind = ParsedKind::Comment;
        return p;
    }
    if (t.front() == '[') {
        const std::size_t close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            p.kind = ParsedKind::Section;
            p.name = trim(t.substr(1, close - 1));
            return p;
        }
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) {
        p.kind = ParsedKind::Other;
        return p;
    }
    p.kind = ParsedKind::Key;
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

// Reads a whole plain file into text; false when it cannot be read or is too
// large to be an ini.
bool readPlainFile(const std::filesystem::path& path, std::string& text) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxFileSize) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.clear();
    text.reserve(ec ? 0 : static_cast<std::size_t>(size));
    char buffer[16384];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxFileSize) {
            return false;
        }
    }
    return !in.bad();
}

} // namespace

IniFile IniFile::fromBytes(std::string_view bytes) {
    IniFile ini;
    if (bytes.size() <= kMaxDocument) {
        ini.parse(std::string(bytes));
    }
    return ini;
}

void IniFile::parse(std::string text) {
    m_text = std::move(text);
    m_marks.clear();
    m_eol = "\r\n";
    bool eolKnown = false;
    const std::string_view all(m_text);
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t nl = all.find('\n', start);
        const std::size_t end = nl == std::string_view::npos ? all.size() : nl;
        const bool crlf = nl != std::string_view::npos && nl > start && all[nl - 1] == '\r';
        if (!eolKnown && nl != std::string_view::npos) {
            m_eol = crlf ? "\r\n" : "\n";
            eolKnown = true;
        }
        const std::size_t textEnd = crlf ? end - 1 : end;
        if (textEnd > start) { // empty lines, the bulk of a blank file, need no parsing
            if (const auto kind = markKind(all.substr(start, textEnd - start))) {
                m_marks.push_back({static_cast<std::uint32_t>(start), *kind});
            }
        }
        start = end + 1;
    }
    m_marks.shrink_to_fit();
}

IniLoadResult IniFile::load(const std::filesystem::path& path) {
    m_text.clear();
    m_text.shrink_to_fit();
    m_marks.clear();
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
        std::string content;
        if (!readPlainFile(path, content)) {
            return IniLoadResult::Unreadable;
        }
        parse(std::move(content));
        return IniLoadResult::Loaded;
    } catch (const std::exception&) {
        m_text.clear();
        m_marks.clear();
        return IniLoadResult::Unreadable;
    }
}

std::string IniFile::bytes() const {
    return m_text;
}

bool IniFile::save(const std::filesystem::path& path) const {
    try {
        return replaceFileContents(path, m_text);
    } catch (const std::exception&) {
        return false;
    }
}

std::size_t IniFile::footprint() const {
    return sizeof(*this) + m_text.capacity() + m_marks.capacity() * sizeof(Mark) + m_eol.capacity();
}

std::string_view IniFile::lineText(std::size_t start) const {
    const std::string_view all(m_text);
    const std::size_t nl = all.find('\n', start);
    if (nl == std::string_view::npos) {
        return all.substr(start);
    }
    const bool crlf = nl > start && all[nl - 1] == '\r';
    return all.substr(start, (crlf ? nl - 1 : nl) - start);
}

std::size_t IniFile::lineEnd(std::size_t start) const {
    const std::size_t nl = m_text.find('\n', start);
    return nl == std::string::npos ? m_text.size() : nl + 1;
}

std::optional<std::size_t> IniFile::findHeader(std::string_view section) const {
    for (std::size_t i = 0; i < m_marks.size(); ++i) {
        if (m_marks[i].kind == LineKind::Section &&
            sameName(parseLine(lineText(m_marks[i].start)).name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < m_marks.size(); ++i) {
        const Mark mark = m_marks[i];
        if (mark.kind == LineKind::Section) {
            inSection = sameName(parseLine(lineText(mark.start)).name, section);
        } else if (inSection && mark.kind == LineKind::Key &&
                   sameName(parseLine(lineText(mark.start)).name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniFile::endOfEntries(std::size_t header) const {
    std::size_t last = header;
    for (std::size_t i = header + 1; i < m_marks.size() && m_marks[i].kind != LineKind::Section;
         ++i) {
        last = i; // a key or other text: comments and blank lines are not marked
    }
    return lineEnd(m_marks[last].start);
}

bool IniFile::hasSection(std::string_view section) const {
    return findHeader(section).has_value();
}

std::vector<std::string> IniFile::sectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    bool inSection = false;
    for (const Mark& mark : m_marks) {
        if (mark.kind == LineKind::Section) {
            inSection = sameName(parseLine(lineText(mark.start)).name, section);
        } else if (inSection && mark.kind == LineKind::Key) {
            keys.emplace_back(parseLine(lineText(mark.start)).name);
        }
    }
    return keys;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const auto at = findKey(section, key);
    if (!at) {
        return std::nullopt;
    }
    return std::string(parseLine(lineText(m_marks[*at].start)).value);
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

bool IniFile::replaceBytes(std::size_t from, std::size_t to, std::string_view with) {
    if (m_text.size() - (to - from) + with.size() > kMaxDocument) {
        return false;
    }
    m_text.replace(from, to - from, with);
    const auto first = std::ranges::lower_bound(m_marks, from, {}, &Mark::start);
    const auto last = std::ranges::lower_bound(first, m_marks.end(), to, {}, &Mark::start);
    const auto kept = m_marks.erase(first, last);
    for (auto it = kept; it != m_marks.end(); ++it) {
        it->start = static_cast<std::uint32_t>(it->start - (to - from) + with.size());
    }
    return true;
}

std::optional<IniFile::LineKind> IniFile::markKind(std::string_view line) {
    switch (parseLine(line).kind) {
    case ParsedKind::Section:
        return LineKind::Section;
    case ParsedKind::Key:
        return LineKind::Key;
    case ParsedKind::Other:
        return LineKind::Other;
    case ParsedKind::Blank:
    case ParsedKind::Comment:
        break;
    }
    return std::nullopt;
}

void IniFile::remark(std::size_t start) {
    const auto at = std::ranges::lower_bound(m_marks, start, {}, &Mark::start);
    const bool marked = at != m_marks.end() && at->start == start;
    const std::optional<LineKind> kind = markKind(lineText(start));
    if (kind && marked) {
        at->kind = *kind;
    } else if (kind) {
        m_marks.insert(at, Mark{static_cast<std::uint32_t>(start), *kind});
    } else if (marked) {
        m_marks.erase(at);
    }
}

void IniFile::insertLine(std::size_t at, std::string_view text) {
    // The line before must end, or the new one would run on from it.
    const bool endPrevious = at == m_text.size() && at > 0 && m_text.back() != '\n';
    std::string bytes = endPrevious ? m_eol : std::string();
    const std::size_t lineStart = at + bytes.size();
    bytes += text;
    bytes += m_eol;
    if (replaceBytes(at, at, bytes)) {
        remark(lineStart);
    }
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanValue = oneLine(value);
    if (const auto at = findKey(section, key)) {
        const std::size_t start = m_marks[*at].start;
        const std::string_view line = lineText(start);
        // The line stays a key unless its key part makes it a header ("[k=v]").
        if (replaceBytes(start + parseLine(line).valueStart, start + line.size(), cleanValue)) {
            remark(start);
        }
        return;
    }
    const std::string entry = oneLine(key) + "=" + cleanValue;
    if (const auto header = findHeader(section)) {
        insertLine(endOfEntries(*header), entry);
        return;
    }
    insertLine(m_text.size(), "[" + oneLine(section) + "]");
    insertLine(m_text.size(), entry);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeString(section, key, intText(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section) {
    while (const auto header = findHeader(section)) {
        replaceBytes(m_marks[*header].start, endOfEntries(*header), {});
    }
}

} // namespace tk
