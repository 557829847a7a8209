#pragma once

#include "platform/colors_changed.h"

#include <QFlags>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class TCustomLookAndFeelPainter;
class TLookAndFeel;

namespace LookAndFeels {
Q_NAMESPACE

// The visual kinds a look and feel draws in.
enum TLookAndFeelKind { lfFlat = 0, lfStandard = 1, lfUltraFlat = 2, lfOffice11 = 3 };
Q_ENUM_NS(TLookAndFeelKind)

// The values a look and feel carries; a set of them says which are assigned
// on an object or which changed.
enum TLookAndFeelValue { lfvKind = 1, lfvNativeStyle = 2, lfvSkinName = 4 };
Q_DECLARE_FLAGS(TLookAndFeelValues, TLookAndFeelValue)
Q_FLAG_NS(TLookAndFeelValues)

} // namespace LookAndFeels

Q_DECLARE_OPERATORS_FOR_FLAGS(LookAndFeels::TLookAndFeelValues)

using LookAndFeels::TLookAndFeelKind;
using LookAndFeels::TLookAndFeelValue;
using LookAndFeels::TLookAndFeelValues;
using enum LookAndFeels::TLookAndFeelKind;
using enum LookAndFeels::TLookAndFeelValue;

// Told when a look and feel it listens to changes or goes away.
class TLookAndFeelChangeListener {
public:
    virtual ~TLookAndFeelChangeListener() = default;
    virtual void MasterLookAndFeelChanged(TLookAndFeel *sender, TLookAndFeelValues changed) = 0;
    virtual void MasterLookAndFeelDestroying(TLookAndFeel *sender) = 0;
    // Controllers may listen only to the root.
    virtual bool isLookAndFeelController() const { return false; }
};

// Which kind to draw in, whether to draw with the desktop's style, and a skin
// name. A value not assigned here comes from the master (the explicit one,
// else the program's root look and feel). From the effective values it
// chooses the painter that draws the elements.
class TLookAndFeel : public QObject, public TLookAndFeelChangeListener {
    Q_OBJECT
    Q_PROPERTY(LookAndFeels::TLookAndFeelValues AssignedValues READ AssignedValues WRITE
                   setAssignedValues STORED false)
    Q_PROPERTY(LookAndFeels::TLookAndFeelKind Kind READ Kind WRITE setKind)
    Q_PROPERTY(bool NativeStyle READ NativeStyle WRITE setNativeStyle)
    Q_PROPERTY(QString SkinName READ SkinName WRITE setSkinName)

public:
    struct Values {
        TLookAndFeelKind kind = lfUltraFlat;
        bool nativeStyle = false;
        QString skinName;
    };

    // owner: the control that carries it (none for the root).
    explicit TLookAndFeel(QObject *owner = nullptr);
    ~TLookAndFeel() override;

    // The program's root look and feel, or none before it is created.
    static TLookAndFeel *root();
    // Creates the root (at program start, before any control); DestroyRoot
    // frees it at the end.
    static TLookAndFeel *CreateRoot();
    static void DestroyRoot();
    bool isRoot() const { return m_isRoot; }

    TLookAndFeelValues AssignedValues() const { return m_assigned; }
    void setAssignedValues(TLookAndFeelValues values);

    // Effective values.
    TLookAndFeelKind Kind() const { return m_current.kind; }
    bool NativeStyle() const { return m_current.nativeStyle; }
    QString SkinName() const { return m_current.skinName; }
    void setKind(TLookAndFeelKind kind);
    void setNativeStyle(bool native);
    void setSkinName(const QString &name);

    // Values as set on this object, assigned or not.
    const Values &ownValues() const { return m_own; }
    const Values &previousValues() const { return m_previous; }

    // Copies another look and feel's own values, assigned values and master.
    void Assign(const TLookAndFeel &source);

    // The explicit master, or none (then the root acts as master).
    TLookAndFeel *Master() const { return m_master; }
    void setMaster(TLookAndFeel *master);

    // The painter for elements of the given theme classes (names as
    // visualStyleClassName gives them); the empty list tests only that the
    // desktop's style is on.
    const TCustomLookAndFeelPainter &PainterFor(const QStringList &themeClasses) const;
    // The override painter when set, else the painter chosen at the last change.
    const TCustomLookAndFeelPainter &ActivePainter() const;
    void setOverridePainter(const TCustomLookAndFeelPainter *painter);
    // Always none: this program has no skins.
    const TCustomLookAndFeelPainter *SkinPainter() const { return nullptr; }

    void AddChangeListener(TLookAndFeelChangeListener *listener);
    void RemoveChangeListener(TLookAndFeelChangeListener *listener);
    int changeListenerCount() const { return int(m_listeners.size()); }

    // The owner's notification, after the listeners.
    std::function<void(TLookAndFeel *, TLookAndFeelValues)> OnChanged;

    bool destroying() const { return m_destroying; }

    // As a master's change notification would (from TLookAndFeelChangeListener).
    void MasterLookAndFeelChanged(TLookAndFeel *sender, TLookAndFeelValues changed) override;
    void MasterLookAndFeelDestroying(TLookAndFeel *sender) override;

    // Effective values as computed now (not virtual: the constructor computes them).
    TLookAndFeelKind effectiveKind() const;
    bool effectiveNativeStyle() const;
    QString effectiveSkinName() const;
    const TCustomLookAndFeelPainter *effectiveSkinPainter() const { return nullptr; }
    const TCustomLookAndFeelPainter *findSkinPainter(const QString &) const { return nullptr; }

    // Kind, NativeStyle and SkinName are written to layout data only when assigned.
    bool isStored(TLookAndFeelValue value) const { return m_assigned.testFlag(value); }

private:
    TLookAndFeel *effectiveMaster() const;
    bool leadsTo(const TLookAndFeel *target) const;
    void savePrevious() { m_previous = m_current; }
    TLookAndFeelValues moved() const;
    // Recomputes, tells the listeners and then the owner.
    void Changed(TLookAndFeelValues values);

    TLookAndFeelValues m_assigned;
    Values m_own;
    Values m_current;
    Values m_previous;
    TLookAndFeel *m_master = nullptr;
    TLookAndFeel *m_listeningTo = nullptr;
    bool m_isRoot = false;
    const TCustomLookAndFeelPainter *m_painter = nullptr;
    const TCustomLookAndFeelPainter *m_overridePainter = nullptr;
    std::vector<TLookAndFeelChangeListener *> m_listeners;
    TSystemPaletteChangedNotifier m_paletteSubscription;
    bool m_destroying = false;
};

// Holds the program's root look and feel for its lifetime: made at program
// start before any control, freed at the end after every control.
class TRootLookAndFeelScope {
public:
    TRootLookAndFeelScope() { TLookAndFeel::CreateRoot(); }
    ~TRootLookAndFeelScope() { TLookAndFeel::DestroyRoot(); }
    TRootLookAndFeelScope(const TRootLookAndFeelScope &) = delete;
    TRootLookAndFeelScope &operator=(const TRootLookAndFeelScope &) = delete;
};

// Sets the root's values for the whole program. Reading gives the root's
// effective values (the defaults when there is no root). When the last
// controller goes, the root's assigned values are cleared.
class TLookAndFeelController : public QObject, public TLookAndFeelChangeListener {
    Q_OBJECT
    Q_PROPERTY(LookAndFeels::TLookAndFeelKind Kind READ Kind WRITE setKind)
    Q_PROPERTY(bool NativeStyle READ NativeStyle WRITE setNativeStyle)
    Q_PROPERTY(QString SkinName READ SkinName WRITE setSkinName)

public:
    explicit TLookAndFeelController(QObject *owner = nullptr);
    ~TLookAndFeelController() override;

    TLookAndFeelKind Kind() const;
    void setKind(TLookAndFeelKind kind);
    bool NativeStyle() const;
    void setNativeStyle(bool native);
    QString SkinName() const;
    void setSkinName(const QString &name);

    static int count();

    void MasterLookAndFeelChanged(TLookAndFeel *, TLookAndFeelValues) override {}
    void MasterLookAndFeelDestroying(TLookAndFeel *sender) override;
    bool isLookAndFeelController() const override { return true; }

private:
    TLookAndFeel *m_root = nullptr;
};
