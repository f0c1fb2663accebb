// The program the sample installer installs: it only says what it is.
#include <cstdio>

int main() {
    std::puts("Tidrex sample program");
    return 0;
}
