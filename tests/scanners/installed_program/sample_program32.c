// The 32-bit sample program: it only says what it is. C, because Debian's i686 MinGW package
// has no C++ compiler.
#include <stdio.h>

int main(void) {
    puts("Tidrex sample program (32-bit)");
    return 0;
}
