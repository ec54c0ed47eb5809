#include "datasheet.h"

#include <cmath>

namespace model {
namespace {

bool finite(double value) {
    return std::isfinite(value);
}

double hemisphericalEta0(const DatasheetInput& input) {
    return input.peak == PeakEfficiency::Beam ? hemisphericalFromBeam(input.eta0, input.kd)
                                              : input.eta0;
}

double referenceArea(const DatasheetInput& input) {
    return input.reference == ReferenceArea::Gross ? *input.grossArea : *input.apertureArea;
}

// The ΔT where the specific power at G = 1000 W/m² reaches 0, in the form
// that loses no digits when a2 is small; none when it never does.
std::optional<double> stagnationDeltaT(double eta0, double a1, double a2) {
    const double atZero = eta0 * 1000;
    const double denominator = a1 + std::sqrt(a1 * a1 + 4 * a2 * atZero);
    if (denominator <= 0) {
        return std::nullopt;
    }
    const double deltaT = 2 * atZero / denominator;
    return deltaT <= kStagnationSearch ? std::optional(deltaT) : std::nullopt;
}

}  // namespace

std::vector<DatasheetProblem> checkDatasheet(const DatasheetInput& input) {
    std::vector<DatasheetProblem> problems;
    const auto check = [&](DatasheetField field, double value, const Range& range) {
        if (!(finite(value) && range.contains(value))) {
            problems.push_back({field, DatasheetFault::OutOfRange, range});
        }
    };
    check(DatasheetField::Eta0, input.eta0, limits::kPeakEfficiency);
    if (input.peak == PeakEfficiency::Beam) {
        check(DatasheetField::Kd, input.kd, limits::kKd);
    }
    check(DatasheetField::A1, input.a1, limits::kA1);
    check(DatasheetField::A2, input.a2, limits::kA2);
    const auto checkArea = [&](const std::optional<double>& area, ReferenceArea kind,
                               DatasheetField field) {
        if (area) {
            check(field, *area, limits::kArea);
        } else if (input.reference == kind) {
            problems.push_back({field, DatasheetFault::Missing});
        }
    };
    checkArea(input.grossArea, ReferenceArea::Gross, DatasheetField::GrossArea);
    checkArea(input.apertureArea, ReferenceArea::Aperture, DatasheetField::ApertureArea);
    if (input.grossArea && input.apertureArea && limits::kArea.contains(*input.grossArea) &&
        limits::kArea.contains(*input.apertureArea) && *input.apertureArea > *input.grossArea) {
        problems.push_back({DatasheetField::ApertureArea, DatasheetFault::ApertureAboveGross});
    }
    if (input.deltaT.empty()) {
        problems.push_back({DatasheetField::DeltaT, DatasheetFault::NoDeltaT});
    }
    for (const double deltaT : input.deltaT) {
        const std::size_t before = problems.size();
        check(DatasheetField::DeltaT, deltaT, limits::kDeltaT);
        if (problems.size() != before) {
            break;
        }
    }
    const std::size_t before = problems.size();
    check(DatasheetField::Beam, input.beam, limits::kIrradiance);
    check(DatasheetField::Diffuse, input.diffuse, limits::kIrradiance);
    if (problems.size() == before && !(input.beam + input.diffuse > 0)) {
        problems.push_back({DatasheetField::Beam, DatasheetFault::NoIrradiance});
    }
    return problems;
}

double hemisphericalFromBeam(double eta0b, double kd) {
    return eta0b * (0.85 + 0.15 * kd);
}

double specificPower(const DatasheetInput& input, double deltaT) {
    const double absorbed = input.peak == PeakEfficiency::Beam
                                ? input.eta0 * (input.beam + input.kd * input.diffuse)
                                : input.eta0 * (input.beam + input.diffuse);
    return absorbed - input.a1 * deltaT - input.a2 * deltaT * deltaT;
}

DatasheetResult computeDatasheet(const DatasheetInput& input) {
    DatasheetResult result;
    result.eta0 = hemisphericalEta0(input);
    result.eta0Derived = input.peak == PeakEfficiency::Beam;

    if (input.grossArea && input.apertureArea) {
        const bool toGross = input.reference == ReferenceArea::Aperture;
        // The same collector's power over the other area: each coefficient
        // scales by the reference area over the other one.
        const double scale = toGross ? *input.apertureArea / *input.grossArea
                                     : *input.grossArea / *input.apertureArea;
        result.converted = Coefficients{
            .area = toGross ? ReferenceArea::Gross : ReferenceArea::Aperture,
            .eta0 = result.eta0 * scale,
            .eta0b = result.eta0Derived ? std::optional(input.eta0 * scale) : std::nullopt,
            .a1 = input.a1 * scale,
            .a2 = input.a2 * scale,
        };
    }

    if (const std::optional<double> deltaT = stagnationDeltaT(result.eta0, input.a1, input.a2)) {
        result.stagnationEstimate = *deltaT + 30;
    }

    const double irradiance = input.beam + input.diffuse;
    result.eta0InUse = (specificPower(input, 0)) / irradiance;
    const double area = referenceArea(input);
    for (const double deltaT : input.deltaT) {
        const double specific = specificPower(input, deltaT);
        DatasheetRow row{.deltaT = deltaT, .perCollector = specific > 0 ? specific * area : 0.0};
        if (input.grossArea) {
            row.perGrossArea = row.perCollector / *input.grossArea;
            row.efficiencyGross = *row.perGrossArea / irradiance;
        }
        if (input.apertureArea) {
            row.perApertureArea = row.perCollector / *input.apertureArea;
            row.efficiencyAperture = *row.perApertureArea / irradiance;
        }
        result.rows.push_back(row);
    }
    return result;
}

double roundHalfEven(double value, int decimals) {
    const double unit = std::pow(10.0, decimals);
    const double scaled = std::round(value * unit * 1e6) / 1e6;
    double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) {
        whole += 1;
    }
    return whole / unit;
}

std::vector<ModifierRow> modifierRows(const IncidenceModifier& modifier) {
    using Kind = IncidenceModifier::Kind;
    std::vector<ModifierRow> rows;
    if (modifier.kind() == Kind::None) {
        return rows;
    }
    const auto row = [&](ModifierAxis axis, auto k) {
        ModifierRow r{axis, {}};
        for (std::size_t i = 0; i < kModifierAngles.size(); ++i) {
            r.values[i] = k(kModifierAngles[i]);
        }
        rows.push_back(r);
    };
    if (modifier.kind() == Kind::Biaxial) {
        row(ModifierAxis::Transversal, [&](double theta) { return modifier.tables()[0](theta); });
        row(ModifierAxis::Longitudinal, [&](double theta) { return modifier.tables()[1](theta); });
    } else {
        row(ModifierAxis::Beam, [&](double theta) { return modifier(theta, theta, 0); });
    }
    return rows;
}

}  // namespace model
