#include "war/WarGraph.h"

#include "settings/SettingsBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace war {

namespace {

// The time axis lies this far above the bottom edge.
constexpr int kBaseLine = 20;
// Pixel coordinates are kept within this distance of the image, so that
// absurd figures from a server draw off the image instead of overflowing.
constexpr double kFarPixel = 1'000'000.0;
constexpr const char* kFontName = "Verdana";
constexpr int kTitleSize = 8;
constexpr int kTickSize = 6;

// A real number of pixels, truncated toward zero.
int toPixel(double value) {
    return static_cast<int>(std::clamp(value, -kFarPixel, kFarPixel));
}

// Pixels per second of level time and per frag: one pixel per second at
// most, two pixels per frag at most.
struct Scales {
    double x = 0.0;
    double y = 0.0;
};

Scales scalesFor(int width, int height, std::int32_t levelSeconds, std::int32_t maxFrags) {
    const double seconds = static_cast<double>(std::max(levelSeconds, 0)) + 1.0;
    const double frags = static_cast<double>(std::max(maxFrags, 0)) + 1.0;
    Scales s;
    s.x = std::clamp(width / seconds, 0.0, 1.0);
    s.y = std::clamp((height - 25) / frags, 0.0, 2.0);
    return s;
}

struct Point {
    int x;
    int y;
};

Point pointOf(int height, const Scales& s, std::int64_t time, std::int64_t frags) {
    const int x = toPixel(static_cast<double>(time) * s.x);
    const int y = toPixel(static_cast<double>(height - kBaseLine) -
                          std::trunc(static_cast<double>(frags) * s.y));
    return {x, y};
}

void segment(tk::Canvas& canvas, Point a, Point b) {
    canvas.moveTo(a.x, a.y);
    canvas.lineTo(b.x, b.y);
}

// The colour value plus 100 as a number: its red component rises, with a
// carry into green past 255.
tk::Color lighter(tk::Color c) {
    return static_cast<tk::Color>(static_cast<std::uint32_t>(c) + 100U);
}

void drawFrame(tk::Canvas& canvas, int width, int height, const GraphColors& colors) {
    canvas.setBrushColor(colors.background);
    canvas.fillRect(tk::Rect{0, 0, width, height});
    canvas.setPen(colors.grid, tk::PenStyle::Solid, 1);
    canvas.moveTo(0, height - kBaseLine);
    canvas.lineTo(width, height - kBaseLine);
    canvas.moveTo(width / 2, 0);
    canvas.lineTo(width / 2, height);
    canvas.setFont(kFontName, kTitleSize, false);
}

// A tick every minute of level time, labelled with the minutes. On a level
// so long that minutes lie less than a pixel apart, the ticks step whole
// minutes at least one pixel apart, so their number stays bounded.
void drawTimeTicks(tk::Canvas& canvas, int height, std::int32_t levelSeconds, const Scales& s,
                   const GraphColors& colors) {
    canvas.setPen(colors.grid, tk::PenStyle::Solid, 1);
    canvas.setFontColor(colors.font);
    constexpr std::int64_t kMinute = 60;
    std::int64_t step = kMinute;
    if (kMinute * s.x < 1.0) {
        step = s.x > 0.0 ? kMinute * static_cast<std::int64_t>(std::ceil(1.0 / (kMinute * s.x)))
                         : static_cast<std::int64_t>(std::max(levelSeconds, 0)) + 1;
    }
    for (std::int64_t t = 0; t <= levelSeconds; t += step) {
        const int x = toPixel(static_cast<double>(t) * s.x);
        canvas.moveTo(x, height - 22);
        canvas.lineTo(x, height - 18);
        canvas.textOut(x - 5, height - 15, std::to_string(t / kMinute));
    }
}

// Ticks on the frag axis every 10 x y-scale frags (fraction dropped), as
// long as they do not pass the maximum plus 10 x y-scale. Below a scale of
// 0.1 that step would be 0 and never advance: it is raised to the frags of
// ten pixels, and the ticks go on to the maximum plus that step, so the
// labels keep advancing, reach the maximum and stay few.
void drawFragTicks(tk::Canvas& canvas, int width, int height, std::int32_t maxFrags,
                   const Scales& s, const GraphColors& colors) {
    canvas.setPen(colors.grid, tk::PenStyle::Solid, 1);
    canvas.setFontColor(colors.font);
    const std::int64_t top = std::max(maxFrags, 0);
    auto step = static_cast<std::int64_t>(10.0 * s.y);
    if (step < 1) {
        step = s.y > 0.0 ? static_cast<std::int64_t>(std::ceil(10.0 / s.y)) : top + 1;
    }
    const double limit = static_cast<double>(top) + std::max(10.0 * s.y, static_cast<double>(step));
    const int axis = width / 2;
    for (std::int64_t v = 0; static_cast<double>(v) <= limit; v += step) {
        const int y = pointOf(height, s, 0, v).y;
        canvas.moveTo(axis - 2, y);
        canvas.lineTo(axis + 2, y);
        canvas.textOut(axis + 2, y - 5, std::to_string(v));
    }
}

// A team's course from slot 0 to the slot before the next one to be
// written: its total, and where players had left, the present players'
// frags dotted.
void drawTeamLine(tk::Canvas& canvas, int height, const Scales& s,
                  const std::array<WarSample, kWarSamples>& series, std::int32_t sampleIndex,
                  tk::Color color) {
    const int written = std::clamp(sampleIndex, 0, kWarSamples);
    for (int i = 1; i < written; ++i) {
        const WarSample& a = series[static_cast<std::size_t>(i - 1)];
        const WarSample& b = series[static_cast<std::size_t>(i)];
        canvas.setPen(color, tk::PenStyle::Solid, 1);
        segment(canvas, pointOf(height, s, a.time, static_cast<std::int64_t>(a.frags) + a.departed),
                pointOf(height, s, b.time, static_cast<std::int64_t>(b.frags) + b.departed));
        if (a.departed > 0) {
            canvas.setPen(lighter(color), tk::PenStyle::Dot, 1);
            segment(canvas, pointOf(height, s, a.time, a.frags),
                    pointOf(height, s, b.time, b.frags));
        }
    }
}

// A player's course: the samples in the order they were taken; once the
// ring is full, the latest kWarSamples from the oldest at count % kWarSamples.
void drawPlayerLine(tk::Canvas& canvas, int height, const Scales& s, const PlayerHistory& history) {
    const int taken = std::clamp(history.count, 0, kWarSamples);
    const int oldest = history.count > kWarSamples ? history.count % kWarSamples : 0;
    const auto at = [&](int k) -> const WarSample& {
        return history.samples[static_cast<std::size_t>((oldest + k) % kWarSamples)];
    };
    for (int k = 1; k < taken; ++k) {
        const WarSample& a = at(k - 1);
        const WarSample& b = at(k);
        segment(canvas, pointOf(height, s, a.time, static_cast<std::int64_t>(a.frags) + a.departed),
                pointOf(height, s, b.time, static_cast<std::int64_t>(b.frags) + b.departed));
    }
}

} // namespace

GraphColors graphColorsOf(const cfg::SettingsBlock& settings) {
    GraphColors c;
    c.background = settings.Background;
    c.grid = settings.Grid;
    c.font = settings.Font;
    c.teamA = settings.TeamA;
    c.teamB = settings.TeamB;
    c.player = settings.Player;
    return c;
}

bool graphShows(const WarRecord& record) {
    return record.active || record.finished;
}

void DrawWarGraph(tk::Canvas& canvas, int width, int height, const WarRecord& record,
                  const GraphColors& colors) {
    drawFrame(canvas, width, height, colors);
    if (!graphShows(record)) {
        return;
    }
    const Scales s = scalesFor(width, height, record.levelSeconds, record.maxTeamTotal);

    canvas.setFont(kFontName, kTitleSize, true);
    canvas.setFontColor(colors.teamA);
    canvas.textOut(10, 10, record.teamAName.view());
    canvas.setFontColor(colors.teamB);
    canvas.textOut(50, 10, record.teamBName.view());
    canvas.setFontColor(colors.font);
    canvas.textOut(10, 25, record.hostname.view());
    canvas.textOut(10, 40, record.gametype.view());
    canvas.textOut(10, 55, record.map.view());

    canvas.setFont(kFontName, kTickSize, false);
    drawTimeTicks(canvas, height, record.levelSeconds, s, colors);
    drawFragTicks(canvas, width, height, record.maxTeamTotal, s, colors);

    drawTeamLine(canvas, height, s, record.redSeries, record.sampleIndex, colors.teamA);
    drawTeamLine(canvas, height, s, record.blueSeries, record.sampleIndex, colors.teamB);
}

void DrawPlayerGraph(tk::Canvas& canvas, int width, int height, const WarRecord& record,
                     const GraphColors& colors) {
    drawFrame(canvas, width, height, colors);
    if (!graphShows(record)) {
        return;
    }
    const Scales s = scalesFor(width, height, record.levelSeconds, record.maxPlayerFrags);

    canvas.setFont(kFontName, kTickSize, false);
    drawTimeTicks(canvas, height, record.levelSeconds, s, colors);
    drawFragTicks(canvas, width, height, record.maxPlayerFrags, s, colors);

    for (std::size_t slot = 0; slot < record.histories.size(); ++slot) {
        const PlayerHistory& history = record.histories[slot];
        if (history.name.empty()) {
            continue;
        }
        const tk::Color color = colors.player[slot % colors.player.size()];
        canvas.setFontColor(color);
        canvas.textOut(10, 10 * static_cast<int>(slot),
                       history.name.str() + " (" + std::to_string(history.frags) + " Frags)");
        canvas.setPen(color, tk::PenStyle::Solid, 1);
        drawPlayerLine(canvas, height, s, history);
    }
}

} // namespace war
