// Replays the weather fuzzer's seeds on every test run, without clang.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replay(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  bytes.size());
}

TEST(WeatherFuzzCorpus, EverySeedIsReadOrRefusedWithItsPlace) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(EFFICIENCY_WEATHER_CORPUS)) {
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(replay(entry.path()), 0);
        ++replayed;
    }
    EXPECT_GE(replayed, 6);
}

// Whole years are too long to seed the fuzzer with; their properties hold too.
TEST(WeatherFuzzCorpus, TheTestYearsKeepTheProperties) {
    for (const auto& entry : std::filesystem::directory_iterator(EFFICIENCY_WEATHER_DATA)) {
        if (entry.path().extension() != ".md") {
            SCOPED_TRACE(entry.path().filename().string());
            EXPECT_EQ(replay(entry.path()), 0);
        }
    }
}

}  // namespace
