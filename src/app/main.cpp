#include "app/entry.h"

int main(int argc, char** argv) {
    try {
        return RunTavrelCmd(argc, argv);
    } catch (...) {
        // Only a logger that cannot log gets here; end with a failure, never an abort.
    }
    return 1;
}
