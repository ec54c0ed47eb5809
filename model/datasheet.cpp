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

// "<what> <range> <unit> lehet." for a value outside its range; false then.
bool checkRange(std::vector<DatasheetProblem>& problems, DatasheetField field, double value,
                const Range& range, QStringView what, QStringView unit) {
    if (!(finite(value) && range.contains(value))) {
        problems.push_back(
            {field, QStringLiteral("%1 %2 lehet.").arg(what, rangeText(range, unit))});
        return false;
    }
    return true;
}

void checkCoefficients(const DatasheetInput& input, std::vector<DatasheetProblem>& problems) {
    checkRange(problems, DatasheetField::Eta0, input.eta0, limits::kPeakEfficiency,
               input.peak == PeakEfficiency::Beam ? u"Az η0,b (optikai hatásfok direkt sugárzásra)"
                                                  : u"Az η0 (optikai hatásfok)",
               {});
    if (input.peak == PeakEfficiency::Beam) {
        checkRange(problems, DatasheetField::Kd, input.kd, limits::kKd,
                   u"A Kd (a szórt sugárzás beesésiszög-módosítója)", {});
    }
    checkRange(problems, DatasheetField::A1, input.a1, limits::kA1,
               u"Az a1 (elsőfokú hőveszteségi együttható)", u"W/(m²·K)");
    checkRange(problems, DatasheetField::A2, input.a2, limits::kA2,
               u"Az a2 (másodfokú hőveszteségi együttható)", u"W/(m²·K²)");
}

void checkAreas(const DatasheetInput& input, std::vector<DatasheetProblem>& problems) {
    const auto checkArea = [&](const std::optional<double>& area, ReferenceArea kind,
                               DatasheetField field, const char* missing, QStringView what) {
        if (!area) {
            if (input.reference == kind) {
                problems.push_back({field, QString::fromUtf8(missing)});
            }
        } else {
            checkRange(problems, field, *area, limits::kArea, what, u"m²");
        }
    };
    checkArea(input.grossArea, ReferenceArea::Gross, DatasheetField::GrossArea,
              "A bruttó felületet meg kell adni: az együtthatók arra vonatkoznak.",
              u"A bruttó felület");
    checkArea(input.apertureArea, ReferenceArea::Aperture, DatasheetField::ApertureArea,
              "Az apertúrafelületet meg kell adni: az együtthatók arra vonatkoznak.",
              u"Az apertúrafelület");
    // An aperture larger than the gross area is a typing error; converted, it
    // would print efficiencies above 1.
    if (input.grossArea && input.apertureArea && limits::kArea.contains(*input.grossArea) &&
        limits::kArea.contains(*input.apertureArea) && *input.apertureArea > *input.grossArea) {
        problems.push_back({DatasheetField::ApertureArea,
                            QStringLiteral("Az apertúrafelület nem lehet nagyobb a bruttó "
                                           "felületnél.")});
    }
}

// The temperature differences, and the irradiances the efficiencies divide by.
void checkConditions(const DatasheetInput& input, std::vector<DatasheetProblem>& problems) {
    if (input.deltaT.empty()) {
        problems.push_back(
            {DatasheetField::DeltaT, QStringLiteral("Legalább egy ΔT-értéket meg kell adni.")});
    }
    for (const double deltaT : input.deltaT) {
        if (!checkRange(problems, DatasheetField::DeltaT, deltaT, limits::kDeltaT,
                        u"Minden ΔT-érték", u"K")) {
            break;
        }
    }
    const std::size_t before = problems.size();
    checkRange(problems, DatasheetField::Beam, input.beam, limits::kIrradiance,
               u"A direkt sugárzás (Gb)", u"W/m²");
    checkRange(problems, DatasheetField::Diffuse, input.diffuse, limits::kIrradiance,
               u"A szórt sugárzás (Gd)", u"W/m²");
    // The efficiencies divide by the sum.
    if (problems.size() == before && !(input.beam + input.diffuse > 0)) {
        problems.push_back(
            {DatasheetField::Beam, QStringLiteral("A direkt és a szórt sugárzás összegének (Gb + "
                                                  "Gd) 0-nál nagyobbnak kell lennie.")});
    }
}

}  // namespace

QString rangeText(const Range& range, QStringView unit) {
    const auto number = [](double v) { return QString::number(v).replace(u'.', u','); };
    const QString highest =
        number(range.highest) + (unit.isEmpty() ? QString() : u' ' + unit.toString());
    return range.lowestIncluded
               ? QStringLiteral("%1 és %2 között").arg(number(range.lowest), highest)
               : QStringLiteral("%1-nál nagyobb és legfeljebb %2")
                     .arg(number(range.lowest), highest);
}

std::vector<DatasheetProblem> checkDatasheet(const DatasheetInput& input) {
    std::vector<DatasheetProblem> problems;
    checkCoefficients(input, problems);
    checkAreas(input, problems);
    checkConditions(input, problems);
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

}  // namespace model
