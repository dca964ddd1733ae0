#include "window_icon.h"

#include <cmath>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>

QIcon windowIcon() {
    QIcon icon;
    const QDir builtInSizes(QStringLiteral(":/icons"));
    for (const QString& name : builtInSizes.entryList(QDir::Files)) {
        QFile file(builtInSizes.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        // A square of side x side pixels, four bytes each: red, green, blue and alpha.
        const QByteArray bytes = file.readAll();
        const auto side =
            static_cast<int>(std::lround(std::sqrt(static_cast<double>(bytes.size()) / 4.0)));
        const qsizetype rowBytes = qsizetype{4} * side;
        if (side == 0 || rowBytes * side != bytes.size()) {
            continue;
        }
        const QImage image(reinterpret_cast<const uchar*>(bytes.constData()), side, side, rowBytes,
                           QImage::Format_RGBA8888);
        // The pixmap is a copy, so the bytes may go.
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
