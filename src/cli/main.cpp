// tornavel-cli: the headless front end over the core, for scripted builds.
#include <cstdio>

int main() {
    std::fputs("tornavel-cli: not built yet\n", stderr);
    return 2;
}
