// Faults planted for the sanitized build's own test: each mode commits one that only a sanitizer
// sees (the program would otherwise end normally); "none" commits none.
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "none";
    std::vector<int> numbers(static_cast<size_t>(argc) + 2, 1);
    const size_t past = numbers.size();
    int result = 0;
    if (std::strcmp(mode, "heap-overflow") == 0) {
        result = numbers.data()[past];
    } else if (std::strcmp(mode, "use-after-free") == 0) {
        const int* gone = numbers.data();
        numbers.clear();
        numbers.shrink_to_fit();
        result = *gone;
    } else if (std::strcmp(mode, "signed-overflow") == 0) {
        int big = INT_MAX - 1 + numbers[0];
        result = big + argc;
    } else if (std::strcmp(mode, "none") != 0) {
        std::fprintf(stderr, "unknown mode %s\n", mode);
        return 2;
    }
    std::printf("%d\n", result);
    return 0;
}
