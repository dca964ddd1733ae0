#include "sha256.h"

#include <QByteArrayView>
#include <QCryptographicHash>

std::string sha256Hex(const std::vector<std::uint8_t>& bytes) {
    return QCryptographicHash::hash(
               QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
               QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}
