#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

enum class IniLoadResult {
    Loaded,    // the file was read
    Missing,   // there is no such file: the document is empty
    Unreadable // something is there but cannot be read: the document is empty
};

// An INI document that keeps every line of its file as it was, so that a
// program editing a few keys leaves every other byte alone (the game's own
// ini repeats keys on purpose and depends on each of them).
//
// "[name]" opens a section, "key=value" sets a key; lines starting with ';'
// or '#' are comments. Section and key names are compared without regard to
// case (ASCII). A section may appear more than once; its occurrences count as
// one section, and the first matching key wins. Lines before the first
// section belong to none and are never matched.
//
// Each line keeps its own line ending (CR LF, LF or none on a last line);
// lines added take the ending of the file's first line, CR LF for a new file.
// Nothing here throws.
//
// The document is its bytes plus a small index of the lines that are not
// blank or comments: loading is one pass, saving writes the bytes as they
// are, and memory stays near the file's size (a file of 10 MB of blank lines
// takes about 10 MB). A document stays below 4 GiB; a write that would pass
// that is not made.
class IniFile {
public:
    IniFile() = default;

    [[nodiscard]] static IniFile fromBytes(std::string_view bytes);
    // Replaces the document with the file's content.
    [[nodiscard]] IniLoadResult load(const std::filesystem::path& path);
    [[nodiscard]] std::string bytes() const;
    // Writes the document so that the file is either the old one or the new
    // one, whole: a temporary file beside it is written, synced and renamed
    // over it. False, with the old file untouched, when any step fails.
    [[nodiscard]] bool save(const std::filesystem::path& path) const;

    [[nodiscard]] bool hasSection(std::string_view section) const;
    // The names of the section's keys in file order, repeats included.
    [[nodiscard]] std::vector<std::string> sectionKeys(std::string_view section) const;

    // The value with blanks around it dropped; nullopt when the key is missing.
    [[nodiscard]] std::optional<std::string> value(std::string_view section,
                                                   std::string_view key) const;
    [[nodiscard]] std::string readString(std::string_view section, std::string_view key,
                                         std::string_view def) const;
    // Signed decimal, or hexadecimal after "0x"; def when missing or not a number.
    [[nodiscard]] std::int32_t readInteger(std::string_view section, std::string_view key,
                                           std::int32_t def) const;
    // On when the value reads as a non-zero integer.
    [[nodiscard]] bool readBool(std::string_view section, std::string_view key, bool def) const;

    // Replaces the value of the first matching key in place (its spelling and
    // indentation stay); a new key goes after the last entry of the section,
    // a new section to the end of the document. Line breaks in the written
    // texts become blanks, so a value can never add lines of its own.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    // Removes every occurrence of the section: its header and its lines up to
    // its last entry. Blank lines and comments after that entry stay, as they
    // usually introduce what follows.
    void eraseSection(std::string_view section);

    // The line ending of lines added from now on. By default a document adds
    // lines with the ending its first line has (CR LF for a new file), so an
    // edit blends in; a file whose format fixes its line ending sets it.
    void setLineEnding(std::string_view eol) { m_eol = eol; }

    // Bytes of memory the document holds (text and index), so that a check
    // can see that a large file stays compact.
    [[nodiscard]] std::size_t footprint() const;

private:
    enum class LineKind : std::uint8_t { Section, Key, Other };

    // A line that lookups and edits need: a section header, a key or other
    // text. Blank lines and comments are kept in the text only, so a file of
    // millions of blank lines costs no more than its bytes.
    struct Mark {
        std::uint32_t start = 0; // where the line starts in m_text
        LineKind kind = LineKind::Other;
    };

    // The kind of mark a line gets; nullopt for blank lines and comments.
    [[nodiscard]] static std::optional<LineKind> markKind(std::string_view line);
    void parse(std::string text);
    [[nodiscard]] std::string_view lineText(std::size_t start) const; // without its ending
    [[nodiscard]] std::size_t lineEnd(std::size_t start) const;       // after its ending
    [[nodiscard]] std::optional<std::size_t> findKey(std::string_view section,
                                                     std::string_view key) const;
    [[nodiscard]] std::optional<std::size_t> findHeader(std::string_view section) const;
    // The offset just after the last entry of the section occurrence whose
    // header is the mark at index header.
    [[nodiscard]] std::size_t endOfEntries(std::size_t header) const;
    // Replaces the bytes [from, to) and moves the marks after them; false
    // (nothing changed) when the document would pass 4 GiB. Marks of lines
    // starting inside [from, to) are dropped.
    bool replaceBytes(std::size_t from, std::size_t to, std::string_view with);
    // Gives the line starting at start the mark its text calls for.
    void remark(std::size_t start);
    // Inserts a line at a line start or the end of the text.
    void insertLine(std::size_t at, std::string_view text);

    std::string m_text;        // the document's bytes, exactly
    std::vector<Mark> m_marks; // in the order of the text
    std::string m_eol = "\r\n";
};

} // namespace tk
