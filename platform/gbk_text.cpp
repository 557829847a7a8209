#include "platform/gbk_text.h"

#include "draw/gbk_codec.h"

QString fromGbk(std::string_view gbk)
{
    const std::string utf8 = draw::gbkToUtf8(gbk);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::optional<std::string> toGbk(const QString &text, QString *unencodable)
{
    const QByteArray utf8 = text.toUtf8();
    draw::GbkEncoding encoded =
        draw::utf8ToGbk(std::string_view(utf8.constData(), size_t(utf8.size())));
    if (encoded.ok())
        return std::move(encoded.bytes);
    if (unencodable) {
        unencodable->clear();
        for (char32_t c : encoded.unencodable)
            unencodable->append(QString::fromUcs4(&c, 1));
    }
    return std::nullopt;
}
