// The war graph and the player graph, drawn onto the recording canvas.

#include "war/WarGraph.h"

#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kW = 400;
constexpr int kH = 300;

// Colours all different, so that every primitive shows which role drew it.
constexpr tk::Color kBackground = 0xF0F0F0;
constexpr tk::Color kGrid = 0xC0C0C0;
constexpr tk::Color kFont = 0x808080;
constexpr tk::Color kTeamA = tk::colors::kMaroon;
constexpr tk::Color kTeamB = tk::colors::kNavy;
constexpr tk::Color kPlayer0 = tk::rgb(255, 0, 0);
constexpr tk::Color kPlayer1 = tk::rgb(0, 255, 0);
constexpr tk::Color kPlayer2 = tk::rgb(0, 0, 255);

war::GraphColors testColors() {
    war::GraphColors c;
    c.background = kBackground;
    c.grid = kGrid;
    c.font = kFont;
    c.teamA = kTeamA;
    c.teamB = kTeamB;
    c.player.fill(tk::colors::kSilver);
    c.player[0] = kPlayer0;
    c.player[1] = kPlayer1;
    c.player[2] = kPlayer2;
    return c;
}

struct Line {
    int x0, y0, x1, y1;
    tk::Color color;
    tk::PenStyle style;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& l) {
    return out << "(" << l.x0 << "," << l.y0 << ")-(" << l.x1 << "," << l.y1 << ") colour 0x"
               << std::hex << l.color << std::dec
               << (l.style == tk::PenStyle::Dot ? " dotted" : " solid");
}

struct Label {
    int x, y;
    std::string text;
    tk::Color color;
    int sizePt;
    bool bold;
    bool operator==(const Label&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Label& l) {
    return out << '"' << l.text << "\" at (" << l.x << "," << l.y << ") colour 0x" << std::hex
               << l.color << std::dec << " size " << l.sizePt << (l.bold ? " bold" : "");
}

std::vector<Line> linesOf(const fake::RecordingCanvas& canvas) {
    std::vector<Line> out;
    for (const auto& s : canvas.segments) {
        EXPECT_EQ(s.width, 1);
        out.push_back({s.from.first, s.from.second, s.to.first, s.to.second, s.color, s.style});
    }
    return out;
}

std::vector<Label> labelsOf(const fake::RecordingCanvas& canvas) {
    std::vector<Label> out;
    for (const auto& t : canvas.texts) {
        out.push_back({t.x, t.y, t.text, t.color, t.sizePt, t.bold});
    }
    return out;
}

Line solid(int x0, int y0, int x1, int y1, tk::Color c) {
    return {x0, y0, x1, y1, c, tk::PenStyle::Solid};
}

Line dotted(int x0, int y0, int x1, int y1, tk::Color c) {
    return {x0, y0, x1, y1, c, tk::PenStyle::Dot};
}

// The frame: the background and both axes, the frag axis in the middle.
std::vector<Line> axes() {
    return {solid(0, 280, 400, 280, kGrid), solid(200, 0, 200, 300, kGrid)};
}

// A time tick with its label, in minutes.
void addTimeTick(std::vector<Line>& lines, std::vector<Label>& labels, int x, int minutes) {
    lines.push_back(solid(x, 278, x, 282, kGrid));
    labels.push_back({x - 5, 285, std::to_string(minutes), kFont, 6, false});
}

void addFragTick(std::vector<Line>& lines, std::vector<Label>& labels, int y, int frags) {
    lines.push_back(solid(198, y, 202, y, kGrid));
    labels.push_back({202, y - 5, std::to_string(frags), kFont, 6, false});
}

war::WarRecord warRecord() {
    war::WarRecord r;
    r.active = true;
    r.hostname = "Skarvell Test Server";
    r.gametype = "TeamGamePlus";
    r.map = "CTF-Face";
    r.teamAName = "Red";
    r.teamBName = "Blue";
    r.levelSeconds = 599;
    r.maxTeamTotal = 49;
    r.maxPlayerFrags = 49;
    return r;
}

using DrawFn = void (*)(tk::Canvas&, int, int, const war::WarRecord&, const war::GraphColors&);

TEST(WarGraph, WithoutAWarBothGraphsShowOnlyTheBackgroundAndTheAxes) {
    war::WarRecord stopped = warRecord();
    stopped.active = false;
    stopped.redSeries[0] = {0, 10, 0};
    stopped.redSeries[1] = {0, 20, 60};
    stopped.sampleIndex = 2;
    stopped.histories[0].name = "Bob";
    stopped.histories[0].count = 1;
    for (const auto& [what, draw] : {std::tuple{"war graph", DrawFn{war::DrawWarGraph}},
                                     std::tuple{"player graph", DrawFn{war::DrawPlayerGraph}}}) {
        for (const war::WarRecord& record : {war::WarRecord{}, stopped}) {
            SCOPED_TRACE(what);
            fake::RecordingCanvas canvas;
            draw(canvas, kW, kH, record, testColors());
            ASSERT_EQ(canvas.fills.size(), 1U);
            EXPECT_EQ(canvas.fills[0].rect, (tk::Rect{0, 0, kW, kH}));
            EXPECT_EQ(canvas.fills[0].color, kBackground);
            EXPECT_EQ(linesOf(canvas), axes());
            EXPECT_TRUE(canvas.texts.empty());
        }
    }
}

TEST(WarGraph, AStoppedWarWithItsResultStillShows) {
    war::WarRecord record = warRecord();
    record.active = false;
    record.finished = true;
    record.redSeries[0] = {0, 10, 0};
    record.redSeries[1] = {0, 20, 60};
    record.sampleIndex = 2;
    fake::RecordingCanvas canvas;
    war::DrawWarGraph(canvas, kW, kH, record, testColors());
    const std::vector<Line> lines = linesOf(canvas);
    EXPECT_NE(std::find(lines.begin(), lines.end(), solid(0, 260, 40, 240, kTeamA)), lines.end());
    EXPECT_FALSE(canvas.texts.empty());
}

// 400 x 300, level time 599, most frags 49: x scale 400 / 600, y scale
// 275 / 50 capped to 2. Every primitive, in order.
TEST(WarGraph, DrawsTitlesTicksAndBothTeamLinesWithTheFragsOfPlayersWhoLeftDotted) {
    war::WarRecord record = warRecord();
    // Red: a player with 9 frags leaves between 60 s and 120 s; the team
    // total stays at 21 while the present players hold 12.
    record.redSeries[0] = {0, 10, 0};
    record.redSeries[1] = {0, 21, 60};
    record.redSeries[2] = {9, 12, 120};
    record.redSeries[3] = {9, 15, 180};
    record.blueSeries[0] = {0, 0, 0};
    record.blueSeries[1] = {0, 7, 60};
    record.blueSeries[2] = {0, 7, 120};
    record.blueSeries[3] = {0, 30, 180};
    // Written earlier in the ring, beyond the next slot: not drawn.
    record.redSeries[4] = {0, 40, 240};
    record.blueSeries[4] = {0, 40, 240};
    record.sampleIndex = 4;

    fake::RecordingCanvas canvas;
    war::DrawWarGraph(canvas, kW, kH, record, testColors());

    ASSERT_EQ(canvas.fills.size(), 1U);
    EXPECT_EQ(canvas.fills[0].rect, (tk::Rect{0, 0, kW, kH}));
    EXPECT_EQ(canvas.fills[0].color, kBackground);

    std::vector<Line> lines = axes();
    std::vector<Label> labels = {
        {10, 10, "Red", kTeamA, 8, true},
        {50, 10, "Blue", kTeamB, 8, true},
        {10, 25, "Skarvell Test Server", kFont, 8, true},
        {10, 40, "TeamGamePlus", kFont, 8, true},
        {10, 55, "CTF-Face", kFont, 8, true},
    };
    for (int minute = 0; minute <= 9; ++minute) {
        addTimeTick(lines, labels, 40 * minute, minute);
    }
    // 0, 20, 40, 60: the first value above 49 + 20 stops.
    addFragTick(lines, labels, 280, 0);
    addFragTick(lines, labels, 240, 20);
    addFragTick(lines, labels, 200, 40);
    addFragTick(lines, labels, 160, 60);
    const tk::Color lighterRed = 0x0000E4; // maroon + 100
    const std::vector<Line> teams = {
        solid(0, 260, 40, 238, kTeamA),
        // Into the first sample with departed frags: solid only.
        solid(40, 238, 80, 238, kTeamA),
        solid(80, 238, 120, 232, kTeamA),
        dotted(80, 256, 120, 250, lighterRed),
        solid(0, 280, 40, 266, kTeamB),
        solid(40, 266, 80, 266, kTeamB),
        solid(80, 266, 120, 220, kTeamB),
    };
    lines.insert(lines.end(), teams.begin(), teams.end());

    EXPECT_EQ(linesOf(canvas), lines);
    EXPECT_EQ(labelsOf(canvas), labels);
}

TEST(WarGraph, ASmallerScaleLabelsTheFragAxisInSmallerSteps) {
    war::WarRecord record = warRecord();
    record.maxTeamTotal = 549; // y scale 275 / 550 = 0.5: every 5 frags
    fake::RecordingCanvas canvas;
    war::DrawWarGraph(canvas, kW, kH, record, testColors());

    std::vector<Line> expectedLines;
    std::vector<Label> expectedLabels;
    for (int v = 0; v <= 550; v += 5) {
        addFragTick(expectedLines, expectedLabels, 280 - v / 2, v);
    }
    std::vector<Label> fragLabels;
    for (const Label& l : labelsOf(canvas)) {
        if (l.x == 202) {
            fragLabels.push_back(l);
        }
    }
    EXPECT_EQ(fragLabels, expectedLabels);
    std::vector<Line> fragTicks;
    for (const Line& l : linesOf(canvas)) {
        if (l.x0 == 198) {
            fragTicks.push_back(l);
        }
    }
    EXPECT_EQ(fragTicks, expectedLines);
}

// Below a y scale of 0.1 the step of 10 x y scale frags would be 0. The
// labels must still advance, end above the maximum, and stay few.
TEST(WarGraph, FragAxisLabelsAdvanceAndEndForHugeTotals) {
    for (const int most : {2750, 3000, 1'000'000, std::numeric_limits<int>::max()}) {
        SCOPED_TRACE(most);
        war::WarRecord record = warRecord();
        record.maxTeamTotal = most;
        record.maxPlayerFrags = most;
        record.redSeries[0] = {std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 0};
        record.redSeries[1] = {std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                               599};
        record.sampleIndex = 2;
        for (const DrawFn draw : {DrawFn{war::DrawWarGraph}, DrawFn{war::DrawPlayerGraph}}) {
            fake::RecordingCanvas canvas;
            draw(canvas, kW, kH, record, testColors());
            std::vector<long long> values;
            std::vector<int> ys;
            for (const Label& l : labelsOf(canvas)) {
                if (l.x == 202) {
                    values.push_back(std::stoll(l.text));
                    ys.push_back(l.y + 5);
                }
            }
            ASSERT_GE(values.size(), 2U);
            EXPECT_LE(values.size(), 40U);
            EXPECT_EQ(values.front(), 0);
            EXPECT_GE(values.back(), most);
            for (std::size_t i = 1; i < values.size(); ++i) {
                EXPECT_GT(values[i], values[i - 1]);
                EXPECT_LT(ys[i], ys[i - 1]); // upwards, apart
            }
        }
    }
}

TEST(WarGraph, TimeTicksOfAnEndlessLevelStayFewAndInside) {
    war::WarRecord record = warRecord();
    record.levelSeconds = std::numeric_limits<int>::max();
    fake::RecordingCanvas canvas;
    war::DrawWarGraph(canvas, kW, kH, record, testColors());
    std::vector<int> xs;
    for (const Line& l : linesOf(canvas)) {
        if (l.y0 == 278 && l.y1 == 282) {
            xs.push_back(l.x0);
        }
    }
    ASSERT_GE(xs.size(), 2U);
    EXPECT_LE(xs.size(), static_cast<std::size_t>(kW) + 1);
    EXPECT_EQ(xs.front(), 0);
    for (std::size_t i = 1; i < xs.size(); ++i) {
        EXPECT_GT(xs[i], xs[i - 1]);
    }
    EXPECT_LE(xs.back(), kW);
}

TEST(WarGraph, ALevelTimeOfZeroGivesOneTimeTick) {
    war::WarRecord record = warRecord();
    record.levelSeconds = 0;
    fake::RecordingCanvas canvas;
    war::DrawPlayerGraph(canvas, kW, kH, record, testColors());
    std::vector<Label> timeLabels;
    for (const Label& l : labelsOf(canvas)) {
        if (l.y == 285) {
            timeLabels.push_back(l);
        }
    }
    EXPECT_EQ(timeLabels, (std::vector<Label>{{-5, 285, "0", kFont, 6, false}}));
}

// Only the slots since the series last started at slot 0 are drawn.
TEST(WarGraph, TeamLinesRestartWhenTheSeriesWrap) {
    struct Case {
        int sampleIndex;
        std::size_t redSegments;
    };
    for (const Case c : {Case{0, 0}, Case{1, 0}, Case{2, 1}, Case{400, 399}}) {
        SCOPED_TRACE(c.sampleIndex);
        war::WarRecord record = warRecord();
        for (int i = 0; i < war::kWarSamples; ++i) {
            record.redSeries[static_cast<std::size_t>(i)] = {0, i % 50, i};
        }
        record.sampleIndex = c.sampleIndex;
        fake::RecordingCanvas canvas;
        war::DrawWarGraph(canvas, kW, kH, record, testColors());
        std::size_t red = 0;
        for (const Line& l : linesOf(canvas)) {
            red += l.color == kTeamA ? 1 : 0;
        }
        EXPECT_EQ(red, c.redSegments);
    }
}

TEST(PlayerGraph, LegendsAndLinesInEachSlotsColour) {
    war::WarRecord record = warRecord();
    record.maxPlayerFrags = 12;
    auto& bob = record.histories[0];
    bob.name = "Bob";
    bob.frags = 12;
    bob.count = 3;
    bob.samples[0] = {0, 0, 0};
    bob.samples[1] = {0, 5, 60};
    bob.samples[2] = {0, 12, 120};
    auto& ann = record.histories[1];
    ann.name = "Ann";
    ann.frags = 3;
    ann.count = 1; // a legend, no segment
    ann.samples[0] = {0, 3, 60};
    auto& cid = record.histories[2];
    cid.name = "Cid";
    cid.frags = -1;
    cid.count = 2;
    cid.samples[0] = {0, 0, 300};
    cid.samples[1] = {0, -1, 360};
    // A free slot in between draws nothing; a history further on does.
    auto& dan = record.histories[40];
    dan.name = "Dan";
    dan.frags = 1;
    dan.count = 0;

    fake::RecordingCanvas canvas;
    war::DrawPlayerGraph(canvas, kW, kH, record, testColors());

    std::vector<Line> lines = axes();
    std::vector<Label> labels;
    for (int minute = 0; minute <= 9; ++minute) {
        addTimeTick(lines, labels, 40 * minute, minute);
    }
    // y scale 275 / 13 capped to 2: every 20 frags up to 12 + 20.
    addFragTick(lines, labels, 280, 0);
    addFragTick(lines, labels, 240, 20);
    labels.push_back({10, 0, "Bob (12 Frags)", kPlayer0, 6, false});
    lines.push_back(solid(0, 280, 40, 270, kPlayer0));
    lines.push_back(solid(40, 270, 80, 256, kPlayer0));
    labels.push_back({10, 10, "Ann (3 Frags)", kPlayer1, 6, false});
    labels.push_back({10, 20, "Cid (-1 Frags)", kPlayer2, 6, false});
    lines.push_back(solid(200, 280, 240, 282, kPlayer2));
    // Slot 40 takes the colour of slot 8 of the 32.
    labels.push_back({10, 400, "Dan (1 Frags)", tk::colors::kSilver, 6, false});

    EXPECT_EQ(linesOf(canvas), lines);
    EXPECT_EQ(labelsOf(canvas), labels);
}

// A history beyond 400 samples holds the latest 400, the oldest at
// count % 400: the line runs from there round the ring, never across the
// seam between the newest and the oldest sample.
TEST(PlayerGraph, AWrappedHistoryIsDrawnFromItsOldestSample) {
    struct Case {
        int count;
        int oldestSlot;
        std::size_t segments;
    };
    for (const Case c : {Case{400, 0, 399}, Case{401, 1, 399}, Case{403, 3, 399}, Case{800, 0, 399},
                         Case{5, 0, 4}}) {
        SCOPED_TRACE(c.count);
        war::WarRecord record = warRecord();
        record.levelSeconds = 1000;
        auto& h = record.histories[0];
        h.name = "Bob";
        h.count = c.count;
        // The slot's time tells its age: slot (oldest + k) holds time k.
        for (int k = 0; k < war::kWarSamples; ++k) {
            const auto slot = static_cast<std::size_t>((c.oldestSlot + k) % war::kWarSamples);
            h.samples[slot] = {0, 0, k};
        }
        fake::RecordingCanvas canvas;
        war::DrawPlayerGraph(canvas, kW, kH, record, testColors());
        std::vector<Line> playerLines;
        for (const Line& l : linesOf(canvas)) {
            if (l.color == kPlayer0) {
                playerLines.push_back(l);
            }
        }
        ASSERT_EQ(playerLines.size(), c.segments);
        // x scale 400 / 1001: time k lies at x = trunc(k * 0.3996).
        const auto xOf = [](int t) { return static_cast<int>(t * (400.0 / 1001.0)); };
        for (std::size_t i = 0; i < playerLines.size(); ++i) {
            const int k = static_cast<int>(i) + 1;
            EXPECT_EQ(playerLines[i], solid(xOf(k - 1), 280, xOf(k), 280, kPlayer0)) << i;
        }
    }
}

} // namespace
