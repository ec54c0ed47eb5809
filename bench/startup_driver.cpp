// Starts each probe program many times, alternating them, and reports the
// median time from fork to the first painted frame and the median peak
// resident memory, as JSON on one line.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

struct Sample {
    double milliseconds;
    long peakKilobytes;
};

// One start of `program`: it prints the time of its first frame and exits.
Sample startOnce(const char* program) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const long long started = monotonicNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        execl(program, program, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[64];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || output.empty()) {
        std::fprintf(stderr, "%s failed\n", program);
        std::exit(1);
    }
    const long long firstFrame = std::stoll(output);
    return {static_cast<double>(firstFrame - started) / 1e6, usage.ru_maxrss};
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_driver PROGRAM BARE_PROGRAM RUNS\n");
        return 2;
    }
    const int runs = std::atoi(argv[3]);
    std::vector<double> programTimes, bareTimes;
    std::vector<long> programMemory, bareMemory;
    startOnce(argv[1]);  // warm the file cache for both
    startOnce(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const Sample program = startOnce(argv[1]);
        const Sample bare = startOnce(argv[2]);
        programTimes.push_back(program.milliseconds);
        bareTimes.push_back(bare.milliseconds);
        programMemory.push_back(program.peakKilobytes);
        bareMemory.push_back(bare.peakKilobytes);
    }
    std::printf(
        "{\"runs\": %d, \"program_ms\": %.2f, \"bare_ms\": %.2f, \"program_kb\": %ld, "
        "\"bare_kb\": %ld}\n",
        runs, median(programTimes), median(bareTimes), median(programMemory), median(bareMemory));
    return 0;
}
