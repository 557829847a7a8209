#include "controls/look_and_feel.h"

#include "controls/look_and_feel_painters.h"
#include "controls/look_visual_styles.h"

#include <algorithm>

using namespace LookAndFeels;

namespace {

TLookAndFeel *g_root = nullptr;
int g_controllers = 0;

const TLookAndFeel::Values kDefaults{};

const TCustomLookAndFeelPainter &choosePainter(TLookAndFeelKind kind, bool nativeStyle,
                                               const TCustomLookAndFeelPainter *skin,
                                               const QStringList &themeClasses)
{
    if (nativeStyle && VisualStylesAvailable(themeClasses))
        return TNativeLookAndFeelPainter::instance();
    if (skin)
        return *skin;
    return painterForKind(kind);
}

} // namespace

TLookAndFeel::TLookAndFeel(QObject *owner) : QObject(owner)
{
    // A desktop colour change makes the owner repaint through applyChange.
    m_paletteSubscription.OnSystemPaletteChanged = [this] {
        savePrevious();
        applyChange(lfvNativeStyle);
    };
    listenTo(g_root);
    // While this object is built only its own resolution exists: the calls are
    // qualified, so none of them is virtual (and no skin painter is looked up).
    m_current = {TLookAndFeel::effectiveKind(), TLookAndFeel::effectiveNativeStyle(),
                 TLookAndFeel::effectiveSkinName()};
    m_previous = m_current;
    m_painter = &choosePainter(m_current.kind, m_current.nativeStyle, nullptr, {});
}

TLookAndFeel::~TLookAndFeel()
{
    m_destroying = true;
    emit masterDestroying(this);
    listenTo(nullptr);
    if (m_isRoot && g_root == this)
        g_root = nullptr;
}

TLookAndFeel *TLookAndFeel::root()
{
    return g_root;
}

TLookAndFeel *TLookAndFeel::createRoot()
{
    if (!g_root) {
        auto *r = new TLookAndFeel(nullptr);
        r->m_isRoot = true;
        g_root = r;
    }
    return g_root;
}

void TLookAndFeel::destroyRoot()
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

void TLookAndFeel::applyChange(TLookAndFeelValues values)
{
    if (!values || m_destroying)
        return;
    m_current = {effectiveKind(), effectiveNativeStyle(), effectiveSkinName()};
    m_painter = &PainterFor({});
    emit masterChanged(values);
    emit changed(values);
}

void TLookAndFeel::listenTo(TLookAndFeel *master)
{
    if (m_listeningTo)
        disconnect(m_listeningTo, nullptr, this, nullptr);
    m_listeningTo = master;
    if (!master)
        return;
    connect(master, &TLookAndFeel::masterChanged, this, &TLookAndFeel::onMasterChanged);
    connect(master, &TLookAndFeel::masterDestroying, this, &TLookAndFeel::onMasterDestroying);
}

void TLookAndFeel::setAssignedValues(TLookAndFeelValues values)
{
    if (values == m_assigned)
        return;
    savePrevious();
    m_assigned = values;
    applyChange(moved());
}

void TLookAndFeel::setKind(TLookAndFeelKind kind)
{
    if (m_assigned.testFlag(lfvKind) && m_own.kind == kind)
        return;
    savePrevious();
    m_assigned |= lfvKind;
    m_own.kind = kind;
    applyChange(moved() & lfvKind);
}

void TLookAndFeel::setNativeStyle(bool native)
{
    if (m_assigned.testFlag(lfvNativeStyle) && m_own.nativeStyle == native)
        return;
    savePrevious();
    m_assigned |= lfvNativeStyle;
    m_own.nativeStyle = native;
    applyChange(moved() & lfvNativeStyle);
}

void TLookAndFeel::setSkinName(const QString &name)
{
    if (m_assigned.testFlag(lfvSkinName) && m_own.skinName == name)
        return;
    savePrevious();
    m_assigned |= lfvSkinName;
    m_own.skinName = name;
    applyChange(moved() & lfvSkinName);
}

void TLookAndFeel::assign(const TLookAndFeel &source)
{
    if (&source == this)
        return;
    savePrevious();
    m_own = source.m_own;
    m_assigned = source.m_assigned;
    TLookAndFeel *master = source.m_master;
    if (!m_isRoot && master != this && !(master && master->leadsTo(this))) {
        m_master = master;
        listenTo(effectiveMaster());
    }
    applyChange(moved());
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
    m_master = master;
    listenTo(effectiveMaster());
    applyChange(moved());
}

void TLookAndFeel::onMasterChanged(TLookAndFeelValues changed)
{
    savePrevious();
    applyChange(changed & ~m_assigned);
}

void TLookAndFeel::onMasterDestroying(TLookAndFeel *master)
{
    if (master != m_listeningTo)
        return;
    savePrevious();
    if (m_master == master)
        m_master = nullptr;
    // The root itself is going: nothing to listen to any more.
    listenTo(master == g_root ? nullptr : effectiveMaster());
    applyChange(moved());
}

const TCustomLookAndFeelPainter &TLookAndFeel::PainterFor(const QStringList &themeClasses) const
{
    return choosePainter(effectiveKind(), effectiveNativeStyle(), effectiveSkinPainter(),
                         themeClasses);
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

bool TLookAndFeel::addController(TLookAndFeelController *controller)
{
    if (!controller || !m_isRoot)
        return false;
    if (std::find(m_controllers.begin(), m_controllers.end(), controller) == m_controllers.end())
        m_controllers.push_back(controller);
    return true;
}

void TLookAndFeel::removeController(TLookAndFeelController *controller)
{
    auto it = std::find(m_controllers.begin(), m_controllers.end(), controller);
    if (it == m_controllers.end())
        return;
    m_controllers.erase(it);
    if (m_controllers.empty() && !m_destroying)
        setAssignedValues({}); // the last controller is gone: the defaults return
}

int TLookAndFeel::changeListenerCount() const
{
    // Every listener hears masterDestroying.
    return receivers(SIGNAL(masterDestroying(TLookAndFeel *))) + int(m_controllers.size());
}

TLookAndFeelController::TLookAndFeelController(QObject *owner) : QObject(owner)
{
    ++g_controllers;
    if (g_root && g_root->addController(this))
        m_root = g_root;
}

TLookAndFeelController::~TLookAndFeelController()
{
    --g_controllers;
    if (m_root)
        m_root->removeController(this);
}

int TLookAndFeelController::count()
{
    return g_controllers;
}

TLookAndFeelKind TLookAndFeelController::kind() const
{
    return m_root ? m_root->kind() : kDefaults.kind;
}

void TLookAndFeelController::setKind(TLookAndFeelKind kind)
{
    if (m_root)
        m_root->setKind(kind);
}

bool TLookAndFeelController::nativeStyle() const
{
    return m_root ? m_root->nativeStyle() : kDefaults.nativeStyle;
}

void TLookAndFeelController::setNativeStyle(bool native)
{
    if (m_root)
        m_root->setNativeStyle(native);
}

QString TLookAndFeelController::skinName() const
{
    return m_root ? m_root->skinName() : kDefaults.skinName;
}

void TLookAndFeelController::setSkinName(const QString &name)
{
    if (m_root)
        m_root->setSkinName(name);
}
