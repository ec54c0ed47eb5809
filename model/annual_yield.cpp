#include "annual_yield.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace model {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr double kStefanBoltzmann = 5.670374419e-8;

struct Vector {
    double east, north, up;
};

double dot(const Vector& a, const Vector& b) {
    return a.east * b.east + a.north * b.north + a.up * b.up;
}

double extraterrestrialNormal(int dayOfYear) {
    return 1367 * (1 + 0.033 * std::cos(2 * std::numbers::pi * dayOfYear / 365));
}

// Beam and diffuse on the plane for one hour, W/m².
struct PlaneIrradiance {
    double beam, diffuse;
};

PlaneIrradiance planeIrradiance(const WeatherYear& w, std::size_t i, const Plane& plane,
                                const SunPosition& sun, double cosTheta) {
    const double cosTilt = std::cos(plane.tilt * kDeg);
    const double ground = plane.albedo * w.ghi[i] * (1 - cosTilt) / 2;
    if (!(sun.zenith < 90)) {
        return {0, w.dhi[i] * (1 + cosTilt) / 2 + ground};
    }
    const double facing = std::max(cosTheta, 0.0);
    double anisotropy = 0;
    if (plane.sky == SkyModel::HayDavies) {
        anisotropy = std::clamp(w.dni[i] / extraterrestrialNormal(w.dayOfYear[i]), 0.0, 1.0);
    }
    const double rb = facing / std::max(std::cos(sun.zenith * kDeg), std::cos(85 * kDeg));
    return {w.dni[i] * facing + anisotropy * rb * w.dhi[i],
            (1 - anisotropy) * w.dhi[i] * (1 + cosTilt) / 2 + ground};
}

std::array<std::size_t, 13> monthStarts(const std::vector<std::uint8_t>& month) {
    std::array<std::size_t, 13> start{};
    std::size_t i = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        start[m] = i;
        while (i < month.size() && month[i] == m) {
            ++i;
        }
    }
    start[12] = i;
    if (i != month.size()) {
        throw YieldError(YieldFault::HoursOutOfMonthOrder);
    }
    return start;
}

}  // namespace

YieldError::YieldError(YieldFault fault)
    : std::invalid_argument("annual yield: fault " + std::to_string(static_cast<int>(fault))),
      fault_(fault) {}

IncidenceAngles incidenceAngles(const SunPosition& sun, const Plane& plane) {
    const double z = sun.zenith * kDeg;
    const double a = sun.azimuth * kDeg;
    const double b = plane.tilt * kDeg;
    const double g = plane.azimuth * kDeg;
    const Vector s{-std::sin(z) * std::sin(a), -std::sin(z) * std::cos(a), std::cos(z)};
    const Vector normal{-std::sin(b) * std::sin(g), -std::sin(b) * std::cos(g), std::cos(b)};
    const Vector across{std::cos(g), -std::sin(g), 0};
    const Vector upSlope{std::sin(g) * std::cos(b), std::cos(g) * std::cos(b), std::sin(b)};
    const double sz = dot(s, normal);
    return {std::acos(std::clamp(sz, -1.0, 1.0)) / kDeg,
            std::atan2(std::abs(dot(s, across)), sz) / kDeg,
            std::atan2(std::abs(dot(s, upSlope)), sz) / kDeg};
}

PreparedYear prepareYear(const WeatherYear& w, const Plane& plane) {
    const std::size_t n = w.hours();
    PreparedYear y;
    y.monthStart = monthStarts(w.month);
    y.beam.resize(n);
    y.diffuse.resize(n);
    y.theta.resize(n);
    y.cosTheta.resize(n);
    y.transversal.resize(n);
    y.longitudinal.resize(n);
    y.airTemperature = w.airTemperature;
    y.wind = w.wind;
    SunPath path(kDeltaT);
    Site site{w.latitude, w.longitude, w.elevation, pressureAt(w.elevation), 10};
    for (std::size_t i = 0; i < n; ++i) {
        site.temperature = w.airTemperature[i];
        const SunPosition sun = path.at(w.sunTime[i], site);
        const IncidenceAngles angles = incidenceAngles(sun, plane);
        y.cosTheta[i] = std::cos(angles.theta * kDeg);
        const PlaneIrradiance g = planeIrradiance(w, i, plane, sun, y.cosTheta[i]);
        y.beam[i] = g.beam;
        y.diffuse[i] = g.diffuse;
        y.theta[i] = angles.theta;
        y.transversal[i] = angles.transversal;
        y.longitudinal[i] = angles.longitudinal;
        y.monthlyIrradiation[w.month[i]] += (g.beam + g.diffuse) / 1000;
    }
    for (double h : y.monthlyIrradiation) {
        y.irradiation += h;
    }
    if (w.hasInfrared) {
        y.longwave.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            y.longwave[i] =
                w.infrared[i] - kStefanBoltzmann * std::pow(w.airTemperature[i] + 273.15, 4);
        }
    }
    return y;
}

namespace {

// Kθb for the hours with beam light, 0 for the others; a loop per kind of
// modifier, as this runs once per collector.
// What the collector takes in each hour before its losses: η0,b·(Kθb·Gb +
// Kd·Gd), the modifier looked up only where beam falls, then the wind and
// long-wave terms where the collector has them.
std::vector<double> hourlyGain(const PreparedYear& y, const ThermalCollector& c) {
    const double kd = c.hemisphericalOnly ? 1 : c.kd;
    const IncidenceModifier& m = c.beamModifier;
    std::vector<double> gain(y.hours());
    const auto fill = [&](auto modifier) {
        for (std::size_t i = 0; i < gain.size(); ++i) {
            const double beam = y.beam[i] > 0 ? modifier(i) * y.beam[i] : 0;
            gain[i] = c.eta0b * (beam + kd * y.diffuse[i]);
        }
    };
    switch (m.kind()) {
        case IncidenceModifier::Kind::None:
            fill([](std::size_t) { return 1.0; });
            break;
        case IncidenceModifier::Kind::B0:
            fill([&](std::size_t i) {
                return std::clamp(1 - m.b0() * (1 / y.cosTheta[i] - 1), 0.0, 1.0);
            });
            break;
        case IncidenceModifier::Kind::Table:
            fill([&](std::size_t i) { return m.tables()[0](y.theta[i]); });
            break;
        case IncidenceModifier::Kind::Biaxial:
            fill([&](std::size_t i) { return m(y.theta[i], y.transversal[i], y.longitudinal[i]); });
            break;
    }
    if (c.a6 != 0) {
        for (std::size_t i = 0; i < gain.size(); ++i) {
            gain[i] -= c.a6 * y.wind[i] * (y.beam[i] + y.diffuse[i]);
        }
    }
    if (c.a4 != 0) {
        for (std::size_t i = 0; i < gain.size(); ++i) {
            gain[i] += c.a4 * y.longwave[i];
        }
    }
    return gain;
}

// The year's output at one temperature, month by month, from each hour's
// output (W/m², never below 0).
template <typename Output>
void sumMonths(const PreparedYear& y, const Output& output, AnnualYield& r) {
    for (std::size_t m = 0; m < 12; ++m) {
        // Four sums side by side, so that no addition waits for the last.
        double sums[4] = {0, 0, 0, 0};
        std::size_t i = y.monthStart[m];
        for (; i + 4 <= y.monthStart[m + 1]; i += 4) {
            for (std::size_t k = 0; k < 4; ++k) {
                sums[k] += output(i + k);
            }
        }
        for (; i < y.monthStart[m + 1]; ++i) {
            sums[0] += output(i);
        }
        const double sum = (sums[0] + sums[1]) + (sums[2] + sums[3]);
        r.monthlyPerSquareMetre[m] = sum / 1000;
        r.perSquareMetre += sum / 1000;
    }
}

void checkInputs(const PreparedYear& y, const ThermalCollector& c,
                 std::span<const double> temperatures) {
    for (double t : temperatures) {
        if (!(t >= kLowestFluidTemperature && t <= kHighestFluidTemperature)) {
            throw YieldError(YieldFault::TemperatureOutOfRange);
        }
    }
    if (c.a4 != 0 && y.longwave.size() != y.hours()) {
        throw YieldError(YieldFault::NoLongwave);
    }
}

}  // namespace

std::vector<AnnualYield> annualYield(const PreparedYear& y, const ThermalCollector& c,
                                     std::span<const double> meanFluidTemperatures) {
    checkInputs(y, c, meanFluidTemperatures);
    const std::vector<double> gain = hourlyGain(y, c);
    std::vector<AnnualYield> results;
    for (double tm : meanFluidTemperatures) {
        AnnualYield r;
        r.meanFluidTemperature = tm;
        if (c.a3 == 0 && c.a8 == 0) {
            // The steady-state collector, most of them: no wind to load each hour.
            sumMonths(
                y,
                [&](std::size_t i) {
                    const double dt = tm - y.airTemperature[i];
                    return std::max(gain[i] - dt * (c.a1 + dt * c.a2), 0.0);
                },
                r);
        } else {
            sumMonths(
                y,
                [&](std::size_t i) {
                    const double dt = tm - y.airTemperature[i];
                    const double q =
                        gain[i] - dt * (c.a1 + c.a3 * y.wind[i] + dt * (c.a2 + c.a8 * dt * dt));
                    return std::max(q, 0.0);
                },
                r);
        }
        for (std::size_t m = 0; m < 12; ++m) {
            r.monthlyPerCollector[m] = r.monthlyPerSquareMetre[m] * c.area;
        }
        r.perCollector = r.perSquareMetre * c.area;
        r.irradiation = y.irradiation;
        r.efficiency = y.irradiation > 0 ? r.perSquareMetre / y.irradiation : 0;
        r.fromHemisphericalEta0 = c.hemisphericalOnly;
        results.push_back(r);
    }
    return results;
}

}  // namespace model
