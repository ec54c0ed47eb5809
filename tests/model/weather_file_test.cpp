#include "model/weather_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "model/solar_position.h"
#include "present/annual_texts.h"
#include "weather_test_data.h"

namespace {

using model::readWeather;
using model::WeatherError;
using model::WeatherFormat;

// A TMY3 year of the same made-up hour: GHI 100, DNI 200, DHI 50 W/m², 12.5 °C, 3 m/s.
std::string tmy3Year() {
    std::string text =
        "690150,\"TWENTYNINE PALMS, MCAGCC\",CA,-8.0,34.300,-116.167,626\n"
        "Date (MM/DD/YYYY),Time (HH:MM),ETR (W/m^2),GHI (W/m^2),GHI source,DNI (W/m^2),"
        "DHI (W/m^2),Dry-bulb (C),Wspd (m/s)\n";
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    char row[96];
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= kDays[month - 1]; ++day) {
            for (int hour = 1; hour <= 24; ++hour) {
                std::snprintf(row, sizeof row, "%02d/%02d/1999,%02d:00,0,100,1,200,50,12.5,3\n",
                              month, day, hour);
                text += row;
            }
        }
    }
    return text;
}

// The text with its 1-based line `line` replaced; an empty replacement drops it.
std::string withLine(std::string text, int line, const std::string& replacement) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = text.find('\n', start) + 1;
    }
    const std::size_t end = text.find('\n', start) + 1;
    return text.replace(start, end - start, replacement.empty() ? "" : replacement + "\n");
}

struct Year {
    std::string name;
    std::function<std::string()> bytes;
    WeatherFormat format;
    double ghi, dni, dhi, temperature, wind;  // kWh/m², mean °C, mean m/s
    double timeZone;
    double firstSun;  // Julian day of the first hour's sun
};

TEST(WeatherFile, EachFormatReadsItsYear) {
    const Year years[] = {
        {kPvgisCsv, [] { return weatherFile(kPvgisCsv); }, WeatherFormat::PvgisCsv, 1435.86,
         1591.57, 570.95, 13.56, 1.21, 0, model::julianDay(2018, 1, 1, 0.1761)},
        {kPvgisEpw, [] { return weatherFile(kPvgisEpw); }, WeatherFormat::Epw, 1435.86, 1591.57,
         570.95, 13.56, 1.21, 1, model::julianDay(2018, 1, 1, 0.5 - 1)},
        {"tmy3.csv", tmy3Year, WeatherFormat::Tmy3, 876, 1752, 438, 12.5, 3, -8,
         model::julianDay(1999, 1, 1, 0.5 + 8)},
    };
    for (const Year& expected : years) {
        SCOPED_TRACE(expected.name);
        const model::WeatherYear year = readWeather(expected.bytes(), expected.name);
        ASSERT_EQ(year.hours(), 8760u);
        EXPECT_EQ(year.format, expected.format);
        double ghi = 0, dni = 0, dhi = 0, temperature = 0, wind = 0;
        for (std::size_t i = 0; i < year.hours(); ++i) {
            ghi += year.ghi[i] / 1000;
            dni += year.dni[i] / 1000;
            dhi += year.dhi[i] / 1000;
            temperature += year.airTemperature[i] / 8760;
            wind += year.wind[i] / 8760;
        }
        EXPECT_NEAR(ghi, expected.ghi, 0.005);
        EXPECT_NEAR(dni, expected.dni, 0.005);
        EXPECT_NEAR(dhi, expected.dhi, 0.005);
        EXPECT_NEAR(temperature, expected.temperature, 0.005);
        EXPECT_NEAR(wind, expected.wind, 0.005);
        EXPECT_EQ(year.timeZone, expected.timeZone);
        EXPECT_NEAR(year.sunTime[0], expected.firstSun, 1e-9);
        EXPECT_EQ(year.month[8759], 11);
        EXPECT_EQ(year.dayOfYear[8759], 365);
    }
}

struct Refusal {
    std::string name;
    std::function<std::string()> bytes;
    int line, column;
    std::string reason;
};

TEST(WeatherFile, RefusesWhatItCannotReadWithItsPlace) {
    const Refusal refusals[] = {
        {"missing value",
         [] {
             return withLine(weatherFile(kPvgisCsv), 119,
                             "20180105:0400,1.0,90.0,9999,0.0,0.0,300.0,1.0,200.0,99000.0");
         },
         119, 24, "hiányzó érték"},
        {"empty value",
         [] {
             return withLine(weatherFile(kPvgisCsv), 119,
                             "20180105:0400,,90.0,0,0.0,0.0,300.0,1.0,200.0,99000.0");
         },
         119, 15, "hiányzó érték"},
        {"negative irradiance",
         [] {
             return withLine(weatherFile(kPvgisCsv), 119,
                             "20180105:0400,1.0,90.0,-2,0.0,0.0,300.0,1.0,200.0,99000.0");
         },
         119, 24, "a sugárzás nem lehet −1 W/m²-nél kisebb"},
        {"an hour short", [] { return withLine(weatherFile(kPvgisCsv), 8778, ""); }, 8778, 1,
         "a fájlnak 8760 vagy 8784 órát kell tartalmaznia, ebben 8759 van"},
        {"an hour twice", [] { return withLine(tmy3Year(), 4, "01/01/1999,01:00,0,1,1,2,5,1,3"); },
         4, 1, "nem a várt óra: itt 01-01 01 h következne"},
        {"no data periods", [] { return withLine(weatherFile(kPvgisEpw), 8, "COMMENTS 3,"); }, 8, 1,
         "a 8. sornak a DATA PERIODS sornak kell lennie"},
        {"no beam column",
         [] {
             return withLine(weatherFile(kPvgisCsv), 18,
                             "time(UTC),T2m,RH,G(h),Gb,Gd(h),IR(h),WS10m,WD10m,SP");
         },
         18, 1, "hiányzó oszlop: Gb(n)"},
        {"too large", [] { return std::string(model::kLargestWeatherFile + 1, '\n'); }, 1, 1,
         "a fájl nagyobb, mint amekkora egy év óránkénti adata lehet (legfeljebb 64 MiB)"},
        {"unknown", [] { return std::string("\x89PNG\r\n\x1a\n"); }, 1, 1,
         "ismeretlen formátum: nem PVGIS TMY CSV, EPW vagy TMY3 fájl"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        try {
            (void)readWeather(refusal.bytes(), "f.csv");
            ADD_FAILURE() << "read";
        } catch (const WeatherError& error) {
            EXPECT_EQ(error.file(), "f.csv");
            EXPECT_EQ(error.line(), refusal.line);
            EXPECT_EQ(error.column(), refusal.column);
            EXPECT_EQ(present::weatherReason(error.problem()).toStdString(), refusal.reason);
        }
    }
}

}  // namespace
