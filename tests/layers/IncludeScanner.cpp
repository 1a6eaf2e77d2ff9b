#include "layers/IncludeScanner.h"

#include <algorithm>
#include <cctype>

namespace layers {
namespace {

bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// A raw string literal starts at text[at] == 'R' when R (maybe after an encoding prefix)
// begins an identifier-like token and a quote follows.
bool startsRawString(std::string_view text, std::size_t at) {
    if (text[at] != 'R' || at + 1 >= text.size() || text[at + 1] != '"') {
        return false;
    }
    std::size_t start = at;
    while (start > 0 && isIdentifierChar(text[start - 1])) {
        --start;
    }
    const std::string_view prefix = text.substr(start, at - start);
    return prefix.empty() || prefix == "u8" || prefix == "u" || prefix == "U" || prefix == "L";
}

// The text with comments and raw string contents turned into blanks; line breaks stay, so
// line numbers are kept.
std::string codeOnly(std::string_view text) {
    std::string code(text);
    const auto blank = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < code.size(); ++i) {
            if (code[i] != '\n') {
                code[i] = ' ';
            }
        }
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '/' && next == '/') {
            // Runs to the end of the line, or further after a backslash before the break.
            std::size_t end = i + 2;
            while (end < text.size() && (text[end] != '\n' || text[end - 1] == '\\')) {
                ++end;
            }
            blank(i, end);
            i = end;
        } else if (c == '/' && next == '*') {
            const std::size_t close = text.find("*/", i + 2);
            const std::size_t end = close == std::string_view::npos ? text.size() : close + 2;
            blank(i, end);
            i = end;
        } else if (startsRawString(text, i)) {
            const std::size_t open = text.find('(', i + 2);
            if (open == std::string_view::npos) {
                return code;
            }
            const std::string closing = ")" + std::string(text.substr(i + 2, open - i - 2)) + "\"";
            const std::size_t close = text.find(closing, open + 1);
            const std::size_t end =
                close == std::string_view::npos ? text.size() : close + closing.size();
            blank(open + 1, close == std::string_view::npos ? end : close);
            i = end;
        } else if ((c == '"' || c == '\'') &&
                   !(c == '\'' && i > 0 && isIdentifierChar(text[i - 1]))) {
            // An ordinary literal ends at its closing quote or, broken, at the line's end. A
            // quote after a digit or letter is a digit separator (1'000), not a literal.
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != c && text[end] != '\n') {
                end += text[end] == '\\' ? 2 : 1;
            }
            i = end < text.size() && text[end] == c ? end + 1 : end;
        } else {
            ++i;
        }
    }
    return code;
}

// The include of one line of code, if it is an include directive.
bool parseDirective(std::string_view line, IncludeDirective& directive) {
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < line.size() && isBlank(line[at])) {
            ++at;
        }
    };
    skipBlanks();
    if (at >= line.size() || line[at] != '#') {
        return false;
    }
    ++at;
    skipBlanks();
    constexpr std::string_view kInclude = "include";
    if (line.substr(at, kInclude.size()) != kInclude) {
        return false;
    }
    at += kInclude.size();
    skipBlanks();
    if (at >= line.size() || (line[at] != '"' && line[at] != '<')) {
        return false;
    }
    const char close = line[at] == '"' ? '"' : '>';
    const std::size_t end = line.find(close, at + 1);
    if (end == std::string_view::npos) {
        return false;
    }
    directive.angled = close == '>';
    directive.path = std::string(line.substr(at + 1, end - at - 1));
    return true;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const IncludeDirective& include) {
    return out << include.line << (include.angled ? " <" : " \"") << include.path
               << (include.angled ? ">" : "\"");
}

std::vector<IncludeDirective> scanIncludes(std::string_view text) {
    const std::string code = codeOnly(text);
    std::vector<IncludeDirective> includes;
    int lineNumber = 0;
    for (std::size_t start = 0; start <= code.size();) {
        const std::size_t end = std::min(code.find('\n', start), code.size());
        ++lineNumber;
        IncludeDirective directive;
        if (parseDirective(std::string_view(code).substr(start, end - start), directive)) {
            directive.line = lineNumber;
            includes.push_back(std::move(directive));
        }
        start = end + 1;
    }
    return includes;
}

} // namespace layers
