#pragma once

#include "controls/edit_button.h"

#include <QImage>
#include <QList>
#include <QObject>

// What one cached button face was drawn for.
struct ButtonBitmapKey {
    int width = 0;
    int height = 0;
    TButtonPaintStyle paintStyle = EditTools::bpsDropDown;
    bool flat = false;
    bool pressed = false;
    bool lit = false;
    bool enabled = true;
    bool lowerHalf = false;
    int checkState = 0;
    qreal devicePixelRatio = 1;

    bool operator==(const ButtonBitmapKey &) const = default;
};

// Edit-button faces drawn once per key and copied afterwards, shared by every
// edit of the program. Emptied when the application's palette (the system
// colours) changes; entries are never evicted otherwise.
class TButtonsBitmapCache : public QObject {
public:
    using DrawFace = void (*)(QPainter &painter, QRect rect, const ButtonBitmapKey &key);

    static TButtonsBitmapCache &instance();

    // The face for key, drawn by draw on a miss.
    const QImage &face(const ButtonBitmapKey &key, DrawFace draw);
    int size() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TButtonsBitmapCache();

    struct Entry {
        ButtonBitmapKey key;
        QImage image;
    };
    QList<Entry> m_entries;
};
