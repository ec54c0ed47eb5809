#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/control_interfaces.h"
#include "runtime/number_text.h"

namespace chart {

// One Line call: end points in twips as the procedure handed them over.
struct RecordedLine {
    float x1, y1, x2, y2;
    rt::Color color;
    int width;  // the DrawWidth in force, in pixels

    friend bool operator==(const RecordedLine&, const RecordedLine&) = default;
};

// One Print call: the text's top-left corner is the current position.
struct RecordedText {
    float x, y;
    QString text;
    // Empty: the surface's own font. Tick values are printed this way, since
    // the chart assigns the empty name before each of them.
    QString fontName;
    // How many lines were drawn before this text, so that a painter can
    // interleave texts and lines in the original order.
    std::size_t linesBefore;
    // Empty: the surface's own text colour, as for the tick values.
    std::optional<rt::Color> color;

    friend bool operator==(const RecordedText&, const RecordedText&) = default;
};

// One Box call, covering the lines and texts recorded before it.
struct RecordedBox {
    float x1, y1, x2, y2;
    rt::Color frame;
    std::size_t linesBefore;
    std::size_t printsBefore;

    friend bool operator==(const RecordedBox&, const RecordedBox&) = default;
};

// What one run drew, each kind in drawing order.
struct DisplayList {
    std::vector<RecordedLine> lines;
    std::vector<RecordedText> prints;
    std::vector<RecordedBox> boxes;

    friend bool operator==(const DisplayList&, const DisplayList&) = default;
};

// A chart surface that keeps what one run drew as a display list, for the
// widget to paint whenever it needs to.
class RecordingSurface final : public rt::Surface {
public:
    explicit RecordingSurface(const rt::NumberFormat& format);

    void clear() override;
    void setDrawWidth(int pixels) override;
    void line(float x1, float y1, float x2, float y2, rt::Color color) override;
    void box(float x1, float y1, float x2, float y2, rt::Color frame) override;
    void setCurrentX(float x) override { currentX_ = x; }
    void setCurrentY(float y) override { currentY_ = y; }
    void setFontName(const QString& name) override { fontName_ = name; }
    void drawText(double value) override;
    void drawText(const QString& text, rt::Color color) override;
    // Asks the measure, if one is set; without one nothing has a width.
    [[nodiscard]] double textWidth(const QString& text) const override;

    // Both in drawing order.
    [[nodiscard]] const std::vector<RecordedLine>& lines() const { return list_.lines; }
    [[nodiscard]] const std::vector<RecordedText>& prints() const { return list_.prints; }
    [[nodiscard]] const std::vector<RecordedBox>& boxes() const { return list_.boxes; }
    [[nodiscard]] const DisplayList& list() const { return list_; }
    // What was drawn since the last clear, leaving the surface empty with
    // room for as much again: the next run draws about as much.
    [[nodiscard]] DisplayList take() {
        DisplayList taken = std::move(list_);
        list_ = {};
        list_.lines.reserve(taken.lines.size());
        list_.prints.reserve(taken.prints.size());
        list_.boxes.reserve(taken.boxes.size());
        return taken;
    }
    [[nodiscard]] int drawWidth() const { return drawWidth_; }
    [[nodiscard]] const QString& fontName() const { return fontName_; }

    // A text's width in twips in the font the list will be painted in: the
    // recording itself knows no font.
    void setTextMeasure(std::function<double(const QString&)> measure) {
        measure_ = std::move(measure);
    }

private:
    const rt::NumberFormat& format_;
    DisplayList list_;
    int drawWidth_ = 1;  // the platform's default pen
    float currentX_ = 0.0F;
    float currentY_ = 0.0F;
    QString fontName_;
    std::function<double(const QString&)> measure_;
};

}  // namespace chart
