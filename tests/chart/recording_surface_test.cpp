#include "chart/recording_surface.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

using chart::RecordedLine;

TEST(RecordingSurface, RecordsInDrawingOrderAndReportsEachChange) {
    const rt::NumberFormat format{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    chart::RecordingSurface surface(format);
    int changes = 0;
    surface.setChangedCallback([&changes] { ++changes; });

    surface.setDrawWidth(3);
    surface.line(1.5F, 2, 3, 4, rt::rgb(1, 2, 3));
    surface.setCurrentX(10);
    surface.setCurrentY(20);
    surface.setFontName(QStringLiteral("Arial"));
    surface.print(0.1 * 3);
    EXPECT_EQ(changes, 2);
    ASSERT_EQ(surface.lines().size(), 1u);
    EXPECT_EQ(surface.lines()[0], (RecordedLine{1.5F, 2, 3, 4, 0x030201u, 3}));
    ASSERT_EQ(surface.prints().size(), 1u);
    const auto& p = surface.prints()[0];
    EXPECT_EQ(p.x, 10.0F);
    EXPECT_EQ(p.y, 20.0F);
    EXPECT_EQ(p.text, u"0,3");
    EXPECT_EQ(p.fontName, u"Arial");
    EXPECT_EQ(p.linesBefore, 1u);

    surface.cls();
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(surface.lines().empty());
    EXPECT_TRUE(surface.prints().empty());
    EXPECT_EQ(surface.drawWidth(), 3);  // the pen and the font outlive a Cls
    EXPECT_EQ(surface.fontName(), u"Arial");
}

}  // namespace
