// Writes the program's icon at the sizes window managers show, as bare bytes the program
// takes in at start-up without decoding anything. The files are the same on every build.
//
//     write_window_icon OUTPUT_FOLDER SIZE...
//
// writes OUTPUT_FOLDER/SIZE.rgba for each SIZE: SIZE x SIZE pixels, row by row, each as its
// red, green, blue and alpha bytes.

#include "icon_image.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: write_window_icon OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const std::vector<ColourValue> pattern = iconPattern();
    for (int i = 2; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        const std::string path = std::string(argv[1]) + "/" + argv[i] + ".rgba";
        if (side <= 0 || side > 1024) {
            std::fprintf(stderr, "write_window_icon: no size %s\n", argv[i]);
            return 2;
        }
        std::vector<char> bytes;
        for (const std::uint32_t pixel : iconImage(pattern, side)) {
            for (const unsigned shift : {16U, 8U, 0U, 24U}) {
                bytes.push_back(static_cast<char>((pixel >> shift) & 0xFFU));
            }
        }
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "write_window_icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
