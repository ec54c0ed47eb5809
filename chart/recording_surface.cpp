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
    lines_.reserve(kExpectedLines);
    prints_.reserve(kExpectedPrints);
}

void RecordingSurface::cls() {
    lines_.clear();
    prints_.clear();
    boxes_.clear();
    // Like the platform's Cls, which also homes the current position.
    currentX_ = 0.0F;
    currentY_ = 0.0F;
    notify();
}

void RecordingSurface::setDrawWidth(int pixels) {
    drawWidth_ = pixels;
}

void RecordingSurface::line(float x1, float y1, float x2, float y2, rt::Color color) {
    lines_.push_back({x1, y1, x2, y2, color, drawWidth_});
    notify();
}

void RecordingSurface::box(float x1, float y1, float x2, float y2, rt::Color frame) {
    boxes_.push_back({x1, y1, x2, y2, frame, lines_.size(), prints_.size()});
    notify();
}

void RecordingSurface::print(double value) {
    prints_.push_back(
        {currentX_, currentY_, format_.text(value), fontName_, lines_.size(), std::nullopt});
    notify();
}

void RecordingSurface::print(const QString& text, rt::Color color) {
    prints_.push_back({currentX_, currentY_, text, fontName_, lines_.size(), color});
    notify();
}

double RecordingSurface::textWidth(const QString& text) const {
    return measure_ ? measure_(text) : 0.0;
}

void RecordingSurface::notify() const {
    if (changed_) {
        changed_();
    }
}

}  // namespace chart
