// Makes the fuzz targets' seed corpora from what the build has made.
// Usage: fuzz-seeds <folder of programs> <Caddis's own resource library> <seed folder>
#include <cstdio>
#include <exception>

#include "fuzz/seeds/SeedFiles.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fuzz-seeds <bin folder> <own resource library> <seed folder>\n");
        return 2;
    }
    try {
        WriteBuildSeeds(argv[1], argv[2], argv[3]);
        WriteRecordedSeeds(argv[1], argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fuzz-seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
