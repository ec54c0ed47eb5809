// Starts each probe program many times, alternating them, and reports for
// each the median times from fork to its first painted frame and to its
// exit (the probe quits at that frame, so teardown counts), and the median
// peak resident memory, as JSON on one line.
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
    double firstFrameMs;
    double exitMs;
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
    const long long exited = monotonicNanoseconds();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || output.empty()) {
        std::fprintf(stderr, "%s failed\n", program);
        std::exit(1);
    }
    const long long firstFrame = std::stoll(output);
    return {static_cast<double>(firstFrame - started) / 1e6,
            static_cast<double>(exited - started) / 1e6, usage.ru_maxrss};
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_driver RUNS PROGRAM...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int programs = argc - 2;
    std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
    std::vector<std::vector<double>> exits(static_cast<std::size_t>(programs));
    std::vector<std::vector<long>> memory(static_cast<std::size_t>(programs));
    for (int p = 0; p < programs; ++p) {
        startOnce(argv[2 + p]);  // warm the file cache
    }
    // Alternating, so that whatever else the machine does touches all alike.
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < programs; ++p) {
            const Sample sample = startOnce(argv[2 + p]);
            times[static_cast<std::size_t>(p)].push_back(sample.firstFrameMs);
            exits[static_cast<std::size_t>(p)].push_back(sample.exitMs);
            memory[static_cast<std::size_t>(p)].push_back(sample.peakKilobytes);
        }
    }
    std::printf("{\"runs\": %d, \"programs\": [", runs);
    for (int p = 0; p < programs; ++p) {
        std::printf("%s{\"ms\": %.2f, \"exitMs\": %.2f, \"kb\": %ld}", p == 0 ? "" : ", ",
                    median(times[static_cast<std::size_t>(p)]),
                    median(exits[static_cast<std::size_t>(p)]),
                    median(memory[static_cast<std::size_t>(p)]));
    }
    std::printf("]}\n");
    return 0;
}
