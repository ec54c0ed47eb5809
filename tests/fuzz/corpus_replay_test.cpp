// Replays the fuzzer's seed corpus through the same target on every test run,
// so the conversions' properties are checked without clang or libFuzzer.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

#ifndef EFFICIENCY_FUZZ_MINIMUM_SEEDS
#define EFFICIENCY_FUZZ_MINIMUM_SEEDS 30
#endif

namespace {

TEST(FuzzCorpus, EverySeedKeepsItsTargetsProperties) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(EFFICIENCY_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        SCOPED_TRACE(entry.path().filename().string());
        // A broken property traps with its report on stderr.
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
        ++replayed;
    }
    EXPECT_GE(replayed, EFFICIENCY_FUZZ_MINIMUM_SEEDS);
}

}  // namespace
