#include "window/unit1.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "platform/application_error.h"
#include "platform/dialog_keys.h"
#include "platform/dialogs.h"
#include "platform/gbk_text.h"
#include "platform/hint_style.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/panel.h"
#include "platform/status_bar.h"
#include "window/form1_layout.h"
#include "window/full_screen.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <exception>

TForm1::TForm1(FormServices services, QWidget *parent)
    : QWidget(parent),
      m_services(std::move(services)),
      m_pick(m_services.seed ? m_services.seed : draw::SeedSource(draw::performanceCounterSeed))
{
    // The one route of a failure, from the window's handlers and from the
    // controls' callbacks alike: the window's own error box.
    setApplicationErrorReporter(
        [dialogs = m_services.dialogs](const QString &message) { dialogs->showError(message); });
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("澄岚晚会抽奖软件 V3.4"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.ico")));

    layout::build(*this);
    m_tierButtons = {RadioButton1, RadioButton2, RadioButton3,
                     RadioButton4, RadioButton5, RadioButton6};
    m_tierLabels = {Label1, Label4, Label5, Label6, Label7, Label8};
    ListBox1->setRoster(&m_state.roster);
    ListBox1->setRepaintInterval(frameInterval());
    m_displayFrame = new QTimer(this);
    m_displayFrame->setSingleShot(true);
    m_displayFrame->setTimerType(Qt::PreciseTimer);
    connect(m_displayFrame, &QTimer::timeout, this, &TForm1::showDisplayText);
    connectHandlers();
    m_fullScreen = new FullScreenProjection(*this);

    // Key preview: the window sees key releases before the focused control.
    qApp->installEventFilter(this);
    // Enter and accelerator characters the focused control does not take go to
    // the window's controls first (a hot flat button clicks on Enter). A held
    // Enter clicks once: repeated, it would start a draw and stop it again.
    (new DialogKeyOffer(this))->setRepeatsEnter(false);

    resize(layout::kDesignClientSize);
    applyGeometry();
    guarded([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    ListBox1->setRoster(nullptr);
    setApplicationErrorReporter({});
}

void TForm1::connectHandlers()
{
    auto on = [this](void (TForm1::*handler)()) { return [this, handler] { handle(handler); }; };
    auto onClick = [this](void (TForm1::*handler)()) {
        return [this, handler](QObject *) { handle(handler); };
    };
    Button1->setOnClick(onClick(&TForm1::Button1Click));
    FlatButton1->setOnClick(onClick(&TForm1::FlatButton1Click));
    Button3->setOnClick(onClick(&TForm1::Button3Click));
    Label13->setOnClick(onClick(&TForm1::Label13Click));
    connect(Timer1, &QTimer::timeout, this, on(&TForm1::Timer1Timer));
    connect(Timer2, &QTimer::timeout, this, on(&TForm1::Timer2Timer));
    connect(N1, &QAction::triggered, this, on(&TForm1::N1Click));
    connect(N2, &QAction::triggered, this, on(&TForm1::N2Click));
    connect(N6, &QAction::triggered, this, on(&TForm1::N6Click));
    connect(N9, &QAction::triggered, this, on(&TForm1::N9Click));
    connect(N10, &QAction::triggered, this, on(&TForm1::N10Click));
    connect(PopupMenu1, &QMenu::aboutToShow, this, on(&TForm1::PopupMenu1Popup));
    SpinEdit1->setOnKeyPress(
        [this](QObject *, QChar &key) { guarded([this, &key] { SpinEdit1KeyPress(key); }); });
    connect(SpinEdit1, &TDBNumberEdit::mouseDown, this, on(&TForm1::SpinEdit1MouseDown));
    connect(ListBox1, &TListBox::contextMenuRequested, this,
            [this](QPoint globalPos) { PopupMenu1->popup(globalPos); });
}

void TForm1::handle(void (TForm1::*handler)())
{
    guarded([this, handler] { (this->*handler)(); });
}

void TForm1::toggleFullScreen()
{
    m_fullScreen->toggle();
}

void TForm1::guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        reportCurrentException();
    }
}

void TForm1::applyFocusRule()
{
    if (Panel8->isEnabled() && !SpinEdit1->hasFocus())
        SpinEdit1->setFocus(Qt::OtherFocusReason);
}

void TForm1::disableKeepingKeys(QWidget *control)
{
    // Qt would hand the focus to the next control, possibly a flat button that keeps
    // Space to itself; the focus goes to the window so Space and PageDown still work.
    QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == control || control->isAncestorOf(focus)))
        setFocus(Qt::OtherFocusReason);
    control->setEnabled(false);
}

void TForm1::refreshRosterCountText()
{
    Label13->setCaption(fromGbk(m_state.rosterCountText()));
}

void TForm1::showDisplayText()
{
    m_displayFrame->stop();
    m_pick.takeDisplay(m_state.roster, m_display);
    StaticText1->setCaption(fromGbk(m_display));
    m_displayShown.start();
}

void TForm1::showDisplayTextAtFrame()
{
    const int frame = frameInterval();
    const qint64 since = m_displayShown.isValid() ? m_displayShown.elapsed() : frame;
    if (since >= frame)
        showDisplayText();
    else if (!m_displayFrame->isActive())
        m_displayFrame->start(int(frame - since));
}

int TForm1::frameInterval() const
{
    const QScreen *s = screen();
    const qreal rate = s && s->refreshRate() > 1 ? s->refreshRate() : 60.0;
    return std::max(1, int(1000.0 / rate));
}

void TForm1::showTiers()
{
    for (int k = 1; k <= draw::kTierSlots; ++k) {
        const draw::Tier &tier = m_state.tier(k);
        const QString name = fromGbk(tier.name);
        const QString count = fromGbk(tier.countText);
        if (tierButton(k)->caption() != name)
            tierButton(k)->setCaption(name);
        if (tierLabel(k)->caption() != count)
            tierLabel(k)->setCaption(count);
        tierButton(k)->setVisible(tier.shown);
        tierLabel(k)->setVisible(tier.shown);
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyGeometry();
}

void TForm1::applyGeometry()
{
    if (m_fullScreen)
        m_fullScreen->beforeLayout(size());
    const int screen = m_services.screenWidth ? m_services.screenWidth() : 0;
    const FormGeometry::Layout &l = m_geometry.resize(size(), screen);
    // A tiny window can give negative sizes; such a control is simply empty.
    auto put = [](QWidget *w, const QRect &r) {
        w->setGeometry(r.left(), r.top(), std::max(0, r.width()), std::max(0, r.height()));
    };
    put(Panel8, l.panel8);
    put(StatusBar1, l.statusBar1);
    put(Panel18, l.panel18);
    put(GroupBox2, l.groupBox2);
    put(GroupBox3, l.groupBox3);
    put(Image1, l.image1);
    put(GroupBox1, l.groupBox1);
    put(StaticText1, l.staticText1);
    put(Panel4, l.panel4);
    put(ListBox1, l.listBox1);
    FormResize();
}

void TForm1::FormResize()
{
    // The sizes and positions were set by applyGeometry; what is left is the repaint.
    RadioButton6->repaint();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Asked once the window is on screen, as on first showing.
    QTimer::singleShot(0, this, [this] { guarded([this] { FormShow(); }); });
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this)
            return showHint(widget, *static_cast<QHelpEvent *>(event));
        return false;
    }
    if (event->type() != QEvent::KeyRelease)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this || key->isAutoRepeat())
        return false;
    // Each key event is offered to the focused control first and then to its parents;
    // preview it once, at its first receiver.
    QWidget *focus = QApplication::focusWidget();
    if (widget != (focus ? focus : this))
        return false;
    // A focused flat button keeps every key to itself.
    if (qobject_cast<TFlatButton *>(focus))
        return false;
    const int code = key->key();
    guarded([this, code] { FormKeyUp(code); });
    return false;
}
