#include "chart/recording_surface.h"

#include <gtest/gtest.h>

#include "tests/support/hungarian.h"

namespace {

TEST(RecordingSurface, RecordsTheStateInForce) {
    chart::RecordingSurface surface(testsupport::hungarian());
    surface.setDrawWidth(3);
    surface.line(1.5F, 2, 3, 4, rt::rgb(1, 2, 3));
    surface.setCurrentX(10);
    surface.setCurrentY(20);
    surface.setFontName(QStringLiteral("Arial"));
    surface.drawText(0.1 * 3);
    EXPECT_EQ(surface.lines().at(0), (chart::RecordedLine{1.5F, 2, 3, 4, 0x030201u, 3}));
    const auto& p = surface.prints().at(0);
    EXPECT_EQ(std::tuple(p.x, p.y, p.text, p.fontName, p.linesBefore),
              std::tuple(10.0F, 20.0F, QStringLiteral("0,3"), QStringLiteral("Arial"), 1u));

    surface.clear();
    EXPECT_TRUE(surface.lines().empty() && surface.prints().empty());
    EXPECT_EQ(surface.drawWidth(), 3);  // the pen and the font outlive a Cls
    EXPECT_EQ(surface.fontName(), u"Arial");
}

}  // namespace
