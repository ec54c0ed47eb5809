#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

// The incidence-angle modifier for beam irradiance, Kθb: how much less of
// the beam a collector takes in as the sun leaves its normal.
namespace model {

// Why a modifier cannot be made; the presentation words it.
enum class IncidenceFault {
    CountMismatch,     // angles and values
    AnglesOutOfOrder,  // not strictly ascending within 0 … 90°
    NegativeValue,
    TooManyValues,  // more than the nine of 10° … 90°
    B0OutOfRange,   // 0 … 1
    K50OutOfRange,  // above 0, at most 1
};

class IncidenceError : public std::invalid_argument {
public:
    explicit IncidenceError(IncidenceFault fault);

    [[nodiscard]] IncidenceFault fault() const { return fault_; }

private:
    IncidenceFault fault_;
};

// K(θ) at a few angles, linear between them.
class AngleTable {
public:
    // Angles strictly ascending within 0 … 90°, values finite and not
    // negative; K(0°) = 1 and K(90°) = 0 are added where the table lacks
    // them. Throws IncidenceError otherwise.
    AngleTable(std::vector<double> angles, std::vector<double> values);
    // The values a datasheet prints at 10°, 20°, … (up to nine of them).
    [[nodiscard]] static AngleTable everyTenDegrees(std::span<const double> values);

    // 0 from 90° on.
    [[nodiscard]] double operator()(double theta) const;

private:
    std::vector<double> angles_;
    std::vector<double> values_;
    // The segment each whole degree starts in: a look-up per hour is then
    // one step, not a search.
    std::array<std::size_t, 90> segment_{};
};

inline double AngleTable::operator()(double theta) const {
    if (!(theta < 90)) {
        return 0;
    }
    if (!(theta > 0)) {
        return values_.front();
    }
    std::size_t i = segment_[static_cast<std::size_t>(theta)];
    while (theta >= angles_[i + 1]) {
        ++i;
    }
    const double f = (theta - angles_[i]) / (angles_[i + 1] - angles_[i]);
    return values_[i] + f * (values_[i + 1] - values_[i]);
}

// b0 of the same collector from its K50.
[[nodiscard]] double b0FromK50(double k50);

class IncidenceModifier {
public:
    enum class Kind { None, B0, Table, Biaxial };

    [[nodiscard]] static IncidenceModifier none();
    // K = 1 − b0·(1/cos θ − 1), within 0 … 1.
    [[nodiscard]] static IncidenceModifier fromB0(double b0);
    [[nodiscard]] static IncidenceModifier fromK50(double k50);
    [[nodiscard]] static IncidenceModifier fromTable(AngleTable table);
    // Evacuated tubes: KθT(θT)·KθL(θL), across and along the tubes.
    [[nodiscard]] static IncidenceModifier biaxial(AngleTable transversal, AngleTable longitudinal);

    [[nodiscard]] Kind kind() const { return kind_; }
    [[nodiscard]] double b0() const { return b0_; }
    // One table, or across and along the tubes.
    [[nodiscard]] const std::vector<AngleTable>& tables() const { return tables_; }
    // θ and its projections θT and θL, °.
    [[nodiscard]] double operator()(double theta, double transversal, double longitudinal) const;

private:
    IncidenceModifier(Kind kind, double b0, std::vector<AngleTable> tables)
        : kind_(kind), b0_(b0), tables_(std::move(tables)) {}

    Kind kind_;
    double b0_;
    std::vector<AngleTable> tables_;
};

}  // namespace model
