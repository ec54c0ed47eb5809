#include "runtime/control_interfaces.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, ComponentsComeBackFromRgb) {
    const struct {
        int red, green, blue;
        rt::Color packed;
    } cases[] = {
        {0, 0, 0, 0x000000u},       {250, 0, 0, 0x0000FAu},     {0, 200, 0, 0x00C800u},
        {0, 0, 255, 0xFF0000u},     {255, 255, 255, 0xFFFFFFu}, {1, 2, 3, 0x030201u},
        {255, 192, 128, 0x80C0FFu},
    };
    for (const auto& c : cases) {
        const rt::Color color = rt::rgb(c.red, c.green, c.blue);
        EXPECT_EQ(color, c.packed) << c.red << "," << c.green << "," << c.blue;
        EXPECT_EQ(rt::redOf(color), c.red) << c.packed;
        EXPECT_EQ(rt::greenOf(color), c.green) << c.packed;
        EXPECT_EQ(rt::blueOf(color), c.blue) << c.packed;
    }
}

}  // namespace
