#pragma once

#include "controls/edit_button.h"
#include "controls/flat_style.h"
#include "platform/control_events.h"

#include <QChar>
#include <QFont>
#include <QLineEdit>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <vector>

class QDropEvent;
class QInputMethodEvent;
class QPainter;

namespace DataEdits {
Q_NAMESPACE

// An edit's border: none, or a single (3D or flat) one.
enum TBorderStyle { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

} // namespace DataEdits

using DataEdits::TBorderStyle;

// OnUpdateData: during every post; setting handled keeps the value out of the
// value link. The same function type as TButtonClickEvent.
using TUpdateDataEvent = std::function<void(QObject *sender, bool &handled)>;
// OnGetImageIndex: which image of Images shows (-1 by default).
using TGetImageIndexEvent = std::function<void(QObject *sender, int &imageIndex)>;
Q_DECLARE_METATYPE(TGetImageIndexEvent)
// OnCheckDrawRequiredState: may change whether the required mark shows. The
// same function type as TButtonClickEvent.
using TOnCheckDrawRequiredStateEvent = std::function<void(QObject *sender, bool &drawState)>;

// The value behind an edit that is bound to no data field: the stored value,
// and whether the edit is being edited and has been changed since.
class TFieldDataLink {
public:
    QVariant storedValue() const { return m_stored; }
    bool isEditing() const { return m_editing; }
    bool isModified() const { return m_modified; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool canModify() const { return true; }

    // Enters edit state unless read-only; true while editing.
    bool beginEdit();
    void markModified() { m_modified = true; }
    // The edit renders the stored value again; not modified afterwards.
    void resetFromStored();
    // On focus exit: posts when modified, then leaves edit state.
    void updateRecord();
    // Stores value and renders it.
    void setValue(const QVariant &value);

    // What the edit does when told.
    std::function<void()> dataChanged;
    std::function<void()> editStateChanged;
    std::function<void()> update;

private:
    QVariant m_stored;
    bool m_editing = false;
    bool m_modified = false;
    bool m_readOnly = false;
};

// Earlier entries of an edit, most recent first. The edit adds its text on
// every post while the list is active and adds automatically; the drop-down
// that offers the entries is not built (no window of this program uses it).
class TMRUList {
public:
    bool active = false;
    bool autoAdd = true;
    bool caseSensitive = false;
    int limit = 100;
    int rows = 7;

    const QStringList &items() const { return m_items; }
    // Moves text to the front (once, compared as caseSensitive says), keeping limit entries.
    void add(const QString &text);
    // The entries that start with prefix, sorted, as the drop-down would list them.
    QStringList matching(const QString &prefix) const;

private:
    QStringList m_items;
};

// What the edit shows of its text while another control has the focus: it
// draws the text itself so that a right-aligned or centred text ends exactly
// at the button area.
struct TEditTextOption {
    QString text;
    QFont font;
    QColor background;
    QColor textColor;
    FlatStyle::TAlignment alignment = FlatStyle::taRightJustify;
    // Right edge of the text rectangle (exclusive), in the rectangle's coordinates.
    int textRight = 0;
    // Border plus the edit's left margin: the gap kept from the text rectangle's edges.
    int marginX = 0;
    // The required-value mark: a dotted red line along the bottom row.
    bool requiredMark = false;
};

// Where the text starts, in the text rectangle's coordinates.
int editTextStart(const TEditTextOption &option);

// Fills rect with the background and draws the text on the baseline the inner
// edit uses, so the text does not move when the focus arrives.
void drawEditText(QPainter &painter, const QRect &rect, const TEditTextOption &option);

// The dotted red line of a required value that is missing.
void PaintRequiredMark(QPainter &painter, const QRect &textArea);

// Everything the edit's own frame drawing depends on.
struct TEditFrameOption {
    bool ctl3D = true;
    bool flat = false;
    bool lit = false;
    TBorderStyle borderStyle = DataEdits::bsSingle;
    QColor color = Qt::white;
    std::vector<QRect> separators;
    // The image of the image area, drawn centred in imageArea inset by 2 and 1.
    QPixmap image;
    QRect imageArea;
};

// The border (flat: lit or dim; 3D; single) and the separator lines.
void drawEditFrame(QPainter &painter, const QRect &rect, const TEditFrameOption &option);

// A one-line edit over a value link, with a flat border, a button area at its
// right edge, and its own text drawing while not focused. The platform edit
// accepts changes only in edit state: typing, Delete, paste and cut enter it;
// leaving the control posts the value and renders it again.
class TCustomDBEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(FlatStyle::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AlwaysShowBorder READ alwaysShowBorder WRITE setAlwaysShowBorder)
    Q_PROPERTY(bool AutoSelect READ autoSelect WRITE setAutoSelect)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(DataEdits::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool Ctl3D READ ctl3D WRITE setCtl3D)
    Q_PROPERTY(bool Flat READ isFlat WRITE setFlat)
    Q_PROPERTY(bool HighlightRequired READ highlightRequired WRITE setHighlightRequired)
    Q_PROPERTY(QString PasswordChar READ passwordChar WRITE setPasswordChar)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool Tooltips READ tooltips WRITE setTooltips)
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(TNotifyEvent OnDblClick READ onDblClick WRITE setOnDblClick)
    Q_PROPERTY(TContextPopupEvent OnContextPopup READ onContextPopup WRITE setOnContextPopup)
    Q_PROPERTY(TKeyEvent OnKeyDown READ onKeyDown WRITE setOnKeyDown)
    Q_PROPERTY(TKeyPressEvent OnKeyPress READ onKeyPress WRITE setOnKeyPress)
    Q_PROPERTY(TKeyEvent OnKeyUp READ onKeyUp WRITE setOnKeyUp)
    Q_PROPERTY(TUpdateDataEvent OnUpdateData READ onUpdateData WRITE setOnUpdateData)
    Q_PROPERTY(TButtonDownEvent OnButtonDown READ onButtonDown WRITE setOnButtonDown)
    Q_PROPERTY(TButtonClickEvent OnButtonClick READ onButtonClick WRITE setOnButtonClick)
    Q_PROPERTY(TGetImageIndexEvent OnGetImageIndex READ onGetImageIndex WRITE setOnGetImageIndex)
    Q_PROPERTY(TOnCheckDrawRequiredStateEvent OnCheckDrawRequiredState READ onCheckDrawRequiredState
                   WRITE setOnCheckDrawRequiredState)

public:
    explicit TCustomDBEdit(QWidget *parent = nullptr);
    ~TCustomDBEdit() override;

    QString text() const;
    // Sets the text and posts it; when the post raises, the stored value is
    // rendered again and the exception passes on.
    void setText(const QString &text);

    FlatStyle::TAlignment alignment() const { return m_alignment; }
    void setAlignment(FlatStyle::TAlignment alignment);
    bool alwaysShowBorder() const { return m_alwaysShowBorder; }
    void setAlwaysShowBorder(bool always);
    // Select all text on focus entry (not on entry by a left-button click).
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect);
    // Height follows the font: its character height plus the border allowance.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle style);
    bool ctl3D() const { return m_ctl3D; }
    void setCtl3D(bool ctl3D);
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    bool highlightRequired() const { return m_highlightRequired; }
    void setHighlightRequired(bool highlight);
    // Empty, or the one character shown for every character of the text.
    QString passwordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString &character);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // A hint with the whole text when it does not fit the text area.
    bool tooltips() const { return m_tooltips; }
    void setTooltips(bool tooltips);
    // Text colour: the palette's Text, which the inner edit inherits.
    void setFontColor(TColor color);
    // The image list of the image at the left edge (empty: no image area),
    // and the width set for its images (0: the list's own).
    QList<QPixmap> images() const { return m_images; }
    void setImages(const QList<QPixmap> &images, int imageWidth = 0);
    int imageAreaWidth() const { return m_imageAreaWidth; }
    // The index OnGetImageIndex gives (-1: none).
    int imageIndex() const;

    TNotifyEvent onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent &handler) { m_onClick = handler; }
    TNotifyEvent onDblClick() const { return m_onDblClick; }
    void setOnDblClick(const TNotifyEvent &handler) { m_onDblClick = handler; }
    TContextPopupEvent onContextPopup() const { return m_onContextPopup; }
    void setOnContextPopup(const TContextPopupEvent &handler) { m_onContextPopup = handler; }
    // First step of every key press; setting key to 0 discards it.
    TKeyEvent onKeyDown() const { return m_onKeyDown; }
    void setOnKeyDown(const TKeyEvent &handler) { m_onKeyDown = handler; }
    // Every typed character, before the control's own checks. Backspace comes
    // as QChar(8), Enter as QChar(13), Escape as QChar(27), Ctrl+V as
    // QChar(22), Ctrl+Backspace as QChar(127).
    TKeyPressEvent onKeyPress() const { return m_onKeyPress; }
    void setOnKeyPress(const TKeyPressEvent &handler) { m_onKeyPress = handler; }
    // A key released while the control has the focus; setting key to 0 discards it.
    TKeyEvent onKeyUp() const { return m_onKeyUp; }
    void setOnKeyUp(const TKeyEvent &handler) { m_onKeyUp = handler; }
    TUpdateDataEvent onUpdateData() const { return m_onUpdateData; }
    void setOnUpdateData(const TUpdateDataEvent &handler) { m_onUpdateData = handler; }
    // Every press and auto-repeat of the main button, before the step; the
    // sender is the button's control.
    TButtonDownEvent onButtonDown() const { return m_onButtonDown; }
    void setOnButtonDown(const TButtonDownEvent &handler) { m_onButtonDown = handler; }
    // The main button released while it still shows pressed, unless its own
    // OnClick or action handled the click; the sender is the button's control.
    TButtonClickEvent onButtonClick() const { return m_onButtonClick; }
    void setOnButtonClick(const TButtonClickEvent &handler) { m_onButtonClick = handler; }
    TGetImageIndexEvent onGetImageIndex() const { return m_onGetImageIndex; }
    void setOnGetImageIndex(const TGetImageIndexEvent &handler) { m_onGetImageIndex = handler; }
    TOnCheckDrawRequiredStateEvent onCheckDrawRequiredState() const
    {
        return m_onCheckDrawRequiredState;
    }
    void setOnCheckDrawRequiredState(const TOnCheckDrawRequiredStateEvent &handler)
    {
        m_onCheckDrawRequiredState = handler;
    }

    // The main button (hidden until set otherwise) and the further buttons.
    TEditButton *editButton() const { return m_button; }
    TEditButtonCollection *editButtons() const { return m_buttons; }
    // The drawn main button (slot 0) or further button i (slot i).
    TEditButtonControl *editButtonControl(int slot = 0) const { return m_slots.at(slot).control; }
    int buttonAreaWidth() const { return m_buttonAreaWidth; }
    // The client area without the button area.
    QRect textArea() const;
    QLineEdit *lineEdit() const { return m_edit; }
    TFieldDataLink &valueLink() { return m_link; }
    TMRUList &mruList() { return m_mru; }

    void selectAll();
    // The border shows lit (focus, pointer over the control, or always).
    bool borderLit() const { return m_borderLit; }
    // True while the control draws its text itself (not focused, not left-aligned).
    bool drawsOwnText() const;
    TEditTextOption textOption() const;
    TEditFrameOption frameOption() const;
    // The height AutoSize gives for the current font.
    int heightForFont() const;

signals:
    // OnMouseDown: a press on the text area, after the edit has taken the
    // focus and placed the caret; pos is in this control's coordinates.
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseMove(Qt::MouseButtons buttons, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);
    // OnChange: after every change of the text, the control's own changes included.
    void changed();
    // Text's change, once the text has settled (after the control's own
    // regrouping of a typed number, not before it).
    void textChanged(const QString &text);
    // OnEnter, OnExit: focus entry and exit (exit comes before the post).
    void entered();
    void exited();

protected:
    // Hooks of the descendants.
    virtual void applyText(const QString &text);
    virtual void postToLink();
    virtual void renderStored();
    virtual bool isValidKey(QChar key) const;
    virtual void handleButtonPress(bool isDownButton);
    virtual bool canPressButton() const;
    // The key-down step; true discards the key.
    virtual bool keyDownStep(QKeyEvent *event);
    // The character step; a key set to QChar() is discarded.
    virtual void characterStep(QChar &key);
    // The platform edit's text changed (by the user or the program).
    virtual void textChangeStep();
    virtual bool wheelStep(QWheelEvent *event);
    // The platform's paste: enters edit state first.
    virtual void paste();
    // A paste of whatever insert puts in (the clipboard, a dropped text).
    virtual void pasteWith(const std::function<void()> &insert);
    // Whether a whole text may stand, as typing would have let it (undo, redo).
    virtual bool isValidText(const QString &text) const;

    // Replaces the main button (a descendant's own kind).
    void setMainButton(TEditButton *button);
    // Posts the value: OnUpdateData, then the link unless handled.
    void postValue();
    // Posts an assigned text or value, unless OnUpdateData is running; when
    // the post raises, the stored value is rendered again and the exception
    // passes on.
    void postAssigned();
    void resetFromStored() { m_link.resetFromStored(); }
    bool beginEdit();
    bool inFocus() const { return m_inFocus; }
    // Writes the platform edit's text without running the text-change hook.
    void setTextInternally(const QString &text);
    bool settingTextInternally() const { return m_settingText; }
    void updateReadOnlyState();
    void buttonsChanged();

    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class TInnerEdit;
    bool handleKeyPress(QKeyEvent *event);
    // A character that arrives other than by a key press: the character step, then the edit.
    void typeCharacter(QChar key);
    void undoStep(bool redo);
    bool handleDrop(QDropEvent *event);
    bool handleInputMethod(QInputMethodEvent *event);
    void handleFocusIn(QFocusEvent *event);
    void handleFocusOut(QFocusEvent *event);
    void leaveFocus();
    void onEditTextChanged();
    void updateTextMargins();
    void layoutEditButtons();
    void refreshButtonStates();
    void refreshBorder();
    void fitHeightToFont();
    void updateToolTip();
    void keepTextLookWhileContainerDisabled();
    const TEditButton *buttonOfSlot(int slot) const;
    void buttonPressed(int slot, bool topButton, bool &autoRepeat);
    void buttonClicked(int slot);
    int borderWidth() const;
    bool requiredMarkShows() const;
    void showContextMenu(const QPoint &globalPos);

    QLineEdit *m_edit = nullptr;
    TFieldDataLink m_link;
    TMRUList m_mru;
    TEditButton *m_button = nullptr;
    TEditButtonCollection *m_buttons = nullptr;
    struct ButtonSlot {
        TEditButtonControl *control = nullptr;
        QRect separator;
    };
    std::vector<ButtonSlot> m_slots;
    int m_buttonAreaWidth = 0;
    QList<QPixmap> m_images;
    int m_imageWidth = 0;
    int m_imageAreaWidth = 0;

    FlatStyle::TAlignment m_alignment = FlatStyle::taLeftJustify;
    TBorderStyle m_borderStyle = DataEdits::bsSingle;
    QString m_passwordChar;
    bool m_alwaysShowBorder = false;
    bool m_autoSelect = true;
    bool m_autoSize = true;
    bool m_ctl3D = true;
    bool m_flat = false;
    bool m_highlightRequired = false;
    bool m_readOnly = false;
    bool m_tooltips = false;
    bool m_inFocus = false;
    bool m_inUpdateData = false;
    bool m_settingText = false;
    bool m_pointerInside = false;
    bool m_borderLit = false;
    bool m_forwardingPress = false;
    bool m_forwardingEvent = false;
    bool m_clickPressed = false; // a left press on the text area that a release would make a click
    TNotifyEvent m_onClick;
    TNotifyEvent m_onDblClick;
    TContextPopupEvent m_onContextPopup;
    TKeyEvent m_onKeyDown;
    TKeyPressEvent m_onKeyPress;
    TKeyEvent m_onKeyUp;
    TUpdateDataEvent m_onUpdateData;
    TButtonDownEvent m_onButtonDown;
    TButtonClickEvent m_onButtonClick;
    TGetImageIndexEvent m_onGetImageIndex;
    TOnCheckDrawRequiredStateEvent m_onCheckDrawRequiredState;
    bool m_holdingChange = false;
    bool m_heldChange = false;
    Qt::MouseButton m_pressButton = Qt::NoButton;
    // The text textChanged told last.
    QString m_notifiedText;
};
