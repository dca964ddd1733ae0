// Renders the program's icon as PNG images for the icon theme, at each size asked for. The
// output is the same on every build.
//
//     render_icon OUTPUT_FOLDER SIZE...
//
// writes OUTPUT_FOLDER/SIZE.png for each SIZE, an image of SIZE x SIZE pixels.

#include "icon_image.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QImage>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icon OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const std::vector<ColourValue> pattern = iconPattern();
    for (int i = 2; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        const std::string path = std::string(argv[1]) + "/" + argv[i] + ".png";
        if (side <= 0 || side > 1024) {
            std::fprintf(stderr, "render_icon: no size %s\n", argv[i]);
            return 2;
        }
        const std::vector<std::uint32_t> pixels = iconImage(pattern, side);
        // The pixels are 0xAARRGGBB with straight alpha, as the image format holds them.
        const QImage icon(reinterpret_cast<const uchar*>(pixels.data()), side, side,
                          qsizetype{4} * side, QImage::Format_ARGB32);
        if (!icon.save(QString::fromStdString(path))) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
