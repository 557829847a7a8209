#include "platform/sha256.h"

#include <QByteArrayView>
#include <QCryptographicHash>

std::string sha256Hex(std::string_view bytes)
{
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), qsizetype(bytes.size())), QCryptographicHash::Sha256);
    return digest.toHex().toStdString();
}
