#include "list_changes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "chart_painter.h"

namespace chart {
namespace {

// How far ahead the comparison looks for an item again after a difference:
// enough for a curve that gained or lost a few points.
constexpr std::size_t kLookAhead = 4;

// Beyond this many changed items (a dense curve that moved) the changes
// cover most of the chart, and comparing further would cost more than
// repainting it whole.
constexpr std::ptrdiff_t kMostChanges = 256;

// Rounding of any edge, in pixels, on top of an item's exact extent.
constexpr float kSpare = 1.0F;

constexpr float kPixelsPerTwip = 1.0F / kTwipsPerPixel;

bool looksAlike(const RecordedText& a, const RecordedText& b) {
    return a.x == b.x && a.y == b.y && a.color == b.color && a.text == b.text &&
           a.fontName == b.fontName;
}

bool looksAlike(const RecordedBox& a, const RecordedBox& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.frame == b.frame;
}

// What an item can paint, in pixels.
struct Extent {
    float left, top, right, bottom;

    [[nodiscard]] float size() const { return (right - left) * (bottom - top); }
    [[nodiscard]] Extent united(const Extent& e) const {
        return {std::min(left, e.left), std::min(top, e.top), std::max(right, e.right),
                std::max(bottom, e.bottom)};
    }
    [[nodiscard]] QRect outward() const {
        return {QPoint(static_cast<int>(std::floor(left - kSpare)),
                       static_cast<int>(std::floor(top - kSpare))),
                QPoint(static_cast<int>(std::ceil(right + kSpare)),
                       static_cast<int>(std::ceil(bottom + kSpare)))};
    }
};

Extent extentOf(const RecordedLine& line) {
    const float half = static_cast<float>(line.width) / 2;
    return {std::min(line.x1, line.x2) * kPixelsPerTwip - half,
            std::min(line.y1, line.y2) * kPixelsPerTwip - half,
            std::max(line.x1, line.x2) * kPixelsPerTwip + half,
            std::max(line.y1, line.y2) * kPixelsPerTwip + half};
}

// A box's fill and its one-pixel frame.
Extent extentOf(const RecordedBox& box) {
    return {std::min(box.x1, box.x2) * kPixelsPerTwip, std::min(box.y1, box.y2) * kPixelsPerTwip,
            std::max(box.x1, box.x2) * kPixelsPerTwip + 1,
            std::max(box.y1, box.y2) * kPixelsPerTwip + 1};
}

Extent extentOf(const QRectF& area) {
    return {static_cast<float>(area.left()), static_cast<float>(area.top()),
            static_cast<float>(area.right()), static_cast<float>(area.bottom())};
}

// Gathers changed areas in the order the comparison meets them, joining
// neighbours while the joint rectangle stays at most about twice what they
// cover: a changed curve becomes a chain of rectangles along it, not one
// rectangle over the whole chart.
class Areas {
public:
    void add(const Extent& extent) {
        const float covered = extent.size();
        if (any_) {
            const Extent joint = current_.united(extent);
            if (joint.size() <= 2 * (covered_ + covered) + kSlack) {
                current_ = joint;
                covered_ += covered;
                return;
            }
            areas_.push_back(current_.outward());
        }
        any_ = true;
        current_ = extent;
        covered_ = covered;
    }

    std::vector<QRect> take() {
        if (any_) {
            areas_.push_back(current_.outward());
        }
        return std::move(areas_);
    }

private:
    static constexpr float kSlack = 256;

    std::vector<QRect> areas_;
    Extent current_{};
    float covered_ = 0;
    bool any_ = false;
};

// The positions of one list's unpaired items, in order.
class Unpaired {
public:
    Unpaired() { indices_.reserve(kMostChanges); }
    void add(std::size_t index) { indices_.push_back(index); }
    // How many of the list's first `count` items were paired.
    [[nodiscard]] std::size_t pairedAmong(std::size_t count) const {
        return count -
               static_cast<std::size_t>(std::lower_bound(indices_.begin(), indices_.end(), count) -
                                        indices_.begin());
    }

private:
    std::vector<std::size_t> indices_;
};

// Pairs the items two sequences draw alike, in order, and reports every
// other item. Where two items differ but are of one kind (a curve's point
// that moved), both are changed. Where the kinds differ, one list has items
// the other lacks (a longer curve, one more tick): a few items ahead are
// tried for a pair, then for the same kind, before both are taken as
// changed. Each changed item takes one from `budget`; returns false once
// it runs out.
template <typename Item, typename Alike, typename SameKind, typename Changed>
bool pair(const std::vector<Item>& before, const std::vector<Item>& now, Alike alike,
          SameKind sameKind, Changed changed, std::ptrdiff_t& budget,
          std::pair<Unpaired, Unpaired>& unpaired) {
    std::size_t i = 0;
    std::size_t j = 0;
    const auto skipBefore = [&] {
        changed(before[i]);
        unpaired.first.add(i++);
        --budget;
    };
    const auto skipNow = [&] {
        changed(now[j]);
        unpaired.second.add(j++);
        --budget;
    };
    // How far ahead either list has an item that matches the other's.
    const auto ahead = [&](auto matches) -> std::pair<std::size_t, std::size_t> {
        for (std::size_t d = 1; d <= kLookAhead; ++d) {
            if (j + d < now.size() && matches(before[i], now[j + d])) {
                return {0, d};
            }
            if (i + d < before.size() && matches(before[i + d], now[j])) {
                return {d, 0};
            }
        }
        return {0, 0};
    };
    while (i < before.size() && j < now.size()) {
        if (alike(before[i], now[j])) {
            ++i;
            ++j;
            continue;
        }
        if (budget < 0) {
            return false;
        }
        std::pair<std::size_t, std::size_t> extra{0, 0};
        if (!sameKind(before[i], now[j])) {
            extra = ahead(alike);
            if (extra.first + extra.second == 0) {
                extra = ahead(sameKind);
            }
        }
        if (extra.first + extra.second == 0) {
            skipBefore();
            skipNow();
        }
        for (; extra.first > 0; --extra.first) {
            skipBefore();
        }
        for (; extra.second > 0; --extra.second) {
            skipNow();
        }
    }
    if (before.size() - i + now.size() - j >
        static_cast<std::size_t>(std::max<std::ptrdiff_t>(budget, 0))) {
        return false;
    }
    while (i < before.size()) {
        skipBefore();
    }
    while (j < now.size()) {
        skipNow();
    }
    return budget >= 0;
}

}  // namespace

QRect areaOf(const RecordedLine& line) {
    return extentOf(line).outward();
}

std::optional<std::vector<QRect>> changedAreas(const DisplayList& before, const DisplayList& now,
                                               const TextArea& textArea) {
    Areas areas;
    std::ptrdiff_t budget = kMostChanges;
    std::pair<Unpaired, Unpaired> lines;
    if (!pair(
            before.lines, now.lines, std::equal_to<>(),
            [](const RecordedLine& a, const RecordedLine& b) {
                return a.color == b.color && a.width == b.width;
            },
            [&](const RecordedLine& line) { areas.add(extentOf(line)); }, budget, lines)) {
        return std::nullopt;
    }
    // Whether the lines that stay come on the same sides of an item that
    // stays: a text drawn alike changes its pixels if one moves across it.
    const auto sameLinesBefore = [&](std::size_t inBefore, std::size_t inNow) {
        return lines.first.pairedAmong(inBefore) == lines.second.pairedAmong(inNow);
    };
    std::pair<Unpaired, Unpaired> prints;
    if (!pair(
            before.prints, now.prints,
            [&](const RecordedText& a, const RecordedText& b) {
                return looksAlike(a, b) && sameLinesBefore(a.linesBefore, b.linesBefore);
            },
            [](const RecordedText& a, const RecordedText& b) {
                return a.fontName == b.fontName && a.color == b.color;
            },
            [&](const RecordedText& print) { areas.add(extentOf(textArea(print))); }, budget,
            prints)) {
        return std::nullopt;
    }
    std::pair<Unpaired, Unpaired> boxes;
    if (!pair(
            before.boxes, now.boxes,
            [&](const RecordedBox& a, const RecordedBox& b) {
                return looksAlike(a, b) && sameLinesBefore(a.linesBefore, b.linesBefore) &&
                       prints.first.pairedAmong(a.printsBefore) ==
                           prints.second.pairedAmong(b.printsBefore);
            },
            [](const RecordedBox&, const RecordedBox&) { return true; },
            [&](const RecordedBox& box) { areas.add(extentOf(box)); }, budget, boxes)) {
        return std::nullopt;
    }
    return areas.take();
}

}  // namespace chart
