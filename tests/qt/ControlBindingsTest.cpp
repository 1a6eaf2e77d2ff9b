// Widgets that follow the core's small control models.

#include "qt/ControlBindings.h"

#include "toolkit/Controls.h"

#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

TEST(ControlBindings, AProgressBarWithAnEmptyRangeShowsEmptyAndIsNotBusy) {
    tk::ProgressBar model;
    model.setMax(10);
    model.setPosition(4);
    QProgressBar widget;
    gui::bindProgressBar(widget, model);
    EXPECT_EQ(widget.minimum(), 0);
    EXPECT_EQ(widget.maximum(), 10);
    EXPECT_EQ(widget.value(), 4);

    struct Case {
        const char* what;
        int min, max, position;
    };
    const Case emptyRanges[] = {
        {"0..0 (a query interval of 0)", 0, 0, 0},
        {"0..0 with a position", 0, 0, 5},
        {"a maximum below the minimum", 5, 2, 3},
    };
    for (const Case& c : emptyRanges) {
        SCOPED_TRACE(c.what);
        model.setMin(c.min);
        model.setMax(c.max);
        model.setPosition(c.position);
        // Qt shows a range of 0..0 as a busy indicator and keeps animating it.
        EXPECT_LT(widget.minimum(), widget.maximum());
        EXPECT_EQ(widget.value(), widget.minimum());
    }

    model.setMin(0);
    model.setMax(20);
    model.setPosition(25);
    EXPECT_EQ(widget.maximum(), 20);
    EXPECT_EQ(widget.value(), 20);
}

} // namespace
