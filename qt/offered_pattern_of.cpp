#include "offered_pattern_of.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

OfferedPattern offeredPatternOf(const QMimeData* data) {
    if (data == nullptr) {
        return {};
    }
    if (data->hasUrls() && data->urls().first().isLocalFile()) {
        return OfferedFile{QFile::encodeName(data->urls().first().toLocalFile()).toStdString()};
    }
    if (data->hasFormat(QStringLiteral("image/png"))) {
        const QByteArray png = data->data(QStringLiteral("image/png"));
        return OfferedPng{{png.begin(), png.end()}};
    }
    if (data->hasImage()) {
        return OfferedImage{};
    }
    if (data->hasText()) {
        return OfferedText{data->text().toStdString()};
    }
    return {};
}
