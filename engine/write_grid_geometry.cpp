// Writes the C++ source that defines gridGeometry: write_grid_geometry OUTPUT_FILE.

#include "grid_geometry_values.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Hexadecimal, so that every bit is written as it is.
void writeArray(std::FILE* file, const char* name, const std::vector<double>& numbers) {
    std::fprintf(file, "constexpr double %s[] = {\n", name);
    for (const double number : numbers) {
        std::fprintf(file, "%a,\n", number);
    }
    std::fprintf(file, "};\n");
}

void writeArray(std::FILE* file, const char* name, const std::vector<std::uint16_t>& numbers) {
    std::fprintf(file, "constexpr std::uint16_t %s[] = {\n", name);
    for (const std::uint16_t number : numbers) {
        std::fprintf(file, "%u,\n", unsigned{number});
    }
    std::fprintf(file, "};\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_grid_geometry OUTPUT_FILE\n");
        return 2;
    }
    const GridGeometryValues values = workOutGridGeometry();
    std::FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(file, "// Written by write_grid_geometry.\n#include \"grid_geometry.h\"\n"
                       "namespace {\n");
    writeArray(file, "radii", values.radii);
    writeArray(file, "radiusIndex", values.radiusIndex);
    writeArray(file, "slopes", values.slopes);
    writeArray(file, "slopeIndex", values.slopeIndex);
    std::fprintf(file,
                 "} // namespace\n"
                 "const GridGeometry gridGeometry{radii, radiusIndex, slopes, slopeIndex};\n");
    const bool written = std::ferror(file) == 0;
    return std::fclose(file) == 0 && written ? 0 : 1;
}
