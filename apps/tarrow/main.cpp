#include <cstdio>

int main() {
    std::puts("tarrow");
    return 0;
}
