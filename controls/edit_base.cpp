#include "controls/edit_base.h"
#include "platform/canvas.h"
#include "platform/enabled_look.h"
#include "platform/palette_colors.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScopeGuard>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

using enum DataEdits::TBorderStyle;

namespace {

// Character codes the character step knows by name.
constexpr char16_t kBackspace = 8;
constexpr char16_t kTab = 9;
constexpr char16_t kLineFeed = 10;
constexpr char16_t kReturn = 13;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;
constexpr char16_t kCtrlY = 25; // what the redo key offers as a character
constexpr char16_t kCtrlZ = 26; // what the undo key offers as a character
constexpr char16_t kEscape = 27;
constexpr char16_t kSpace = 32;
constexpr char16_t kDelete = 127; // what Ctrl+Backspace types
constexpr char16_t kLastTyped = 255;

// The character a key press types, or QChar() for keys that type none.
QChar typedCharacter(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    // Qt's edit takes Backspace with Alt or Meta for a Backspace: so must the filters.
    if (key == Qt::Key_Backspace && !(mods & Qt::ControlModifier))
        return QChar(kBackspace);
    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return QChar();
    if (mods & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QChar(char16_t(key - Qt::Key_A + 1));
        if (key == Qt::Key_Backspace)
            return QChar(kDelete);
        return QChar();
    }
    switch (key) {
    case Qt::Key_Backspace:
        return QChar(kBackspace);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(kReturn);
    case Qt::Key_Escape:
        return QChar(kEscape);
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() < kSpace || text.at(0).unicode() == kDelete)
        return QChar();
    return text.at(0);
}

// Qt keeps this many pixels free at both ends of a line edit's text.
constexpr int kLineEditHorizontalMargin = 2;
// The edit's own left margin: the gap between the text rectangle's border
// and the text, Qt's, so a short number sits where a plain line edit puts it.
constexpr int kEditLeftMargin = kLineEditHorizontalMargin;
// Qt ends a right-aligned line edit's text this far before the line's end,
// room for the caret.
constexpr int kLineEditCaretRoom = 2;

} // namespace

bool TFieldDataLink::beginEdit()
{
    if (!m_editing && !m_readOnly) {
        m_editing = true;
        m_modified = false;
        if (editStateChanged)
            editStateChanged();
    }
    return m_editing;
}

void TFieldDataLink::resetFromStored()
{
    if (dataChanged)
        dataChanged();
    m_modified = false;
}

void TFieldDataLink::updateRecord()
{
    if (m_modified && update)
        update();
    const bool wasEditing = m_editing;
    m_editing = false;
    m_modified = false;
    if (wasEditing && editStateChanged)
        editStateChanged();
}

void TFieldDataLink::setValue(const QVariant &value)
{
    m_stored = value;
    resetFromStored();
}

void TMRUList::add(const QString &text)
{
    if (text.isEmpty() || limit <= 0)
        return;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(),
                                 [&](const QString &item) { return item.compare(text, cs) == 0; }),
                  m_items.end());
    m_items.prepend(text);
    while (m_items.size() > limit)
        m_items.removeLast();
}

QStringList TMRUList::matching(const QString &prefix) const
{
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QStringList result;
    for (const QString &item : m_items)
        if (item.startsWith(prefix, cs))
            result << item;
    result.sort(cs);
    return result;
}

int editTextStart(const TEditTextOption &option)
{
    const int width = QFontMetrics(option.font).horizontalAdvance(option.text);
    int x = option.marginX;
    if (option.alignment == FlatStyle::taRightJustify)
        x = option.textRight - width - option.marginX;
    else if (option.alignment == FlatStyle::taCenter)
        x = (option.textRight - width) / 2;
    // A text wider than the room between the margins starts at the text
    // area's left edge instead of losing its first digit: the layout's font
    // on its substitute is wider than on the designed platform.
    return std::max(x, 0);
}

void PaintRequiredMark(QPainter &painter, const QRect &textArea)
{
    const int y = textArea.bottom();
    for (int x = textArea.left() + 2; x <= textArea.right() - 3; x += 2)
        painter.fillRect(QRect(x, y, 1, 1), toQColor(clRed));
}

void drawEditText(QPainter &painter, const QRect &rect, const TEditTextOption &option)
{
    painter.fillRect(rect, option.background);
    if (!option.text.isEmpty()) {
        const QFontMetrics fm(option.font);
        const int x = rect.left() + editTextStart(option);
        // Vertically as the inner edit places it: the substitute fonts are
        // taller than the field, so the text is centred on the font's height.
        const int height = std::max(fm.boundingRect(option.text).height(), fm.height());
        const int top = rect.top() + (rect.height() - height + 1) / 2;
        painter.save();
        painter.setClipRect(rect);
        painter.setFont(option.font);
        painter.setPen(option.textColor);
        painter.drawText(QPoint(x, top + fm.ascent()), option.text);
        painter.restore();
    }
    if (option.requiredMark)
        PaintRequiredMark(painter, rect);
}

void drawEditFrame(QPainter &p, const QRect &r, const TEditFrameOption &o)
{
    p.fillRect(r, o.color);
    if (o.borderStyle == bsSingle) {
        if (!o.ctl3D) {
            drawEdgeRing(p, r, Qt::black, Qt::black);
        } else if (o.flat) {
            const QColor face = toQColor(clBtnFace);
            if (o.lit)
                drawEdgeRing(p, r, toQColor(clBtnShadow), toQColor(clBtnHighlight));
            else
                drawEdgeRing(p, r, face, face);
            drawEdgeRing(p, r.adjusted(1, 1, -1, -1), face, face);
        } else {
            drawEdgeRing(p, r, toQColor(clBtnShadow), toQColor(clBtnHighlight));
            drawEdgeRing(p, r.adjusted(1, 1, -1, -1), toQColor(cl3DDkShadow), toQColor(cl3DLight));
        }
    }
    for (const QRect &separator : o.separators)
        p.fillRect(separator, o.lit ? toQColor(clBtnFace) : o.color);
    if (!o.image.isNull()) {
        const QRect inner = o.imageArea.adjusted(2, 1, -2, -1);
        const QSize size = o.image.deviceIndependentSize().toSize();
        p.drawPixmap(inner.left() + (inner.width() - size.width()) / 2,
                     inner.top() + (inner.height() - size.height()) / 2, o.image);
    }
}

// The inner edit: Qt's line edit while focused or left-aligned; otherwise the
// control's own drawing of its text.
class TInnerEdit : public QLineEdit {
public:
    explicit TInnerEdit(TCustomDBEdit *owner) : QLineEdit(owner), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!m_owner->drawsOwnText()) {
            QLineEdit::paintEvent(event);
            if (m_owner->requiredMarkShows()) {
                QPainter painter(this);
                PaintRequiredMark(painter, rect());
            }
            return;
        }
        QPainter painter(this);
        drawEditText(painter, rect(), m_owner->textOption());
    }

private:
    TCustomDBEdit *m_owner;
};

TCustomDBEdit::TCustomDBEdit(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
    m_edit = new TInnerEdit(this);
    m_edit->setFrame(false);
    m_edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_edit->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    setFocusPolicy(m_edit->focusPolicy());

    m_link.dataChanged = [this] {
        renderStored();
        refreshButtonStates();
    };
    m_link.editStateChanged = [this] { updateReadOnlyState(); };
    m_link.update = [this] { postValue(); };

    m_button = new TEditButton(this);
    m_buttons = new TEditButtonCollection(this);
    connect(m_button, &TEditButton::changed, this, &TCustomDBEdit::buttonsChanged);
    connect(m_buttons, &TEditButtonCollection::changed, this, &TCustomDBEdit::buttonsChanged);
    connect(m_edit, &QLineEdit::textChanged, this, &TCustomDBEdit::onEditTextChanged);

    // Colours live on the control itself so the inner edit inherits them, also
    // when a caller sets the control's palette.
    setPaletteColor(this, QPalette::Base, clWindow);
    setPaletteColor(this, QPalette::Text, clWindowText);

    resize(121, 21);
    layoutEditButtons();
    updateReadOnlyState();
}

TCustomDBEdit::~TCustomDBEdit()
{
    // The inner edit's last notifications must not reach a half-destroyed control.
    disconnect(m_edit, nullptr, this, nullptr);
}

void TCustomDBEdit::setMainButton(TEditButton *button)
{
    delete m_button;
    m_button = button;
    connect(m_button, &TEditButton::changed, this, &TCustomDBEdit::buttonsChanged);
    buttonsChanged();
}

QString TCustomDBEdit::text() const
{
    return m_edit->text();
}

void TCustomDBEdit::setText(const QString &text)
{
    applyText(text);
    postAssigned();
}

void TCustomDBEdit::postAssigned()
{
    if (m_inUpdateData)
        return;
    try {
        postValue();
    } catch (...) {
        resetFromStored();
        throw;
    }
}

void TCustomDBEdit::applyText(const QString &text)
{
    setTextInternally(text);
    m_link.markModified();
}

void TCustomDBEdit::postToLink()
{
    m_link.setValue(m_edit->text());
}

void TCustomDBEdit::renderStored()
{
    const QVariant stored = m_link.storedValue();
    setTextInternally(stored.isNull() ? QString() : stored.toString());
    updateReadOnlyState();
    m_edit->setModified(false);
}

bool TCustomDBEdit::isValidKey(QChar) const
{
    return true;
}

void TCustomDBEdit::handleButtonPress(bool)
{
    // A drop-down of its own is a descendant's: the base has none to open.
}

bool TCustomDBEdit::canPressButton() const
{
    return m_button->isVisible() && m_button->isEnabled();
}

void TCustomDBEdit::postValue()
{
    bool handled = false;
    if (m_onUpdateData) {
        // Cleared also when the handler raises: the failure passes on.
        m_inUpdateData = true;
        const auto clear = qScopeGuard([this] { m_inUpdateData = false; });
        m_onUpdateData(this, handled);
    }
    if (!handled)
        postToLink();
    m_edit->setModified(false);
    if (m_mru.active && m_mru.autoAdd && isVisible())
        m_mru.add(m_edit->text());
}

bool TCustomDBEdit::beginEdit()
{
    return !m_readOnly && m_link.beginEdit();
}

void TCustomDBEdit::setTextInternally(const QString &text)
{
    if (text == m_edit->text())
        return;
    const bool wasSetting = m_settingText;
    m_settingText = true;
    m_edit->setText(text);
    m_settingText = wasSetting;
}

void TCustomDBEdit::updateReadOnlyState()
{
    // The platform edit stays writable outside edit state: every path that
    // changes the text enters edit state first (keys, paste, cut, the context
    // menu), and a read-only Qt edit would hide the caret the operator expects.
    m_edit->setReadOnly(m_readOnly);
}

void TCustomDBEdit::setAlignment(FlatStyle::TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    Qt::Alignment flags = Qt::AlignVCenter;
    flags |= alignment == FlatStyle::taLeftJustify ? Qt::AlignLeft
        : alignment == FlatStyle::taCenter         ? Qt::AlignHCenter
                                                   : Qt::AlignRight;
    m_edit->setAlignment(flags);
    updateTextMargins();
    update();
    m_edit->update();
}

void TCustomDBEdit::setAlwaysShowBorder(bool always)
{
    if (always == m_alwaysShowBorder)
        return;
    m_alwaysShowBorder = always;
    refreshBorder();
}

void TCustomDBEdit::setAutoSelect(bool autoSelect)
{
    m_autoSelect = autoSelect;
}

void TCustomDBEdit::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    fitHeightToFont();
}

void TCustomDBEdit::setBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    // A new window for the control: its height follows the font again.
    fitHeightToFont();
    layoutEditButtons();
}

void TCustomDBEdit::setCtl3D(bool ctl3D)
{
    if (ctl3D == m_ctl3D)
        return;
    m_ctl3D = ctl3D;
    // A new window for the control: its height follows the font again.
    fitHeightToFont();
    layoutEditButtons();
}

void TCustomDBEdit::setFlat(bool flat)
{
    if (flat == m_flat)
        return;
    m_flat = flat;
    // A new window for the control: its height follows the font again.
    fitHeightToFont();
    layoutEditButtons();
}

void TCustomDBEdit::setHighlightRequired(bool highlight)
{
    if (highlight == m_highlightRequired)
        return;
    m_highlightRequired = highlight;
    m_edit->update();
}

void TCustomDBEdit::setPasswordChar(const QString &character)
{
    const QString c = character.left(1);
    if (c == m_passwordChar)
        return;
    m_passwordChar = c;
    // Qt masks with its own character; the own drawing uses this one.
    m_edit->setEchoMode(c.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    m_edit->update();
}

void TCustomDBEdit::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    updateReadOnlyState();
}

void TCustomDBEdit::setTooltips(bool tooltips)
{
    if (tooltips == m_tooltips)
        return;
    m_tooltips = tooltips;
    updateToolTip();
}

void TCustomDBEdit::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::Text}, color);
}

void TCustomDBEdit::setImages(const QList<QPixmap> &images, int imageWidth)
{
    m_images = images;
    m_imageWidth = imageWidth;
    layoutEditButtons();
}

int TCustomDBEdit::imageIndex() const
{
    int index = -1;
    if (m_onGetImageIndex)
        m_onGetImageIndex(const_cast<TCustomDBEdit *>(this), index);
    return index;
}

void TCustomDBEdit::selectAll()
{
    m_edit->selectAll();
}

int TCustomDBEdit::borderWidth() const
{
    if (m_borderStyle == bsNone)
        return 0;
    return m_ctl3D ? 2 : 1;
}

QRect TCustomDBEdit::textArea() const
{
    return m_edit->geometry();
}

int TCustomDBEdit::heightForFont() const
{
    // The character height plus the border allowance (a one-pixel system
    // border: 8 with 3D, 6 without, 2 less when flat).
    const int characterHeight = QFontInfo(font()).pixelSize();
    int allowance = m_ctl3D ? 8 : 6;
    if (m_flat)
        allowance -= 2;
    return characterHeight + allowance;
}

void TCustomDBEdit::fitHeightToFont()
{
    if (!m_autoSize || m_borderStyle != bsSingle)
        return;
    if (height() != heightForFont())
        resize(width(), heightForFont());
}

void TCustomDBEdit::updateToolTip()
{
    const bool fits =
        QFontMetrics(font()).horizontalAdvance(m_edit->text()) <= textArea().width() - 2;
    m_edit->setToolTip(m_tooltips && !fits ? m_edit->text() : QString());
}

bool TCustomDBEdit::requiredMarkShows() const
{
    if (!m_highlightRequired)
        return false;
    bool draw = m_link.storedValue().isNull() || m_edit->text().isEmpty();
    if (m_onCheckDrawRequiredState)
        m_onCheckDrawRequiredState(const_cast<TCustomDBEdit *>(this), draw);
    return draw;
}

bool TCustomDBEdit::drawsOwnText() const
{
    return m_alignment != FlatStyle::taLeftJustify && !m_edit->hasFocus();
}

TEditTextOption TCustomDBEdit::textOption() const
{
    TEditTextOption option;
    option.text = m_edit->text();
    if (!m_passwordChar.isEmpty())
        option.text.fill(m_passwordChar.at(0));
    option.font = font();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    option.background = m_edit->palette().color(group, QPalette::Base);
    option.textColor = m_edit->palette().color(group, QPalette::Text);
    option.alignment = m_alignment;
    // The text rectangle ends one pixel short of the button area; the inner
    // edit reaches up to it.
    option.textRight = m_edit->width() - 1;
    option.marginX = (m_borderStyle == bsNone ? 0 : m_ctl3D ? 1 : 2) + kEditLeftMargin;
    option.requiredMark = requiredMarkShows();
    return option;
}

TEditFrameOption TCustomDBEdit::frameOption() const
{
    TEditFrameOption option;
    option.ctl3D = m_ctl3D;
    option.flat = m_flat;
    option.lit = m_borderLit;
    option.borderStyle = m_borderStyle;
    option.color = palette().color(QPalette::Base);
    for (const ButtonSlot &slot : m_slots)
        if (!slot.separator.isNull())
            option.separators.push_back(slot.separator);
    const int index = m_imageAreaWidth > 0 ? imageIndex() : -1;
    if (index >= 0 && index < m_images.size()) {
        option.image = m_images.at(index);
        const int b = borderWidth();
        option.imageArea = QRect(b, b, m_imageAreaWidth, height() - 2 * b);
    }
    return option;
}

void TCustomDBEdit::updateTextMargins()
{
    // While focused a right-aligned text lies where the control's own drawing
    // puts it (ending one pixel plus the margin short of the text rectangle,
    // or starting at the left edge when wider), so nothing moves when the
    // focus comes or goes and Qt's own margins cut off no third digit.
    const TEditTextOption option = textOption();
    QMargins margins(option.marginX - kLineEditHorizontalMargin, 0, 0, 0);
    if (m_alignment == FlatStyle::taRightJustify) {
        const int end =
            editTextStart(option) + QFontMetrics(option.font).horizontalAdvance(option.text);
        margins.setLeft(-kLineEditHorizontalMargin);
        margins.setRight(m_edit->width() - end - kLineEditCaretRoom - kLineEditHorizontalMargin);
    }
    if (margins != m_edit->textMargins())
        m_edit->setTextMargins(margins);
}

const TEditButton *TCustomDBEdit::buttonOfSlot(int slot) const
{
    return slot == 0 ? static_cast<const TEditButton *>(m_button) : m_buttons->item(slot - 1);
}

void TCustomDBEdit::buttonsChanged()
{
    layoutEditButtons();
    refreshButtonStates();
}

void TCustomDBEdit::layoutEditButtons()
{
    // One slot per button, the main one first.
    const int wanted = 1 + m_buttons->count();
    while (int(m_slots.size()) > wanted) {
        delete m_slots.back().control;
        m_slots.pop_back();
    }
    while (int(m_slots.size()) < wanted) {
        auto *control = new TEditButtonControl(this);
        const int tag = int(m_slots.size());
        control->setOnDown([this, tag](QObject *, bool top, bool &autoRepeat, bool &) {
            buttonPressed(tag, top, autoRepeat);
        });
        connect(control, &TEditButtonControl::buttonClicked, this,
                [this, tag] { buttonClicked(tag); });
        control->hide();
        m_slots.push_back({control, QRect()});
    }

    const int b = borderWidth();
    const QRect client = rect().adjusted(b, b, -b, -b);
    // Without 3D and with a single border the buttons keep a pixel off the frame.
    const bool inset = !m_ctl3D && m_borderStyle == bsSingle;
    const int top = inset ? 1 : 0;
    const int available = inset ? client.height() - 2 : client.height();
    int areaHeight = available;
    std::vector<int> widths;
    for (int i = 0; i < wanted; ++i) {
        const TEditButton *button = buttonOfSlot(i);
        int width = 0;
        if (button->isVisible())
            width = button->width() > 0 ? button->width()
                                        : (m_flat ? FlatButtonWidth() : ScrollBarWidth());
        widths.push_back(width);
        if (width > 0) {
            // Rounding to nearest is ties to even in the default floating-point mode.
            const int proportional = int(std::nearbyint(1.5 * width));
            const int height =
                available > proportional ? (m_flat ? proportional : width) : available;
            areaHeight = std::min(areaHeight, height);
        }
    }
    // From the right edge leftwards: the last further button first, the main one last.
    int right = client.right() + 1;
    for (int i = wanted - 1; i >= 0; --i) {
        const TEditButton *button = buttonOfSlot(i);
        TEditButtonControl *control = m_slots[i].control;
        const int width = widths[i];
        control->setButtonStyle(button->style());
        control->setGlyph(button->glyph(), button->numGlyphs());
        control->setToolTip(button->hint());
        control->setFlat(m_flat);
        m_slots[i].separator = QRect();
        if (width <= 0) {
            control->hide();
            continue;
        }
        right -= width;
        control->setGeometry(right, client.top() + top, width, areaHeight);
        control->show();
        if (m_flat) {
            --right;
            m_slots[i].separator = QRect(right, client.top() + top, 1, areaHeight);
        }
    }
    m_buttonAreaWidth = client.right() + 1 - right;
    // The image area at the left: the image's set width, or the list's, plus 4.
    m_imageAreaWidth = 0;
    if (!m_images.isEmpty())
        m_imageAreaWidth =
            (m_imageWidth > 0 ? m_imageWidth
                              : m_images.first().deviceIndependentSize().toSize().width()) +
            4;
    m_edit->setGeometry(client.left() + m_imageAreaWidth, client.top(),
                        std::max(client.width() - m_buttonAreaWidth - m_imageAreaWidth, 0),
                        client.height());
    updateTextMargins();
    refreshButtonStates();
    refreshBorder();
    update();
}

void TCustomDBEdit::refreshButtonStates()
{
    for (int i = 0; i < int(m_slots.size()); ++i) {
        TEditButtonControl *control = m_slots[i].control;
        control->setEnabled(buttonOfSlot(i)->isEnabled() && looksEnabled(this));
        control->setDrawLit(m_borderLit);
        control->setParentColor(palette().color(QPalette::Base));
    }
    update();
}

void TCustomDBEdit::refreshBorder()
{
    const bool lit = m_edit->hasFocus() || m_pointerInside || m_alwaysShowBorder;
    if (lit == m_borderLit)
        return;
    m_borderLit = lit;
    refreshButtonStates();
}

void TCustomDBEdit::buttonPressed(int slot, bool topButton, bool &autoRepeat)
{
    m_edit->setFocus(Qt::OtherFocusReason);
    bool handled = false;
    TEditButtonControl *control = m_slots[slot].control;
    const TEditButton *button = buttonOfSlot(slot);
    const TButtonDownEvent &onDown = slot == 0 ? m_onButtonDown : button->onDown();
    if (onDown)
        onDown(control, topButton, autoRepeat, handled);
    if (handled)
        return;
    if (QMenu *menu = button->dropdownMenu()) {
        // Below the button, its right edge aligned for a right-aligned menu.
        const bool rightAligned = menu->layoutDirection() == Qt::RightToLeft;
        const QPoint at =
            control->mapToGlobal(rightAligned ? control->rect().bottomRight() + QPoint(1, 1)
                                              : control->rect().bottomLeft() + QPoint(0, 1));
        autoRepeat = false;
        menu->exec(at);
        return;
    }
    if (slot == 0 && !button->action())
        handleButtonPress(!topButton);
}

void TCustomDBEdit::buttonClicked(int slot)
{
    bool handled = false;
    TEditButtonControl *control = m_slots[slot].control;
    if (slot == 0) {
        m_button->performClick(this, handled);
        if (!handled && m_onButtonClick)
            m_onButtonClick(control, handled);
    } else {
        m_buttons->item(slot - 1)->performClick(this, handled);
    }
}

bool TCustomDBEdit::keyDownStep(QKeyEvent *event)
{
    int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (m_onKeyDown)
        m_onKeyDown(this, key, mods);
    if (key == 0)
        return true;
    // A button's shortcut presses its lower half, then clicks it.
    const QKeySequence pressed(QKeyCombination(mods, Qt::Key(key)));
    for (int i = 0; i < int(m_slots.size()); ++i) {
        const TEditButton *button = buttonOfSlot(i);
        if (!button->shortCut().isEmpty() && button->shortCut() == pressed &&
            (i > 0 || canPressButton())) {
            if (button->isVisible() && button->isEnabled())
                m_slots[i].control->pressByShortCut();
            return true;
        }
    }
    if (key == Qt::Key_A && mods == Qt::ControlModifier) {
        selectAll();
        return true;
    }
    if (key == Qt::Key_Insert && mods == Qt::ShiftModifier) {
        paste();
        return true;
    }
    if (key == Qt::Key_Delete && !m_readOnly)
        beginEdit();
    return false;
}

void TCustomDBEdit::characterStep(QChar &key)
{
    if (m_onKeyPress)
        m_onKeyPress(this, key);
    if (key.isNull())
        return;
    const char16_t c = key.unicode();
    if ((c == kBackspace || c == kCtrlV || c == kCtrlX || (c >= kSpace && c <= kLastTyped)) &&
        !m_readOnly)
        beginEdit();
    if (c == kEscape) {
        resetFromStored();
        selectAll();
        key = QChar();
    } else if (c == kReturn || c == kTab || c == kLineFeed) {
        key = QChar(); // swallowed without a beep
    }
}

bool TCustomDBEdit::handleKeyPress(QKeyEvent *event)
{
    if (keyDownStep(event))
        return true;
    // Undo and redo change the text like typing does: offered as Ctrl+Z or
    // Ctrl+Y to the character step first, whatever key the desktop binds them to.
    const bool undo = event->matches(QKeySequence::Undo);
    if (undo || event->matches(QKeySequence::Redo)) {
        QChar key(undo ? kCtrlZ : kCtrlY);
        characterStep(key);
        if (!key.isNull())
            undoStep(!undo);
        return true;
    }
    QChar c = typedCharacter(event);
    if (c.isNull())
        return false;
    const QChar typed = c;
    characterStep(c);
    if (c.isNull())
        return true;
    if (c.unicode() == kCtrlV) {
        paste();
        return true;
    }
    if (c.unicode() == kDelete)
        return true; // Ctrl+Backspace types nothing the edit keeps
    if (c == typed)
        return false; // the edit inserts it (or acts on Backspace, Ctrl+X, ...)
    if (c.unicode() >= kSpace && !m_readOnly)
        m_edit->insert(QString(c));
    return true;
}

void TCustomDBEdit::paste()
{
    pasteWith([this] { m_edit->paste(); });
}

void TCustomDBEdit::pasteWith(const std::function<void()> &insert)
{
    if (m_readOnly || !beginEdit())
        return;
    insert();
}

bool TCustomDBEdit::isValidText(const QString &) const
{
    return true;
}

void TCustomDBEdit::typeCharacter(QChar key)
{
    characterStep(key);
    if (!key.isNull() && key.unicode() >= kSpace && !m_readOnly)
        m_edit->insert(QString(key));
}

void TCustomDBEdit::undoStep(bool redo)
{
    if (m_readOnly || !beginEdit())
        return;
    const QString before = m_edit->text();
    const int caret = m_edit->cursorPosition();
    // The change is held back until its text has passed the same check as a
    // typed character's.
    m_holdingChange = true;
    m_heldChange = false;
    if (redo)
        m_edit->redo();
    else
        m_edit->undo();
    if (m_heldChange && !isValidText(m_edit->text())) {
        setTextInternally(before);
        m_edit->setCursorPosition(caret);
        m_heldChange = false;
    }
    m_holdingChange = false;
    if (m_heldChange)
        onEditTextChanged();
}

bool TCustomDBEdit::handleDrop(QDropEvent *event)
{
    const QString text = event->mimeData() ? event->mimeData()->text() : QString();
    if (m_forwardingEvent || text.isEmpty() || m_readOnly)
        return false;
    // Each dropped character is offered to OnKeyPress as if typed; one it
    // discards refuses the whole drop.
    for (QChar c : text) {
        if (m_onKeyPress)
            m_onKeyPress(this, c);
        if (c.isNull()) {
            event->ignore();
            return true;
        }
    }
    // Then it is a paste at the drop point.
    pasteWith([this, event] {
        m_forwardingEvent = true;
        QCoreApplication::sendEvent(m_edit, event);
        m_forwardingEvent = false;
    });
    return true;
}

bool TCustomDBEdit::handleInputMethod(QInputMethodEvent *event)
{
    if (m_forwardingEvent || event->commitString().isEmpty())
        return false; // composing: the edit shows the text being composed
    // The committed text is typed, character by character.
    for (QChar c : event->commitString())
        typeCharacter(c);
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    m_forwardingEvent = true;
    QCoreApplication::sendEvent(m_edit, &composing);
    m_forwardingEvent = false;
    event->accept();
    return true;
}

void TCustomDBEdit::textChangeStep() {}

void TCustomDBEdit::onEditTextChanged()
{
    if (m_holdingChange) {
        m_heldChange = true;
        return;
    }
    // Whatever path changed the text, the change is an edit and is posted on exit.
    if (!m_settingText && !m_readOnly && !m_link.isEditing())
        beginEdit();
    textChangeStep();
    if (m_link.isEditing() && !m_settingText)
        m_link.markModified();
    updateTextMargins();
    updateToolTip();
    emit changed();
    // A nested change (the step's own rewrite) has told the settled text already.
    if (m_edit->text() != m_notifiedText) {
        m_notifiedText = m_edit->text();
        emit textChanged(m_notifiedText);
    }
}

bool TCustomDBEdit::wheelStep(QWheelEvent *)
{
    return false;
}

void TCustomDBEdit::handleFocusIn(QFocusEvent *event)
{
    // The window becoming active again, or a context menu closing, is no
    // focus entry: the text, value and selection stay as they were.
    if (m_inFocus) {
        refreshBorder();
        return;
    }
    m_inFocus = true;
    if (m_alignment != FlatStyle::taLeftJustify)
        m_edit->update();
    resetFromStored();
    emit entered();
    // Only a left-button click keeps the caret where it was put.
    const bool leftClick =
        event->reason() == Qt::MouseFocusReason && m_pressButton == Qt::LeftButton;
    if (m_autoSelect && !leftClick)
        selectAll();
    refreshBorder();
}

void TCustomDBEdit::handleFocusOut(QFocusEvent *event)
{
    // A context menu or another window taking the focus does not leave the field.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        refreshBorder();
        return;
    }
    // A press that holds a button's capture ends with the focus.
    for (const ButtonSlot &slot : m_slots)
        slot.control->cancelPress();
    leaveFocus();
}

void TCustomDBEdit::leaveFocus()
{
    emit exited();
    try {
        m_link.updateRecord();
    } catch (const std::exception &error) {
        // The value stays, all selected, and the control takes the focus
        // back, once Qt has finished moving it (a modal error box inside a
        // focus change would come too early).
        const QString message = QString::fromUtf8(error.what());
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                m_edit->setFocus(Qt::OtherFocusReason);
                selectAll();
                reportApplicationError(message);
            },
            Qt::QueuedConnection);
        return;
    }
    m_inFocus = false;
    resetFromStored();
    refreshBorder();
    m_edit->update();
}

void TCustomDBEdit::showContextMenu(const QPoint &globalPos)
{
    // Qt's own menu; its commands that change the text enter edit state first.
    QMenu *menu = m_edit->createStandardContextMenu();
    struct Command {
        const char *name;
        QString text; // Qt's own translated text: Qt 6.4 gives these actions no object name
        std::function<void()> run;
    };
    const Command commands[] = {
        {"edit-paste", QLineEdit::tr("&Paste"), [this] { paste(); }},
        {"edit-cut", QLineEdit::tr("Cu&t"), [this] { m_edit->cut(); }},
        {"edit-undo", QLineEdit::tr("&Undo"), [this] { undoStep(false); }},
        {"edit-redo", QLineEdit::tr("&Redo"), [this] { undoStep(true); }},
        {"edit-delete", QLineEdit::tr("Delete"), [this] { m_edit->insert(QString()); }},
    };
    for (QAction *action : menu->actions()) {
        for (const Command &c : commands) {
            if (action->text().section(QLatin1Char('\t'), 0, 0) != c.text)
                continue;
            action->setObjectName(QLatin1String(c.name));
            const std::function<void()> command = c.run;
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            const bool isPaste = action->objectName() == QLatin1String("edit-paste");
            connect(action, &QAction::triggered, this, [this, isPaste, command] {
                if (isPaste || beginEdit())
                    command();
            });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool TCustomDBEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::PaletteChange: {
        // The inner edit takes its colours from the control; a palette handed
        // to it whole (some desktop themes do so on a colour change) is dropped.
        if (paletteHandedWhole(m_edit->palette())) {
            m_edit->setPalette(QPalette());
            keepTextLookWhileContainerDisabled();
        }
        break;
    }
    case QEvent::KeyPress:
        return handleKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        int code = key->key();
        if (m_onKeyUp)
            m_onKeyUp(this, code, key->modifiers());
        return code == 0;
    }
    case QEvent::Wheel:
        if (wheelStep(static_cast<QWheelEvent *>(event)))
            return true;
        break;
    case QEvent::FocusIn:
        handleFocusIn(static_cast<QFocusEvent *>(event));
        break;
    case QEvent::FocusOut:
        handleFocusOut(static_cast<QFocusEvent *>(event));
        break;
    case QEvent::Drop:
        if (handleDrop(static_cast<QDropEvent *>(event)))
            return true;
        break;
    case QEvent::InputMethod:
        if (handleInputMethod(static_cast<QInputMethodEvent *>(event)))
            return true;
        break;
    case QEvent::ContextMenu: {
        auto *request = static_cast<QContextMenuEvent *>(event);
        bool handled = false;
        if (m_onContextPopup)
            m_onContextPopup(this, m_edit->mapTo(this, request->pos()), handled);
        if (!handled)
            showContextMenu(request->globalPos());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // The double click's own release makes no second click.
        m_clickPressed = false;
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_onDblClick)
            m_onDblClick(this);
        break;
    case QEvent::MouseButtonPress: {
        if (m_forwardingPress)
            break;
        // The edit handles the press first (focus, caret), then the handler hears of it.
        auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::MouseButton button = mouse->button();
        const QPoint pos = m_edit->mapTo(this, mouse->position().toPoint());
        m_pressButton = button;
        m_clickPressed = button == Qt::LeftButton;
        m_forwardingPress = true;
        QCoreApplication::sendEvent(m_edit, event);
        m_forwardingPress = false;
        m_pressButton = Qt::NoButton;
        emit mouseDown(button, pos);
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        emit mouseMove(mouse->buttons(), m_edit->mapTo(this, mouse->position().toPoint()));
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click = m_clickPressed && mouse->button() == Qt::LeftButton &&
            m_edit->rect().contains(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton)
            m_clickPressed = false;
        emit mouseUp(mouse->button(), m_edit->mapTo(this, mouse->position().toPoint()));
        if (click && m_onClick)
            m_onClick(this);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TCustomDBEdit::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawEditFrame(painter, rect(), frameOption());
}

void TCustomDBEdit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutEditButtons();
}

void TCustomDBEdit::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    m_pointerInside = true;
    refreshBorder();
}

void TCustomDBEdit::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_pointerInside = false;
    refreshBorder();
}

void TCustomDBEdit::wheelEvent(QWheelEvent *event)
{
    if (!wheelStep(event))
        QWidget::wheelEvent(event);
}

void TCustomDBEdit::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        layoutEditButtons();
        keepTextLookWhileContainerDisabled();
    } else if (event->type() == QEvent::PaletteChange) {
        // The inner edit's disabled colours are copies: take them afresh.
        keepTextLookWhileContainerDisabled();
        refreshButtonStates();
    } else if (event->type() == QEvent::FontChange) {
        fitHeightToFont();
        updateTextMargins();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_inFocus &&
               !m_edit->hasFocus()) {
        // The focus moved on while the window was inactive: that was a focus exit.
        leaveFocus();
    }
}

void TCustomDBEdit::keepTextLookWhileContainerDisabled()
{
    // Qt draws a disabled edit from the palette's disabled colours; inside a
    // disabled container the text keeps its normal colours.
    // The normal colours come from the control, which the inner edit inherits
    // (at a palette change the inner edit has not taken them yet).
    QPalette p = m_edit->palette();
    const bool keep = looksEnabled(this);
    for (QPalette::ColorRole role :
         {QPalette::Text, QPalette::Base, QPalette::Window, QPalette::WindowText,
          QPalette::Highlight, QPalette::HighlightedText}) {
        p.setColor(QPalette::Disabled, role,
                   keep ? palette().color(QPalette::Active, role)
                        : QApplication::palette().color(QPalette::Disabled, role));
    }
    m_edit->setPalette(p);
}
