#include "platform/colors_changed.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <algorithm>
#include <vector>

namespace {

// Watches the application for desktop colour changes.
class SystemPaletteChangedListener : public QObject {
public:
    SystemPaletteChangedListener()
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->installEventFilter(this);
    }
    ~SystemPaletteChangedListener() override
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == QCoreApplication::instance() &&
            event->type() == QEvent::ApplicationPaletteChange)
            TSystemPaletteChangedNotifier::notifyAll();
        return false;
    }
};

std::vector<TSystemPaletteChangedNotifier *> &subscribers()
{
    static std::vector<TSystemPaletteChangedNotifier *> list;
    return list;
}

// Owned here; a QPointer because the application may be gone first at exit.
QPointer<SystemPaletteChangedListener> &listener()
{
    static QPointer<SystemPaletteChangedListener> l;
    return l;
}

bool subscribed(TSystemPaletteChangedNotifier *n)
{
    const auto &list = subscribers();
    return std::find(list.begin(), list.end(), n) != list.end();
}

} // namespace

TSystemPaletteChangedNotifier::TSystemPaletteChangedNotifier(bool primary) : m_primary(primary)
{
    subscribers().push_back(this);
    if (!listener() && QCoreApplication::instance())
        listener() = new SystemPaletteChangedListener;
}

TSystemPaletteChangedNotifier::~TSystemPaletteChangedNotifier()
{
    auto &list = subscribers();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (list.empty() && listener())
        delete listener().data();
}

bool TSystemPaletteChangedNotifier::listening()
{
    return !listener().isNull();
}

void TSystemPaletteChangedNotifier::notifyAll()
{
    // A subscriber may end another subscription (or its own) while it is told:
    // each one is called only while still subscribed.
    const std::vector<TSystemPaletteChangedNotifier *> snapshot = subscribers();
    for (bool primaryPass : {true, false})
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
            if ((*it)->m_primary == primaryPass && subscribed(*it) && (*it)->OnSystemPaletteChanged)
                (*it)->OnSystemPaletteChanged();
}
