#include <cstdio>
#include <exception>

#include "app/options.h"

int main(int argc, char** argv) {
    try {
        return RunTavrelCmd(argc, argv);
    } catch (const std::exception& error) {
        // Nothing is meant to throw this far; end with a failure, never an abort.
        std::fprintf(stdout, "Fatal: %s\n", error.what());
    } catch (...) {
        std::fprintf(stdout, "Fatal: unexpected error\n");
    }
    return 1;
}
