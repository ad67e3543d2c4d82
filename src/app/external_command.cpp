#include "app/external_command.h"

std::string ReadPipe(std::FILE* pipe) {
    std::string collected;
    char piece[128];
    // Read to the end so the child never blocks on a full pipe; keep only the start.
    while (std::fgets(piece, sizeof piece, pipe) != nullptr) {
        if (collected.size() < kMaxCommandOutput) collected += piece;
    }
    return collected;
}
