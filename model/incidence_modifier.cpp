#include "incidence_modifier.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <utility>

namespace model {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

}  // namespace

IncidenceError::IncidenceError(IncidenceFault fault)
    : std::invalid_argument("incidence modifier: fault " + std::to_string(static_cast<int>(fault))),
      fault_(fault) {}

AngleTable::AngleTable(std::vector<double> angles, std::vector<double> values)
    : angles_(std::move(angles)), values_(std::move(values)) {
    if (angles_.size() != values_.size()) {
        throw IncidenceError(IncidenceFault::CountMismatch);
    }
    for (std::size_t i = 0; i < angles_.size(); ++i) {
        const bool ascending = i == 0 || angles_[i] > angles_[i - 1];
        if (!(angles_[i] >= 0 && angles_[i] <= 90) || !ascending) {
            throw IncidenceError(IncidenceFault::AnglesOutOfOrder);
        }
        if (!(values_[i] >= 0) || !std::isfinite(values_[i])) {
            throw IncidenceError(IncidenceFault::NegativeValue);
        }
    }
    if (angles_.empty() || angles_.front() > 0) {
        angles_.insert(angles_.begin(), 0);
        values_.insert(values_.begin(), 1);
    }
    if (angles_.back() < 90) {
        angles_.push_back(90);
        values_.push_back(0);
    }
    std::size_t i = 0;
    for (std::size_t degree = 0; degree < segment_.size(); ++degree) {
        while (angles_[i + 1] <= static_cast<double>(degree)) {
            ++i;
        }
        segment_[degree] = i;
    }
}

AngleTable AngleTable::everyTenDegrees(std::span<const double> values) {
    if (values.size() > 9) {
        throw IncidenceError(IncidenceFault::TooManyValues);
    }
    std::vector<double> angles;
    for (std::size_t i = 0; i < values.size(); ++i) {
        angles.push_back(10.0 * static_cast<double>(i + 1));
    }
    return AngleTable(std::move(angles), {values.begin(), values.end()});
}

double b0FromK50(double k50) {
    return (1 - k50) / (1 / std::cos(50 * kDeg) - 1);
}

IncidenceModifier IncidenceModifier::none() {
    return {Kind::None, 0, {}};
}

IncidenceModifier IncidenceModifier::fromB0(double b0) {
    if (!(b0 >= 0 && b0 <= 1)) {
        throw IncidenceError(IncidenceFault::B0OutOfRange);
    }
    return {Kind::B0, b0, {}};
}

IncidenceModifier IncidenceModifier::fromK50(double k50) {
    if (!(k50 > 0 && k50 <= 1)) {
        throw IncidenceError(IncidenceFault::K50OutOfRange);
    }
    return fromB0(b0FromK50(k50));
}

IncidenceModifier IncidenceModifier::fromTable(AngleTable table) {
    return {Kind::Table, 0, {std::move(table)}};
}

IncidenceModifier IncidenceModifier::biaxial(AngleTable transversal, AngleTable longitudinal) {
    return {Kind::Biaxial, 0, {std::move(transversal), std::move(longitudinal)}};
}

double IncidenceModifier::operator()(double theta, double transversal, double longitudinal) const {
    switch (kind_) {
        case Kind::None:
            return theta < 90 ? 1 : 0;
        case Kind::B0:
            if (!(theta < 90)) {
                return 0;
            }
            return std::clamp(1 - b0_ * (1 / std::cos(theta * kDeg) - 1), 0.0, 1.0);
        case Kind::Table:
            return tables_[0](theta);
        case Kind::Biaxial:
            return tables_[0](transversal) * tables_[1](longitudinal);
    }
    return 0;
}

}  // namespace model
