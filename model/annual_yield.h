#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "incidence_modifier.h"
#include "solar_position.h"
#include "weather_file.h"

// A collector's yearly yield at a site, hour by hour over a weather year, at
// a constant mean fluid temperature and always under load.
namespace model {

enum class SkyModel {
    Isotropic,
    HayDavies,  // the circumsolar share of the diffuse light counts as beam
};

struct Plane {
    double tilt = 45;    // °, 0 horizontal
    double azimuth = 0;  // °, 0 south, −90 east, +90 west
    double albedo = 0.2;
    SkyModel sky = SkyModel::HayDavies;

    friend bool operator==(const Plane&, const Plane&) = default;
};

// The angle of incidence and its projections on the planes across the tubes
// (θT) and along them (θL), tubes running up the slope; ° each, 90 or more
// when the sun is behind the plane.
struct IncidenceAngles {
    double theta = 0;
    double transversal = 0;
    double longitudinal = 0;
};

[[nodiscard]] IncidenceAngles incidenceAngles(const SunPosition& sun, const Plane& plane);

// Everything of a year on a plane that no collector changes, computed once:
// then each collector at each temperature is one pass over these arrays.
struct PreparedYear {
    std::vector<double> beam;     // W/m² on the plane, direct (and circumsolar)
    std::vector<double> diffuse;  // W/m² on the plane, sky and ground
    std::vector<double> theta;    // °
    std::vector<double> cosTheta;
    std::vector<double> transversal;
    std::vector<double> longitudinal;
    std::vector<double> airTemperature;           // °C
    std::vector<double> wind;                     // m/s
    std::vector<double> longwave;                 // EL − σ·Ta⁴, W/m²; empty without EL
    std::array<std::size_t, 13> monthStart{};     // hours [monthStart[m], monthStart[m + 1])
    std::array<double, 12> monthlyIrradiation{};  // kWh/m² on the plane
    double irradiation = 0;                       // kWh/m² on the plane, the year

    [[nodiscard]] std::size_t hours() const { return beam.size(); }
};

// ΔT = TT − UT for the years weather files hold, s.
inline constexpr double kDeltaT = 69;

// Why a year's yield cannot be computed; the presentation words it.
enum class YieldFault {
    HoursOutOfMonthOrder,
    TemperatureOutOfRange,  // a mean fluid temperature
    NoLongwave,             // an a4 where the weather has no long-wave irradiance
};

class YieldError : public std::invalid_argument {
public:
    explicit YieldError(YieldFault fault);

    [[nodiscard]] YieldFault fault() const { return fault_; }

private:
    YieldFault fault_;
};

// Throws YieldError where the hours are not in month order.
[[nodiscard]] PreparedYear prepareYear(const WeatherYear& weather, const Plane& plane);

// A collector's coefficients, per m² of its reference area. The loss terms
// beyond a1 and a2 are those of the standard's quasi-dynamic model.
struct ThermalCollector {
    double eta0b = 0;                // η0,b; the hemispherical η0 where hemisphericalOnly
    double kd = 1;                   // Kd
    bool hemisphericalOnly = false;  // taken as η0,b = η0 and Kd = 1
    double a1 = 0;                   // W/(m²·K)
    double a2 = 0;                   // W/(m²·K²)
    double a3 = 0;                   // J/(m³·K), times wind speed
    double a4 = 0;                   // long-wave, dimensionless
    double a6 = 0;                   // s/m, times wind speed and G
    double a8 = 0;                   // W/(m²·K⁴)
    double area = 1;                 // m², the reference area of one collector
    IncidenceModifier beamModifier = IncidenceModifier::none();
};

struct AnnualYield {
    double meanFluidTemperature = 0;  // °C
    double perSquareMetre = 0;        // kWh/m² of the reference area
    double perCollector = 0;          // kWh
    std::array<double, 12> monthlyPerSquareMetre{};
    std::array<double, 12> monthlyPerCollector{};
    double irradiation = 0;  // H on the plane, kWh/m²
    double efficiency = 0;   // Q/H
    bool fromHemisphericalEta0 = false;
};

inline constexpr std::array<double, 3> kDefaultFluidTemperatures{25, 50, 75};
// °C, both included: water under pressure, not steam.
inline constexpr double kLowestFluidTemperature = 0;
inline constexpr double kHighestFluidTemperature = 150;

// One result per mean fluid temperature, in their order. Throws YieldError
// for a temperature out of range, or an a4 where the weather gave no
// long-wave irradiance.
[[nodiscard]] std::vector<AnnualYield> annualYield(
    const PreparedYear& year, const ThermalCollector& collector,
    std::span<const double> meanFluidTemperatures = kDefaultFluidTemperatures);

}  // namespace model
