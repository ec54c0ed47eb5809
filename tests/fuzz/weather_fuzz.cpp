// Fuzzes the weather file readers. Every input is either refused with a
// place inside the file and a reason, or read as one whole year of finite,
// plausible hours that the yield computes into finite, non-negative sums.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "model/annual_yield.h"
#include "model/weather_file.h"
#include "present/annual_texts.h"

namespace {

void require(bool property, const char* what) {
    if (!property) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool allWithin(const std::vector<double>& values, double lowest, double highest) {
    for (double v : values) {
        if (!(v >= lowest && v <= highest)) {
            return false;
        }
    }
    return true;
}

void checkYear(const model::WeatherYear& year) {
    const std::size_t n = year.hours();
    require(n == 8760 || n == 8784, "one year of hours");
    require(year.ghi.size() == n && year.dni.size() == n && year.dhi.size() == n &&
                year.airTemperature.size() == n && year.wind.size() == n &&
                year.month.size() == n && year.infrared.size() == (year.hasInfrared ? n : 0),
            "a value per hour");
    require(allWithin(year.ghi, 0, 2000) && allWithin(year.dni, 0, 2000) &&
                allWithin(year.dhi, 0, 2000),
            "irradiance read as 0 … 2000 W/m²");
    require(allWithin(year.airTemperature, -90, 70) && allWithin(year.wind, 0, 100),
            "plausible air");
    const model::ThermalCollector collector{.eta0b = 0.8, .kd = 0.9, .a1 = 3.5, .a2 = 0.015};
    for (const model::AnnualYield& r :
         model::annualYield(model::prepareYear(year, {}), collector)) {
        double months = 0;
        for (double m : r.monthlyPerSquareMetre) {
            require(m >= 0 && std::isfinite(m), "a month's yield");
            months += m;
        }
        require(std::abs(months - r.perSquareMetre) <= 1e-9 * (1 + months), "months add up");
        require(r.irradiation >= 0 && r.efficiency >= 0 && r.efficiency <= 1, "efficiency");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        checkYear(model::readWeather(bytes, "fuzz.csv"));
    } catch (const model::WeatherError& error) {
        require(error.file() == "fuzz.csv" && error.line() >= 1 && error.column() >= 1 &&
                    !present::weatherReason(error.problem()).isEmpty(),
                "a refusal names its place and reason");
    }
    return 0;
}
