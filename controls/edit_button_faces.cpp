#include "controls/edit_button_faces.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

TButtonsBitmapCache::TButtonsBitmapCache()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

TButtonsBitmapCache &TButtonsBitmapCache::instance()
{
    static TButtonsBitmapCache cache;
    return cache;
}

const QImage &TButtonsBitmapCache::face(const ButtonBitmapKey &key, DrawFace draw)
{
    // A handful of faces per program: a linear search is all it takes.
    for (const Entry &entry : m_entries)
        if (entry.key == key)
            return entry.image;
    const int w = std::max(key.width, 0);
    const int h = std::max(key.height, 0);
    QImage image(QSize(w, h) * key.devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(key.devicePixelRatio);
    image.fill(Qt::transparent);
    if (w > 0 && h > 0) {
        QPainter painter(&image);
        draw(painter, QRect(0, 0, w, h), key);
    }
    m_entries.append({key, image});
    return m_entries.last().image;
}

bool TButtonsBitmapCache::eventFilter(QObject *watched, QEvent *event)
{
    // The faces are drawn in system colours.
    if (watched == QCoreApplication::instance() &&
        (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange))
        clear();
    return QObject::eventFilter(watched, event);
}
