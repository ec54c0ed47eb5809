#include "recording_surface.h"

namespace chart {
namespace {

// Enough for the longest curve the admitted coefficients give (1,251 points)
// plus axes, ticks and markers, so a run never reallocates. Curves kept for
// comparison add to that once; a Cls keeps the capacity.
constexpr std::size_t kExpectedLines = 1300;
constexpr std::size_t kExpectedPrints = 40;

}  // namespace

RecordingSurface::RecordingSurface(const rt::NumberFormat& format) : format_(format) {
    list_.lines.reserve(kExpectedLines);
    list_.prints.reserve(kExpectedPrints);
}

void RecordingSurface::clear() {
    list_.lines.clear();
    list_.prints.clear();
    list_.boxes.clear();
    // Like the platform's Cls, which also homes the current position.
    currentX_ = 0.0F;
    currentY_ = 0.0F;
}

void RecordingSurface::setDrawWidth(int pixels) {
    drawWidth_ = pixels;
}

void RecordingSurface::line(float x1, float y1, float x2, float y2, rt::Color color) {
    list_.lines.push_back({x1, y1, x2, y2, color, drawWidth_});
}

void RecordingSurface::box(float x1, float y1, float x2, float y2, rt::Color frame) {
    list_.boxes.push_back({x1, y1, x2, y2, frame, list_.lines.size(), list_.prints.size()});
}

void RecordingSurface::drawText(double value) {
    list_.prints.push_back(
        {currentX_, currentY_, format_.text(value), fontName_, list_.lines.size(), std::nullopt});
}

void RecordingSurface::drawText(const QString& text, rt::Color color) {
    list_.prints.push_back({currentX_, currentY_, text, fontName_, list_.lines.size(), color});
}

double RecordingSurface::textWidth(const QString& text) const {
    return measure_ ? measure_(text) : 0.0;
}

}  // namespace chart
