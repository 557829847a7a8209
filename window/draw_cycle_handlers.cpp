// The draw cycle: Start, the rolling ticks, Stop with its commit, Cancel, the keys.
#include "window/unit1.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_radio_button.h"
#include "draw/draw_error.h"
#include "draw/draw_log.h"
#include "draw/text_file.h"
#include "draw/utf8_path.h"
#include "platform/dialogs.h"
#include "platform/panel.h"
#include "platform/sound.h"

#include <QTimer>

namespace {

const QString kStart = QStringLiteral("开始");
const QString kStop = QStringLiteral("停止");

QString soundPath(const char *file)
{
    // The program's folder may hold any character (a user's name on Windows).
    return QString::fromUtf8(draw::pathText(draw::executableFolder() / file));
}

} // namespace

bool TForm1::rolling() const
{
    return Button1->caption() != kStart;
}

void TForm1::Button1Click()
{
    // Space and PageDown do nothing while the button is arming.
    if (!Button1->isEnabled())
        return;
    applyFocusRule();
    if (!rolling()) {
        disableKeepingKeys(Button1);
        disableKeepingKeys(Panel8);
        refreshRosterCountText();
        Button1->setCaption(kStop);
        m_displayShown.invalidate(); // the first tick shows at once
        m_services.sound->play(soundPath("drum.wav"));
        Timer1->start();
        Timer2->start();
        return;
    }
    Timer1->stop();
    showDisplayText(); // the screen shows exactly what is committed
    Button1->setCaption(kStart);
    disableKeepingKeys(Button1);
    disableKeepingKeys(Panel8);
    Timer2->start();
    m_services.sound->play(soundPath("gong.wav"));
    int k = 1;
    while (k <= draw::kTierSlots && !tierButton(k)->isChecked())
        ++k;
    // One tier is always checked; were none, the names stay in the draw rather than
    // leave it unrecorded.
    if (k <= draw::kTierSlots) {
        const std::size_t rosterBefore = m_state.roster.size();
        if (m_history.commit(m_state, k, m_display) > 0)
            logEvent([&](std::string_view time) {
                return draw::log_text::draw(time, m_state.tier(k).name,
                                            SpinEdit1->text().toStdString(), rosterBefore,
                                            m_display);
            });
    }
    refreshRosterCountText();
    showTiers();
    // A failed write ends the handler here: the commit stays in memory and the next
    // successful write carries it to disk.
    saveWinners();
    Panel8->setEnabled(true);
}

void TForm1::Timer1Timer()
{
    try {
        // The names are joined only when a frame shows them (showDisplayText).
        m_pick.tick(m_state.roster, SpinEdit1->text().toStdString());
    } catch (const draw::DrawError &) {
        // A group size that is not a whole number would fail on every tick: stop
        // rolling as Cancel does, and report it once.
        FlatButton1Click();
        throw;
    }
    showDisplayTextAtFrame();
}

void TForm1::Timer2Timer()
{
    Timer2->stop();
    Button1->setEnabled(!m_startStopped);
}

void TForm1::FlatButton1Click()
{
    Timer1->stop();
    Timer2->stop();
    m_pick.dropDisplay();
    m_display.clear();
    showDisplayText();
    Button1->setCaption(kStart);
    Button1->setEnabled(!m_startStopped);
    Panel8->setEnabled(true);
    applyFocusRule();
}

void TForm1::FormKeyUp(int key)
{
    if (key == Qt::Key_Space)
        Button1Click();
    if (key == Qt::Key_PageDown && Label13->tag() == 0)
        Button1Click();
}

void TForm1::Label13Click()
{
    if (Label13->tag() == 0) {
        Label13->setTag(1);
        Label13->setToolTip(QStringLiteral("禁止用翻页键抽奖！"));
    } else {
        Label13->setTag(0);
        Label13->setToolTip(QStringLiteral("可以用翻页键抽奖！"));
    }
    if (!isActiveWindow())
        activateWindow();
}

void TForm1::SpinEdit1KeyPress(QChar &key)
{
    if (key < QLatin1Char('0') || key > QLatin1Char('9'))
        key = QChar();
    // Compared as it was before the character goes in.
    raiseGroupSizeToOne();
}

void TForm1::SpinEdit1MouseDown()
{
    raiseGroupSizeToOne();
}

void TForm1::raiseGroupSizeToOne()
{
    // An empty field has no value, which is not below 1: it stays empty.
    const std::optional<double> value = SpinEdit1->value();
    if (value && *value < 1)
        SpinEdit1->setValue(1.0);
}
