#include "datasheet.h"

#include <cmath>

namespace model {
namespace {

bool finite(double value) {
    return std::isfinite(value);
}

// The standard's conversion from the beam to the hemispherical peak
// efficiency, for its 850 W/m² beam and 150 W/m² diffuse.
double hemisphericalEta0(const DatasheetInput& input) {
    return input.peak == PeakEfficiency::Beam ? input.eta0 * (0.85 + 0.15 * input.kd) : input.eta0;
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
    return deltaT <= kMaxDeltaT ? std::optional(deltaT) : std::nullopt;
}

}  // namespace

std::vector<DatasheetProblem> checkDatasheet(const DatasheetInput& input) {
    std::vector<DatasheetProblem> problems;
    const auto refuse = [&](DatasheetField field, const char* message) {
        problems.push_back({field, QString::fromUtf8(message)});
    };
    if (!(finite(input.eta0) && input.eta0 > 0 && input.eta0 <= 1)) {
        refuse(DatasheetField::Eta0,
               input.peak == PeakEfficiency::Beam
                   ? "Az η0,b (optikai hatásfok direkt sugárzásra) 0-nál nagyobb és legfeljebb 1 "
                     "lehet."
                   : "Az η0 (optikai hatásfok) 0-nál nagyobb és legfeljebb 1 lehet.");
    }
    if (input.peak == PeakEfficiency::Beam &&
        !(finite(input.kd) && input.kd >= 0 && input.kd <= 1)) {
        refuse(DatasheetField::Kd,
               "A Kd (a szórt sugárzás beesésiszög-módosítója) 0 és 1 között lehet.");
    }
    if (!(finite(input.a1) && input.a1 >= 0)) {
        refuse(DatasheetField::A1, "Az a1 (elsőfokú hőveszteségi együttható) nem lehet negatív.");
    }
    if (!(finite(input.a2) && input.a2 >= 0)) {
        refuse(DatasheetField::A2, "Az a2 (másodfokú hőveszteségi együttható) nem lehet negatív.");
    }
    const auto checkArea = [&](const std::optional<double>& area, ReferenceArea kind,
                               DatasheetField field, const char* missing, const char* notPositive) {
        if (!area) {
            if (input.reference == kind) {
                refuse(field, missing);
            }
        } else if (!(finite(*area) && *area > 0)) {
            refuse(field, notPositive);
        }
    };
    checkArea(input.grossArea, ReferenceArea::Gross, DatasheetField::GrossArea,
              "A bruttó felületet meg kell adni: az együtthatók arra vonatkoznak.",
              "A bruttó felület 0-nál nagyobb kell legyen.");
    checkArea(input.apertureArea, ReferenceArea::Aperture, DatasheetField::ApertureArea,
              "Az apertúrafelületet meg kell adni: az együtthatók arra vonatkoznak.",
              "Az apertúrafelület 0-nál nagyobb kell legyen.");
    if (input.deltaT.empty()) {
        refuse(DatasheetField::DeltaT, "Legalább egy ΔT értéket meg kell adni.");
    }
    for (const double deltaT : input.deltaT) {
        if (!(finite(deltaT) && deltaT >= 0 && deltaT <= kMaxDeltaT)) {
            refuse(DatasheetField::DeltaT, "A ΔT értékei 0 és 300 K között lehetnek.");
            break;
        }
    }
    const bool beamAdmitted = finite(input.beam) && input.beam >= 0;
    const bool diffuseAdmitted = finite(input.diffuse) && input.diffuse >= 0;
    if (!beamAdmitted) {
        refuse(DatasheetField::Beam, "A direkt sugárzás (Gb) nem lehet negatív.");
    }
    if (!diffuseAdmitted) {
        refuse(DatasheetField::Diffuse, "A szórt sugárzás (Gd) nem lehet negatív.");
    }
    // The efficiencies divide by the sum.
    if (beamAdmitted && diffuseAdmitted && !(input.beam + input.diffuse > 0)) {
        refuse(DatasheetField::Beam,
               "A direkt és a szórt sugárzás összege (Gb + Gd) 0-nál nagyobb kell legyen.");
    }
    return problems;
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
