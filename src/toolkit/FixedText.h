#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tk {

// A zero-terminated 8-bit text of fixed capacity, as stored in the server and
// player records. Assignment cuts the text to N - 1 bytes; nothing is ever
// written past the array.
template <std::size_t N> class FixedText {
    static_assert(N > 0);

public:
    static constexpr std::size_t kCapacity = N - 1;

    FixedText() { m_data.fill('\0'); }
    FixedText(std::string_view text) { assign(text); } // NOLINT(google-explicit-constructor)

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void assign(std::string_view text) {
        // Like a C string, the text ends at its first zero byte.
        text = text.substr(0, std::min(text.find('\0'), text.size()));
        const std::size_t n = std::min(text.size(), kCapacity);
        if (n > 0) { // an empty view may carry a null pointer
            std::memcpy(m_data.data(), text.data(), n);
        }
        std::fill(m_data.begin() + static_cast<std::ptrdiff_t>(n), m_data.end(), '\0');
    }

    [[nodiscard]] std::string_view view() const { return {m_data.data(), size()}; }
    [[nodiscard]] std::string str() const { return std::string(view()); }
    [[nodiscard]] const char* c_str() const { return m_data.data(); }
    [[nodiscard]] std::size_t size() const { return std::strlen(m_data.data()); }
    [[nodiscard]] bool empty() const { return m_data[0] == '\0'; }
    operator std::string_view() const { return view(); } // NOLINT(google-explicit-constructor)

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

private:
    std::array<char, N> m_data;
};

} // namespace tk
