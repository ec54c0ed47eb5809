#include "chart/chart_painter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>

#include "chart_harness.h"
#include "model/presets.h"

namespace {

using charttest::Chart;

// Fonts and text painting need a QGuiApplication; the offscreen platform
// needs no display.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[12] = "chart_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] const auto* const kGui =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);  // gtest owns it

const QRgb kBackground = qRgb(255, 255, 255);

// The chart surface's inner area, 8010 x 4905 twips, at a device pixel ratio.
QImage paintStartChart(int ratio, const QFont& font) {
    Chart c;
    c.redraw();
    QImage image(534 * ratio, 327 * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kBackground);
    QPainter painter(&image);
    chart::paintDisplayList(painter, c.surface.list(), font);
    return image;
}

// The device pixel under a point given in twips.
QRgb at(const QImage& image, double x, double y) {
    const double perTwip = image.devicePixelRatio() / 15.0;
    return image.pixel(static_cast<int>(std::floor(x * perTwip)),
                       static_cast<int>(std::floor(y * perTwip)));
}

TEST(ChartPainter, LinesAreCrispTwoPixelsWideInTwipsAtEveryPixelRatio) {
    const QFont font(QStringLiteral("DejaVu Sans"), 8);
    Chart c;
    c.redraw();
    const chart::RecordedLine curve = c.linesIn(charttest::kRed)[70];
    for (int ratio : {1, 2}) {
        const QImage image = paintStartChart(ratio, font);
        const double perTwip = ratio / 15.0;
        // Across the y axis at x = 500: exactly 2 px of black, nothing blended.
        const int row = static_cast<int>(2000 * perTwip);
        int black = 0;
        for (int column = 0; column < static_cast<int>(700 * perTwip); ++column) {
            const QRgb pixel = image.pixel(column, row);
            black += pixel == qRgb(0, 0, 0) ? 1 : 0;
            EXPECT_TRUE(pixel == qRgb(0, 0, 0) || pixel == kBackground) << ratio << " " << column;
        }
        EXPECT_EQ(black, 2 * ratio) << ratio;
        EXPECT_EQ(at(image, 500, 2000), qRgb(0, 0, 0)) << ratio;
        EXPECT_EQ(at(image, 3000, 4150), qRgb(0, 0, 0)) << ratio;  // the x axis
        EXPECT_EQ(at(image, (curve.x1 + curve.x2) / 2, (curve.y1 + curve.y2) / 2), qRgb(250, 0, 0))
            << ratio;
        EXPECT_EQ(at(image, 1500, 1851.625), qRgb(0, 200, 0)) << ratio;  // the marker
        EXPECT_EQ(at(image, 6000, 1000), kBackground) << ratio;
        EXPECT_EQ(at(image, 3000, 4350), kBackground) << ratio;
    }
}

TEST(ChartPainter, ATextHangsBelowAndRightOfItsPosition) {
    const QFont font(QStringLiteral("DejaVu Sans"), 8);
    const QImage image = paintStartChart(1, font);
    // "0,5" is printed at (100, 2025) twips, between "0,6" (ending above 2000),
    // "0,4" (from 2330) and its tick (from 400 on).
    const QRect box(0, 2025 / 15 - 6, 385 / 15, 25);
    QRect ink;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 100 / 15);
    EXPECT_GE(ink.top(), 2025 / 15);
    EXPECT_LE(ink.bottom(), 2025 / 15 + QFontMetrics(font, &image).height());
}

// A legend line in its recorded colour; the tick values stay in the
// painter's colour on entry.
TEST(ChartPainter, ATextInItsOwnColour) {
    const QFont font(QStringLiteral("DejaVu Sans"), 8);
    Chart c;
    const model::CollectorType& type = model::kCollectorTypes[1];
    c.state.comparison.keep(type.name.toString(), type.eta0, type.a1, type.a2);
    c.redraw();
    QImage image(534, 327, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setPen(QColor(0, 0, 0));
    chart::paintDisplayList(painter, c.surface.list(), font);
    const auto inkIn = [&image](const QRect& box) {
        int blue = 0;
        int black = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                blue += pixel.blue() > 200 && pixel.red() < 100 && pixel.green() < 100 ? 1 : 0;
                black += qGray(pixel.rgb()) < 100 && pixel.blue() < 100 ? 1 : 0;
            }
        }
        return std::pair(blue, black);
    };
    // The legend line at (540, 3950) twips, under the curves.
    const auto [legendBlue, legendBlack] = inkIn(QRect(540 / 15, 3950 / 15, 100, 12));
    EXPECT_GT(legendBlue, 20);
    EXPECT_EQ(legendBlack, 0);
    // "0,5" at (100, 2025) twips.
    const auto [tickBlue, tickBlack] = inkIn(QRect(100 / 15, 2025 / 15, 18, 12));
    EXPECT_EQ(tickBlue, 0);
    EXPECT_GT(tickBlack, 5);
}

}  // namespace
