#include "layers/LayerCheck.h"

#include "layers/IncludeScanner.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <span>
#include <string_view>

namespace layers {
namespace {

namespace fs = std::filesystem;

struct Layer {
    std::string_view name; // a folder of src, or a file directly in it
    std::span<const std::string_view> mayInclude;
    bool qt = false;
};

constexpr std::array<std::string_view, 0> kNothing{};
constexpr std::array<std::string_view, 1> kSettings{"toolkit"};
constexpr std::array<std::string_view, 2> kQuery{"toolkit", "settings"};
constexpr std::array<std::string_view, 3> kSubsystem{"toolkit", "settings", "query"};
constexpr std::array<std::string_view, 4> kIrc{"toolkit", "settings", "query", "war"};
constexpr std::array<std::string_view, 7> kApp{"toolkit",    "settings", "query", "serverlist",
                                               "favourites", "war",      "irc"};
constexpr std::array<std::string_view, 8> kQt{"toolkit",    "settings", "query", "serverlist",
                                              "favourites", "war",      "irc",   "app"};
constexpr std::array<std::string_view, 2> kMain{"app", "qt"};

constexpr std::array<Layer, 10> kLayers = {{
    {"toolkit", kNothing},
    {"settings", kSettings},
    {"query", kQuery},
    {"serverlist", kSubsystem},
    {"favourites", kSubsystem},
    {"war", kSubsystem},
    {"irc", kIrc},
    {"app", kApp},
    {"qt", kQt, true},
    {"main.cpp", kMain, true},
}};

constexpr std::string_view kQtName = "Qt";

constexpr std::array<std::string_view, 9> kSourceExtensions = {".h",   ".hh",  ".hpp", ".c",  ".cc",
                                                               ".cpp", ".cxx", ".inl", ".ipp"};

const Layer* findLayer(std::string_view name) {
    const auto it = std::ranges::find(kLayers, name, &Layer::name);
    return it == kLayers.end() ? nullptr : &*it;
}

bool isSourceFile(const fs::path& path) {
    return std::ranges::find(kSourceExtensions, path.extension().string()) !=
           kSourceExtensions.end();
}

// The layer a path below the source root belongs to: its first folder, or the file's own
// name when it sits directly in the root.
std::string layerOf(const fs::path& relative) {
    return relative.begin()->string();
}

bool isQtHeader(std::string_view path) {
    return path.size() > 1 && path.front() == 'Q' &&
           (std::isupper(static_cast<unsigned char>(path[1])) != 0 || path[1] == 't');
}

bool isInside(const fs::path& relative) {
    return !relative.empty() && *relative.begin() != "..";
}

// Which layer an include reaches: a layer's name, kQtName, "" for an outside header that
// needs no check, or nullopt for a quoted include that names nothing of ours.
std::optional<std::string> targetOf(const fs::path& root, const fs::path& includer,
                                    const std::string& layer, const IncludeDirective& include) {
    const fs::path written(include.path);
    const std::string first = written.empty() ? std::string() : written.begin()->string();
    const bool namesLayer = written.has_parent_path() && findLayer(first) != nullptr;
    if (include.angled) {
        if (namesLayer) {
            return first;
        }
        return isQtHeader(include.path) ? std::string(kQtName) : std::string();
    }
    std::error_code ec;
    const fs::path besideIt = (includer.parent_path() / written).lexically_normal();
    const fs::path fromBeside = besideIt.lexically_relative(root);
    if (isInside(fromBeside) && fs::exists(besideIt, ec)) {
        return layerOf(fromBeside);
    }
    if (namesLayer || (written.has_parent_path() && fs::exists(root / written, ec))) {
        return first;
    }
    if (isQtHeader(include.path)) {
        return std::string(kQtName);
    }
    if (!written.has_parent_path()) {
        return layer; // a file generated beside the source (moc, ui)
    }
    return std::nullopt;
}

std::string allowedText(const Layer& layer) {
    std::string text;
    for (const std::string_view name : layer.mayInclude) {
        text += (text.empty() ? "" : ", ") + std::string(name);
    }
    if (layer.qt) {
        text += (text.empty() ? "" : ", ") + std::string(kQtName);
    }
    return text.empty() ? "the standard library only" : text;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

std::ostream& operator<<(std::ostream& out, const LayerViolation& violation) {
    out << violation.file;
    if (violation.line > 0) {
        out << ':' << violation.line;
    }
    if (!violation.include.empty()) {
        out << ": #include " << violation.include;
    }
    return out << ": " << violation.reason;
}

std::vector<LayerViolation> checkLayers(const fs::path& sourceRoot) {
    const fs::path root = sourceRoot.lexically_normal();
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && isSourceFile(entry.path())) {
            files.push_back(entry.path());
        }
    }
    std::ranges::sort(files);

    std::vector<LayerViolation> violations;
    std::set<std::string> unknownLayers;
    for (const fs::path& file : files) {
        const fs::path relative = file.lexically_relative(root);
        const std::string shown = (root.filename() / relative).generic_string();
        const std::string layerName = layerOf(relative);
        const Layer* layer = findLayer(layerName);
        if (layer == nullptr) {
            if (unknownLayers.insert(layerName).second) {
                violations.push_back({shown,
                                      0,
                                      {},
                                      "\"" + layerName +
                                          "\" is not a known layer; add it to the table of "
                                          "layers on purpose"});
            }
            continue;
        }
        for (const IncludeDirective& include : scanIncludes(readAll(file))) {
            const std::string written =
                include.angled ? "<" + include.path + ">" : "\"" + include.path + "\"";
            const std::optional<std::string> target = targetOf(root, file, layerName, include);
            if (!target) {
                violations.push_back({shown, include.line, written,
                                      "no such file of ours; outside headers use <...>"});
                continue;
            }
            const bool allowed =
                target->empty() || *target == layerName ||
                (*target == kQtName
                     ? layer->qt
                     : std::ranges::find(layer->mayInclude, *target) != layer->mayInclude.end());
            if (!allowed) {
                violations.push_back({shown, include.line, written,
                                      layerName + " may not include " + *target +
                                          " (it may include: " + allowedText(*layer) + ")"});
            }
        }
    }
    return violations;
}

} // namespace layers
