#include "controls/look_and_feel.h"

#include "controls/look_and_feel_painters.h"
#include "controls/look_visual_styles.h"

#include <algorithm>

namespace {

TLookAndFeel *g_root = nullptr;
int g_controllers = 0;

const TLookAndFeel::Values kDefaults{};

} // namespace

TLookAndFeel::TLookAndFeel(QObject *owner) : QObject(owner)
{
    // A desktop colour change makes the owner repaint through Changed.
    m_paletteSubscription.OnSystemPaletteChanged = [this] {
        savePrevious();
        Changed(lfvNativeStyle);
    };
    if (g_root) {
        g_root->AddChangeListener(this);
        m_listeningTo = g_root;
    }
    m_current = {effectiveKind(), effectiveNativeStyle(), effectiveSkinName()};
    m_previous = m_current;
    m_painter = &PainterFor({});
}

TLookAndFeel::~TLookAndFeel()
{
    m_destroying = true;
    const auto snapshot = m_listeners;
    for (TLookAndFeelChangeListener *l : snapshot)
        if (std::find(m_listeners.begin(), m_listeners.end(), l) != m_listeners.end())
            l->MasterLookAndFeelDestroying(this);
    if (m_listeningTo)
        m_listeningTo->RemoveChangeListener(this);
    if (m_isRoot && g_root == this)
        g_root = nullptr;
}

TLookAndFeel *TLookAndFeel::root()
{
    return g_root;
}

TLookAndFeel *TLookAndFeel::CreateRoot()
{
    if (!g_root) {
        auto *r = new TLookAndFeel(nullptr);
        r->m_isRoot = true;
        g_root = r;
    }
    return g_root;
}

void TLookAndFeel::DestroyRoot()
{
    delete g_root;
    g_root = nullptr;
}

TLookAndFeel *TLookAndFeel::effectiveMaster() const
{
    if (m_isRoot)
        return nullptr;
    return m_master ? m_master : g_root;
}

TLookAndFeelKind TLookAndFeel::effectiveKind() const
{
    if (m_assigned.testFlag(lfvKind))
        return m_own.kind;
    const TLookAndFeel *master = effectiveMaster();
    return master ? master->effectiveKind() : kDefaults.kind;
}

bool TLookAndFeel::effectiveNativeStyle() const
{
    if (m_assigned.testFlag(lfvNativeStyle))
        return m_own.nativeStyle;
    const TLookAndFeel *master = effectiveMaster();
    return master ? master->effectiveNativeStyle() : kDefaults.nativeStyle;
}

QString TLookAndFeel::effectiveSkinName() const
{
    if (m_assigned.testFlag(lfvSkinName))
        return m_own.skinName;
    const TLookAndFeel *master = effectiveMaster();
    return master ? master->effectiveSkinName() : kDefaults.skinName;
}

TLookAndFeelValues TLookAndFeel::moved() const
{
    const Values now{effectiveKind(), effectiveNativeStyle(), effectiveSkinName()};
    TLookAndFeelValues result;
    if (now.kind != m_previous.kind)
        result |= lfvKind;
    if (now.nativeStyle != m_previous.nativeStyle)
        result |= lfvNativeStyle;
    if (now.skinName != m_previous.skinName)
        result |= lfvSkinName;
    return result;
}

void TLookAndFeel::Changed(TLookAndFeelValues values)
{
    if (!values || m_destroying)
        return;
    m_current = {effectiveKind(), effectiveNativeStyle(), effectiveSkinName()};
    m_painter = &PainterFor({});
    // A listener may leave (or make another leave) while it is told; each one
    // still in the list is told once, so none is skipped.
    const auto snapshot = m_listeners;
    for (TLookAndFeelChangeListener *l : snapshot)
        if (std::find(m_listeners.begin(), m_listeners.end(), l) != m_listeners.end())
            l->MasterLookAndFeelChanged(this, values);
    if (OnChanged)
        OnChanged(this, values);
}

void TLookAndFeel::setAssignedValues(TLookAndFeelValues values)
{
    if (values == m_assigned)
        return;
    savePrevious();
    m_assigned = values;
    Changed(moved());
}

void TLookAndFeel::setKind(TLookAndFeelKind kind)
{
    if (m_assigned.testFlag(lfvKind) && m_own.kind == kind)
        return;
    savePrevious();
    m_assigned |= lfvKind;
    m_own.kind = kind;
    Changed(moved() & lfvKind);
}

void TLookAndFeel::setNativeStyle(bool native)
{
    if (m_assigned.testFlag(lfvNativeStyle) && m_own.nativeStyle == native)
        return;
    savePrevious();
    m_assigned |= lfvNativeStyle;
    m_own.nativeStyle = native;
    Changed(moved() & lfvNativeStyle);
}

void TLookAndFeel::setSkinName(const QString &name)
{
    if (m_assigned.testFlag(lfvSkinName) && m_own.skinName == name)
        return;
    savePrevious();
    m_assigned |= lfvSkinName;
    m_own.skinName = name;
    Changed(moved() & lfvSkinName);
}

void TLookAndFeel::Assign(const TLookAndFeel &source)
{
    if (&source == this)
        return;
    savePrevious();
    m_own = source.m_own;
    m_assigned = source.m_assigned;
    TLookAndFeel *master = source.m_master;
    if (!m_isRoot && master != this && !(master && master->leadsTo(this))) {
        if (TLookAndFeel *old = m_listeningTo)
            old->RemoveChangeListener(this);
        m_master = master;
        m_listeningTo = effectiveMaster();
        if (m_listeningTo)
            m_listeningTo->AddChangeListener(this);
    }
    Changed(moved());
}

bool TLookAndFeel::leadsTo(const TLookAndFeel *target) const
{
    for (const TLookAndFeel *l = this; l; l = l->effectiveMaster())
        if (l == target)
            return true;
    return false;
}

void TLookAndFeel::setMaster(TLookAndFeel *master)
{
    // A master whose chain leads back here would make the values depend on
    // themselves: such a master is refused like one set on the root.
    if (m_isRoot || master == this || master == m_master || (master && master->leadsTo(this)))
        return;
    savePrevious();
    if (m_listeningTo)
        m_listeningTo->RemoveChangeListener(this);
    m_master = master;
    m_listeningTo = effectiveMaster();
    if (m_listeningTo)
        m_listeningTo->AddChangeListener(this);
    Changed(moved());
}

void TLookAndFeel::MasterLookAndFeelChanged(TLookAndFeel *, TLookAndFeelValues changed)
{
    savePrevious();
    Changed(changed & ~m_assigned);
}

void TLookAndFeel::MasterLookAndFeelDestroying(TLookAndFeel *sender)
{
    if (sender != m_listeningTo)
        return;
    sender->RemoveChangeListener(this);
    savePrevious();
    if (m_master == sender)
        m_master = nullptr;
    // The root itself is going: nothing to listen to any more.
    m_listeningTo = sender == g_root ? nullptr : effectiveMaster();
    if (m_listeningTo)
        m_listeningTo->AddChangeListener(this);
    Changed(moved());
}

const TCustomLookAndFeelPainter &TLookAndFeel::PainterFor(const QStringList &themeClasses) const
{
    if (effectiveNativeStyle() && VisualStylesAvailable(themeClasses))
        return TNativeLookAndFeelPainter::Instance();
    if (const TCustomLookAndFeelPainter *skin = effectiveSkinPainter())
        return *skin;
    return painterForKind(effectiveKind());
}

const TCustomLookAndFeelPainter &TLookAndFeel::ActivePainter() const
{
    if (m_overridePainter)
        return *m_overridePainter;
    return m_painter ? *m_painter : painterForKind(effectiveKind());
}

void TLookAndFeel::setOverridePainter(const TCustomLookAndFeelPainter *painter)
{
    m_overridePainter = painter;
}

void TLookAndFeel::AddChangeListener(TLookAndFeelChangeListener *listener)
{
    if (!listener || listener == this)
        return;
    if (listener->isLookAndFeelController() && !m_isRoot)
        return;
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void TLookAndFeel::RemoveChangeListener(TLookAndFeelChangeListener *listener)
{
    auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it == m_listeners.end())
        return;
    m_listeners.erase(it);
    if (m_isRoot && listener->isLookAndFeelController() && !m_destroying &&
        std::none_of(m_listeners.begin(), m_listeners.end(),
                     [](auto *l) { return l->isLookAndFeelController(); }))
        setAssignedValues({}); // the last controller is gone: the defaults return
}

TLookAndFeelController::TLookAndFeelController(QObject *owner) : QObject(owner)
{
    ++g_controllers;
    m_root = g_root;
    if (m_root)
        m_root->AddChangeListener(this);
}

TLookAndFeelController::~TLookAndFeelController()
{
    --g_controllers;
    if (m_root)
        m_root->RemoveChangeListener(this);
}

int TLookAndFeelController::count()
{
    return g_controllers;
}

TLookAndFeelKind TLookAndFeelController::Kind() const
{
    return m_root ? m_root->Kind() : kDefaults.kind;
}

void TLookAndFeelController::setKind(TLookAndFeelKind kind)
{
    if (m_root)
        m_root->setKind(kind);
}

bool TLookAndFeelController::NativeStyle() const
{
    return m_root ? m_root->NativeStyle() : kDefaults.nativeStyle;
}

void TLookAndFeelController::setNativeStyle(bool native)
{
    if (m_root)
        m_root->setNativeStyle(native);
}

QString TLookAndFeelController::SkinName() const
{
    return m_root ? m_root->SkinName() : kDefaults.skinName;
}

void TLookAndFeelController::setSkinName(const QString &name)
{
    if (m_root)
        m_root->setSkinName(name);
}

void TLookAndFeelController::MasterLookAndFeelDestroying(TLookAndFeel *sender)
{
    if (sender == m_root) {
        sender->RemoveChangeListener(this);
        m_root = nullptr;
    }
}
