#pragma once

#include "platform/colors_changed.h"

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QString>

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

class TLookAndFeelController;

// Which kind to draw in, whether to draw with the desktop's style, and a skin
// name. A value not assigned here comes from the master (the explicit one,
// else the program's root look and feel). From the effective values it
// chooses the painter that draws the elements.
class TLookAndFeel : public QObject {
    Q_OBJECT
    Q_PROPERTY(LookAndFeels::TLookAndFeelValues AssignedValues READ assignedValues WRITE
                   setAssignedValues STORED false)
    Q_PROPERTY(LookAndFeels::TLookAndFeelKind Kind READ kind WRITE setKind)
    Q_PROPERTY(bool NativeStyle READ nativeStyle WRITE setNativeStyle)
    Q_PROPERTY(QString SkinName READ skinName WRITE setSkinName)

public:
    struct Values {
        TLookAndFeelKind kind = LookAndFeels::lfUltraFlat;
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
    static TLookAndFeel *createRoot();
    static void destroyRoot();
    bool isRoot() const { return m_isRoot; }

    TLookAndFeelValues assignedValues() const { return m_assigned; }
    void setAssignedValues(TLookAndFeelValues values);

    // Effective values.
    TLookAndFeelKind kind() const { return m_current.kind; }
    bool nativeStyle() const { return m_current.nativeStyle; }
    QString skinName() const { return m_current.skinName; }
    void setKind(TLookAndFeelKind kind);
    void setNativeStyle(bool native);
    void setSkinName(const QString &name);

    // Values as set on this object, assigned or not.
    const Values &ownValues() const { return m_own; }
    const Values &previousValues() const { return m_previous; }

    // Copies another look and feel's own values, assigned values and master.
    void assign(const TLookAndFeel &source);

    // The explicit master, or none (then the root acts as master).
    TLookAndFeel *master() const { return m_master; }
    void setMaster(TLookAndFeel *master);

    // The painter for elements of the given theme classes (names as
    // visualStyleClassName gives them); the empty list tests only that the
    // desktop's style is on.
    const TCustomLookAndFeelPainter &PainterFor(const QStringList &themeClasses) const;
    // The override painter when set, else the painter chosen at the last change.
    const TCustomLookAndFeelPainter &ActivePainter() const;
    void setOverridePainter(const TCustomLookAndFeelPainter *painter);
    // Always none: this program has no skins.
    const TCustomLookAndFeelPainter *skinPainter() const { return nullptr; }

    // Listeners hear masterChanged and masterDestroying: the look and feels
    // that take their values from this one, and whoever else connects. Only
    // the root takes controllers; when its last controller goes, the root's
    // assigned values are cleared. False when refused.
    bool addController(TLookAndFeelController *controller);
    void removeController(TLookAndFeelController *controller);
    int changeListenerCount() const;

    bool destroying() const { return m_destroying; }

    // Effective values as computed now (virtual, so a derived look and feel
    // may resolve differently).
    virtual TLookAndFeelKind effectiveKind() const;
    virtual bool effectiveNativeStyle() const;
    virtual QString effectiveSkinName() const;
    virtual const TCustomLookAndFeelPainter *effectiveSkinPainter() const { return nullptr; }
    virtual const TCustomLookAndFeelPainter *findSkinPainter(const QString &) const
    {
        return nullptr;
    }

    // Kind, NativeStyle and SkinName are written to layout data only when assigned.
    bool isStored(TLookAndFeelValue value) const { return m_assigned.testFlag(value); }

signals:
    // A change, told first to the listeners in the order they connected (one
    // that disconnects while told does not make the next one miss it), then
    // to the owner through changed.
    void masterChanged(LookAndFeels::TLookAndFeelValues values);
    // The owner's notification (a control repaints from it).
    void changed(LookAndFeels::TLookAndFeelValues values);
    // Told while this object goes away, with destroying() true.
    void masterDestroying(TLookAndFeel *master);

private:
    TLookAndFeel *effectiveMaster() const;
    bool leadsTo(const TLookAndFeel *target) const;
    void savePrevious() { m_previous = m_current; }
    TLookAndFeelValues moved() const;
    // Recomputes, tells the listeners and then the owner.
    void applyChange(TLookAndFeelValues values);
    // What a look and feel does when its master changes or goes.
    void onMasterChanged(TLookAndFeelValues changed);
    void onMasterDestroying(TLookAndFeel *master);
    void listenTo(TLookAndFeel *master);

    TLookAndFeelValues m_assigned;
    Values m_own;
    Values m_current;
    Values m_previous;
    TLookAndFeel *m_master = nullptr;
    TLookAndFeel *m_listeningTo = nullptr;
    bool m_isRoot = false;
    const TCustomLookAndFeelPainter *m_painter = nullptr;
    const TCustomLookAndFeelPainter *m_overridePainter = nullptr;
    std::vector<TLookAndFeelController *> m_controllers;
    TSystemPaletteChangedNotifier m_paletteSubscription;
    bool m_destroying = false;
};

// Holds the program's root look and feel for its lifetime: made at program
// start before any control, freed at the end after every control.
class TRootLookAndFeelScope {
public:
    TRootLookAndFeelScope() { TLookAndFeel::createRoot(); }
    ~TRootLookAndFeelScope() { TLookAndFeel::destroyRoot(); }
    TRootLookAndFeelScope(const TRootLookAndFeelScope &) = delete;
    TRootLookAndFeelScope &operator=(const TRootLookAndFeelScope &) = delete;
};

// Sets the root's values for the whole program. Reading gives the root's
// effective values (the defaults when there is no root). When the last
// controller goes, the root's assigned values are cleared.
class TLookAndFeelController : public QObject {
    Q_OBJECT
    Q_PROPERTY(LookAndFeels::TLookAndFeelKind Kind READ kind WRITE setKind)
    Q_PROPERTY(bool NativeStyle READ nativeStyle WRITE setNativeStyle)
    Q_PROPERTY(QString SkinName READ skinName WRITE setSkinName)

public:
    explicit TLookAndFeelController(QObject *owner = nullptr);
    ~TLookAndFeelController() override;

    TLookAndFeelKind kind() const;
    void setKind(TLookAndFeelKind kind);
    bool nativeStyle() const;
    void setNativeStyle(bool native);
    QString skinName() const;
    void setSkinName(const QString &name);

    static int count();

private:
    QPointer<TLookAndFeel> m_root; // cleared when the root goes first
};
