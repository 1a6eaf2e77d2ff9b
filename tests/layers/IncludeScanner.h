#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace layers {

// One `#include` directive of a source file.
struct IncludeDirective {
    int line = 0;     // 1-based
    std::string path; // as written between the quotes or angle brackets
    bool angled = false;

    bool operator==(const IncludeDirective&) const = default;
};

std::ostream& operator<<(std::ostream& out, const IncludeDirective& include);

// The include directives of a C++ source text, in order. Comments (line and block) and the
// contents of raw string literals are skipped, so an include that is commented out or quoted
// inside a literal does not count; a directive may be indented and may have blanks after '#'.
[[nodiscard]] std::vector<IncludeDirective> scanIncludes(std::string_view text);

} // namespace layers
