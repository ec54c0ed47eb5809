#pragma once

// The sun's position seen from a site: the NREL solar position algorithm
// (Reda and Andreas, 2004), good to ±0.0003° for −2000 … 6000.
namespace model {

struct Site {
    double latitude = 0;      // °, north positive
    double longitude = 0;     // °, east positive
    double elevation = 0;     // m
    double pressure = 1013;   // mbar, for refraction
    double temperature = 10;  // °C, for refraction
};

struct SunPosition {
    double zenith = 0;   // °, topocentric, corrected for refraction
    double azimuth = 0;  // °, 0 south, −90 east, +90 west
};

// The Julian day of a Gregorian date at `hour` hours UT (any real number:
// 24.5 is half past midnight of the next day).
[[nodiscard]] double julianDay(int year, int month, int day, double hour);

// The standard atmosphere's pressure at an elevation, mbar.
[[nodiscard]] double pressureAt(double elevation);

// The sun at a Julian day (UT); deltaT = TT − UT in seconds.
[[nodiscard]] SunPosition sunPosition(double julianDayUt, double deltaT, const Site& site);

// The sun for many instants a few hours apart: the slow, date-dependent part
// of the algorithm is evaluated at 0 h UT of each day and interpolated, which
// stays within 0.002° of sunPosition() and is some ten times faster.
class SunPath {
public:
    explicit SunPath(double deltaT) : deltaT_(deltaT) {}
    [[nodiscard]] SunPosition at(double julianDayUt, const Site& site);

    struct Geocentric {
        double rightAscension = 0;  // °
        double declination = 0;     // °
        double nutation = 0;        // Δψ·cos ε, °
        double parallax = 0;        // equatorial horizontal parallax ξ, °
    };

private:
    const Geocentric& dayAt(double midnight, int slot);

    double deltaT_;
    double midnight_[2]{-1, -1};
    Geocentric day_[2]{};
};

}  // namespace model
