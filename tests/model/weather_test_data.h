#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The shared test year's bytes, as a file dialog would hand them over.
inline std::string weatherFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(EFFICIENCY_WEATHER_DATA) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline const std::string kPvgisCsv = "pvgis-tmy-45.000N-8.000E.csv";
inline const std::string kPvgisEpw = "pvgis-tmy-45.000N-8.000E.epw";
