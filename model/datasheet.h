#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

#include "incidence_modifier.h"

// The power table of a certified collector's datasheet: the power per
// collector and per m² at the certification's reference irradiance, for a
// list of collector-minus-ambient temperature differences.
//
// This is the datasheet's own arithmetic, in doubles, beside the window: it
// does not follow the window's fixed-point display rules or its entry
// ranges, so the collectors the window refuses (a1 below 0.8, a2 = 0) are
// computed here as their sheets print them.
namespace model {

// The area the coefficients refer to.
enum class ReferenceArea { Gross, Aperture };

// Which peak efficiency the sheet gives.
enum class PeakEfficiency {
    Hemispherical,  // η0 for hemispherical irradiance
    Beam,           // η0,b for beam irradiance, with the diffuse modifier Kd
};

struct DatasheetInput {
    QString collector{};  // the collector's name, as the reports head it
    PeakEfficiency peak = PeakEfficiency::Hemispherical;
    double eta0 = 0;  // η0, or η0,b for PeakEfficiency::Beam
    double kd = 1;    // Kd, used for PeakEfficiency::Beam only
    double a1 = 0;    // W/(m²·K)
    double a2 = 0;    // W/(m²·K²)
    ReferenceArea reference = ReferenceArea::Gross;
    std::optional<double> grossArea{};              // m² per collector
    std::optional<double> apertureArea{};           // m² per collector
    std::vector<double> deltaT{0, 10, 30, 50, 70};  // K
    double beam = 850;                              // Gb, W/m²
    double diffuse = 150;                           // Gd, W/m²
    // Shown with the table, never used by it: what a stored collector gives
    // for a year's yield.
    IncidenceModifier beamModifier = IncidenceModifier::none();
    std::optional<double> k50{};  // where the modifier was given by K50
    std::optional<double> a3{};   // J/(m³·K)
    std::optional<double> a4{};
    std::optional<double> a6{};  // s/m
    std::optional<double> a8{};  // W/(m²·K⁴)
};

// The finite range of each value a datasheet gives, which the collector
// library keeps too: wide enough for every real collector (tubes and CPC
// collectors print Kd above 1), narrow enough that nothing overflows.
struct Range {
    double lowest;
    bool lowestIncluded;
    double highest;  // always included

    [[nodiscard]] constexpr bool contains(double value) const {
        return (lowestIncluded ? value >= lowest : value > lowest) && value <= highest;
    }
};
namespace limits {
inline constexpr Range kPeakEfficiency{0, false, 1};  // η0 and η0,b
inline constexpr Range kKd{0, true, 2};
inline constexpr Range kA1{0, true, 100};  // W/(m²·K)
inline constexpr Range kA2{0, true, 1};    // W/(m²·K²)
// A collector's area: below a hundredth of a square metre the conversions
// between references give efficiencies far above 1.
inline constexpr Range kArea{0.01, true, 100};      // m² per collector
inline constexpr Range kIrradiance{0, true, 1500};  // Gb and Gd, W/m²
// The quasi-dynamic terms, beyond any collector tested.
inline constexpr Range kA3{0, true, 10};     // J/(m³·K)
inline constexpr Range kA4{0, true, 1};      // dimensionless
inline constexpr Range kA6{0, true, 1};      // s/m
inline constexpr Range kA8{0, true, 0.001};  // W/(m²·K⁴)
// The beam modifier: b0 as IncidenceModifier takes it, and K50 where the b0
// it gives stays within that, 1 − (1/cos 50° − 1) = 0.444 and above.
inline constexpr Range kB0{0, true, 1};
inline constexpr Range kK50{0.45, true, 1};
// A table's Kθ: across evacuated tubes it exceeds 1.
inline constexpr Range kAngleModifier{0, true, 1.5};
inline constexpr Range kDeltaT{0, true, 300};  // K
}  // namespace limits

// The input a check can name.
enum class DatasheetField {
    Eta0,
    Kd,
    A1,
    A2,
    GrossArea,
    ApertureArea,
    DeltaT,
    Beam,
    Diffuse,
};

// Why an input cannot be computed with; the presentation words it.
enum class DatasheetFault {
    OutOfRange,          // the value lies outside `range`
    Missing,             // the reference area the coefficients are given for
    ApertureAboveGross,  // a typing error: converted, efficiencies would pass 1
    NoDeltaT,
    NoIrradiance,  // Gb + Gd is not above 0, and the efficiencies divide by it
};

struct DatasheetProblem {
    DatasheetField field;
    DatasheetFault fault;
    Range range{};  // the field's, for OutOfRange
};

// Every value out of its admitted range, in the order of DatasheetField;
// empty when the input can be computed.
[[nodiscard]] std::vector<DatasheetProblem> checkDatasheet(const DatasheetInput& input);

struct DatasheetRow {
    double deltaT = 0;                           // K
    double perCollector = 0;                     // W, never negative
    std::optional<double> perGrossArea{};        // W/m², where the area is known
    std::optional<double> perApertureArea{};     // W/m²
    std::optional<double> efficiencyGross{};     // 0 … 1
    std::optional<double> efficiencyAperture{};  // 0 … 1
};

// The coefficients as they read referred to an area.
struct Coefficients {
    ReferenceArea area = ReferenceArea::Gross;
    double eta0 = 0;                // hemispherical
    std::optional<double> eta0b{};  // where the sheet gave the beam value
    double a1 = 0;
    double a2 = 0;
};

struct DatasheetResult {
    // The hemispherical η0: as given, or derived from η0,b and Kd by the
    // standard's conversion, η0,b·(0.85 + 0.15·Kd). At other than 850 and
    // 150 W/m² the rows take η0,b·(Gb + Kd·Gd) instead.
    double eta0 = 0;
    bool eta0Derived = false;
    // Referred to the other area; none when only the reference area is known.
    std::optional<Coefficients> converted{};
    // °C at G = 1000 W/m² and 30 °C ambient; none where the specific power
    // stays above 0 up to ΔT = kStagnationSearch.
    std::optional<double> stagnationEstimate{};
    // The peak efficiency the rows use at the input's Gb and Gd:
    // η0,b·(Gb + Kd·Gd)/(Gb + Gd), or η0 as given.
    double eta0InUse = 0;
    std::vector<DatasheetRow> rows{};  // one per ΔT, in the input's order
};

// A modifier at 10°, 20° … 90°, as datasheets print it.
enum class ModifierAxis { Beam, Transversal, Longitudinal };
struct ModifierRow {
    ModifierAxis axis = ModifierAxis::Beam;
    std::array<double, 9> values{};
};
inline constexpr std::array<double, 9> kModifierAngles{10, 20, 30, 40, 50, 60, 70, 80, 90};
// Kθb, or KθT and KθL of a biaxial modifier; none where there is none.
[[nodiscard]] std::vector<ModifierRow> modifierRows(const IncidenceModifier& modifier);

// The standard's conversion from the beam peak efficiency to the
// hemispherical one, for its 850 W/m² beam and 150 W/m² diffuse:
// η0,hem = η0,b·(0.85 + 0.15·Kd).
[[nodiscard]] double hemisphericalFromBeam(double eta0b, double kd);

// For an input checkDatasheet() admits.
[[nodiscard]] DatasheetResult computeDatasheet(const DatasheetInput& input);

// The specific power per m² of the reference area at ΔT and G = Gb + Gd, the
// certification's split of the irradiance applied to η0,b; negative past
// stagnation.
[[nodiscard]] double specificPower(const DatasheetInput& input, double deltaT);

// A value rounded to `decimals` places, a half to the even neighbour, as
// the sheets round their whole watts. Differences below a millionth of the
// last place, which binary arithmetic leaves in a decimal half, do not
// decide the direction.
[[nodiscard]] double roundHalfEven(double value, int decimals = 0);

// The largest ΔT the table admits, K.
inline constexpr double kMaxDeltaT = limits::kDeltaT.highest;
// How far the stagnation estimate is searched, K: as far as real collectors
// go, evacuated tubes among them.
inline constexpr double kStagnationSearch = 400;

}  // namespace model
