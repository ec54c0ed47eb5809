#include "chart/list_changes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using chart::DisplayList;
using chart::RecordedLine;
using chart::RecordedText;

// Lines and a text in twips, 15 to the pixel.
const RecordedLine kAxis{0, 1500, 3000, 1500, 0, 2};
const RecordedLine kMovedAxis{0, 3000, 3000, 3000, 0, 2};
const RecordedText kBeforeLines{1500, 1350, "0,5", {}, 0, {}};
const RecordedText kAfterLines{1500, 1350, "0,5", {}, 1, {}};

QRectF textArea(const RecordedText& print) {
    return {print.x / 15.0, print.y / 15.0, 20, 12};
}

bool covered(const std::vector<QRect>& areas, QPoint pixel) {
    return std::any_of(areas.begin(), areas.end(),
                       [&](const QRect& area) { return area.contains(pixel); });
}

TEST(ChangedAreas, CoverWhatEitherListPaintsDifferently) {
    const struct {
        const char* what;
        DisplayList before, now;
        std::vector<QPoint> changedPixels, samePixels;
    } cases[] = {
        {"nothing", {{kAxis}, {kAfterLines}, {}}, {{kAxis}, {kAfterLines}, {}}, {}, {{50, 100}}},
        {"a moved line",
         {{kAxis}, {}, {}},
         {{kMovedAxis}, {}, {}},
         {{0, 100}, {200, 100}, {0, 200}, {200, 200}},
         {{100, 150}}},
        // The text stays, but the line that stays is now drawn under it.
        {"a text on the other side of a line",
         {{kAxis}, {kBeforeLines}, {}},
         {{kAxis}, {kAfterLines}, {}},
         {{105, 95}},
         {{180, 100}}},
    };
    for (const auto& c : cases) {
        const std::optional<std::vector<QRect>> areas =
            chart::changedAreas(c.before, c.now, textArea);
        ASSERT_TRUE(areas) << c.what;
        for (QPoint pixel : c.changedPixels) {
            EXPECT_TRUE(covered(*areas, pixel))
                << c.what << " at " << pixel.x() << "," << pixel.y();
        }
        for (QPoint pixel : c.samePixels) {
            EXPECT_FALSE(covered(*areas, pixel))
                << c.what << " at " << pixel.x() << "," << pixel.y();
        }
    }
}

TEST(ChangedAreas, GiveUpWhenADenseCurveMoved) {
    DisplayList before;
    DisplayList now;
    for (int i = 0; i < 1000; ++i) {
        before.lines.push_back({i * 7.0F, 1500, i * 7.0F + 7, 1505, 255, 2});
        now.lines.push_back({i * 7.0F, 1510, i * 7.0F + 7, 1515, 255, 2});
    }
    EXPECT_FALSE(chart::changedAreas(before, now, textArea));
}

}  // namespace
