// Renders the program's icon: one pattern of fixed parameters, drawn by the engine's own
// pass and cut to a disc, at each size asked for. The output is the same on every build.
//
//     render_icon OUTPUT_FOLDER FILE...
//
// writes each FILE into OUTPUT_FOLDER: SIZE.png as a PNG image of SIZE x SIZE pixels, and
// SIZE.rgba as their bare bytes, red, green, blue and alpha, row by row, which the program
// takes in without decoding anything.

#include "colour_to_qrgb.h"
#include "grid_tables.h"
#include "icon_pattern.h"
#include "pattern_parameters.h"
#include "plane_coordinates.h"
#include "table_pass.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

class ImageCanvas final : public Canvas {
public:
    ImageCanvas() : m_image(plane::gridSide, plane::gridSide, QImage::Format_RGB32) {}
    void plot(int X, int Y, ColourValue colour) override { m_image.setPixel(X, Y, toQRgb(colour)); }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
};

// The pattern scaled to side pixels, smoothly, inside an antialiased disc.
QImage iconAt(const QImage& pattern, int side) {
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath disc;
    const double margin = side * iconMarginShare;
    disc.addEllipse(QRectF(margin, margin, side - 2 * margin, side - 2 * margin));
    painter.setClipPath(disc);
    painter.drawImage(QRectF(0, 0, side, side), pattern);
    return icon;
}

// Writes the icon at the size and in the format that file names, SIZE.png or SIZE.rgba.
bool writeIcon(const QImage& pattern, const std::string& folder, const std::string& file) {
    const std::size_t dot = file.find('.');
    // One to four digits, then the format.
    if (dot == std::string::npos || dot == 0 || dot > 4 ||
        file.find_first_not_of("0123456789") != dot) {
        return false;
    }
    const int side = std::stoi(file.substr(0, dot));
    const std::string format = file.substr(dot + 1);
    const std::string path = folder + "/" + file;
    if (side <= 0) {
        return false;
    }
    const QImage icon = iconAt(pattern, side);
    if (format == "png") {
        return icon.save(QString::fromStdString(path));
    }
    if (format == "rgba") {
        // Four bytes to a pixel leave no padding at the end of a row.
        const QImage bytes = icon.convertToFormat(QImage::Format_RGBA8888);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.constBits()),
                  static_cast<std::streamsize>(bytes.sizeInBytes()));
        return static_cast<bool>(out);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icon OUTPUT_FOLDER SIZE.png|SIZE.rgba...\n");
        return 2;
    }
    ImageCanvas canvas;
    GridTables tables;
    plotPattern(iconParameters, tables, canvas);
    for (int i = 2; i < argc; ++i) {
        if (!writeIcon(canvas.image(), argv[1], argv[i])) {
            std::fprintf(stderr, "render_icon: cannot write %s/%s\n", argv[1], argv[i]);
            return 1;
        }
    }
    return 0;
}
