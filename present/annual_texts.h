#pragma once

#include <QLocale>
#include <QString>
#include <vector>

#include "model/annual_yield.h"
#include "model/incidence_modifier.h"
#include "model/weather_file.h"

// A year's yield as it leaves the program: written by the command line,
// copied or exported from the window's dialog. Also the words for what the
// weather reader and the yield refuse. The values are rounded here, when
// they become text: tenths of a kWh and of a percent, a half to the even
// neighbour.
namespace present {

// Why a weather file was refused, without its place: "hiányzó érték".
[[nodiscard]] QString weatherReason(const model::WeatherProblem& problem);
// The place and the reason: "f.csv:119:24: hiányzó érték".
[[nodiscard]] QString weatherRefusal(const model::WeatherError& error);
[[nodiscard]] QString yieldReason(model::YieldFault fault);
[[nodiscard]] QString incidenceReason(model::IncidenceFault fault);

// Where the weather was recorded, as the weather file gives it.
struct AnnualSite {
    QString source;        // the file's name
    double latitude = 0;   // °, north positive
    double longitude = 0;  // °, east positive
    double elevation = 0;  // m
};

[[nodiscard]] AnnualSite siteOf(const model::WeatherYear& weather);

// One collector's results, one per mean fluid temperature.
struct CollectorYield {
    QString name;
    std::vector<model::AnnualYield> rows;
};

struct AnnualResults {
    AnnualSite site;
    model::Plane plane;
    double irradiation = 0;  // kWh/m² on the plane in the year
    std::vector<CollectorYield> collectors;
};

// Named lines for the site and the plane, then per collector its name, a
// line where only its hemispherical η0 was known, and a table tab-separated
// with a column per temperature: the year per m² and per collector, the
// efficiency, and each month per m². Numbers in `locale`'s digits.
[[nodiscard]] QString annualPlainText(const AnnualResults& results, const QLocale& locale);

enum class AnnualCsvStyle {
    Point,      // RFC 4180: comma, decimal point, CRLF
    Hungarian,  // semicolon and decimal comma, as Hungarian spreadsheets read it
};

// A header, then a row per collector and temperature, each with its site
// and plane; the same in every locale.
[[nodiscard]] QString annualCsv(const AnnualResults& results, AnnualCsvStyle style);

// One object a line per collector: {"site": {latitude, longitude, elevation,
// source}, "plane": {tilt, azimuth, albedo, sky, irradiation}, "collector",
// "hemisphericalEta0Only", "rows": [{meanTemperature, perArea,
// perCollector, annualEfficiency (%), monthlyPerArea[12]}]}.
[[nodiscard]] QString annualJson(const AnnualResults& results);

}  // namespace present
