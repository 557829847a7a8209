#pragma once

#include "draw/draw_history.h"
#include "draw/draw_log.h"
#include "draw/draw_state.h"
#include "draw/rolling_pick.h"
#include "window/form_geometry.h"
#include "window/form_services.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>

class FullScreenProjection;
class QAction;
class QMenu;
class QTimer;
class TDBNumberEdit;
class TFlatButton;
class TFlatPanel;
class TImage;
class TLabel;
class TListBox;
class TLookGroupBox;
class TLookRadioButton;
class TPanel;
class TStatusBar;

// The program's one window: the controls as named fields and one handler per event.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(FormServices services, QWidget *parent = nullptr);
    ~TForm1() override;

    draw::DrawState &state() { return m_state; }
    const draw::DrawState &state() const { return m_state; }
    const FormGeometry &geometry() const { return m_geometry; }

    // Tier k's radio button and count label (k = 1…6).
    TLookRadioButton *tierButton(int k) const { return m_tierButtons.at(k - 1); }
    TLabel *tierLabel(int k) const { return m_tierLabels.at(k - 1); }

    // Top bar
    TPanel *Panel8 = nullptr;
    TLabel *Label1 = nullptr;
    TLabel *Label4 = nullptr;
    TLabel *Label5 = nullptr;
    TLabel *Label6 = nullptr;
    TLabel *Label7 = nullptr;
    TLabel *Label8 = nullptr;
    TLookRadioButton *RadioButton1 = nullptr;
    TLookRadioButton *RadioButton2 = nullptr;
    TLookRadioButton *RadioButton3 = nullptr;
    TLookRadioButton *RadioButton4 = nullptr;
    TLookGroupBox *GroupBox3 = nullptr;
    TLabel *Label3 = nullptr;
    TLabel *Label2 = nullptr;
    TFlatButton *Button3 = nullptr;
    TDBNumberEdit *SpinEdit1 = nullptr;
    TLookRadioButton *RadioButton5 = nullptr;
    TLookRadioButton *RadioButton6 = nullptr;
    // Display area
    TPanel *Panel18 = nullptr;
    TImage *Image1 = nullptr;
    TLabel *StaticText1 = nullptr;
    TLookGroupBox *GroupBox1 = nullptr;
    TFlatButton *Button1 = nullptr;
    TFlatButton *FlatButton1 = nullptr;
    // Roster column
    TLookGroupBox *GroupBox2 = nullptr;
    TPanel *Panel4 = nullptr;
    TListBox *ListBox1 = nullptr;
    TFlatPanel *Label13 = nullptr;
    TStatusBar *StatusBar1 = nullptr;
    // Non-visual
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *N1 = nullptr;
    QAction *N7 = nullptr;
    QAction *N6 = nullptr;
    QAction *N4 = nullptr;
    QAction *N2 = nullptr;
    QAction *N5 = nullptr;
    QAction *N3 = nullptr;
    QAction *N8 = nullptr; // separator before the draw corrections
    QAction *N9 = nullptr; // undo the last draw
    QAction *N10 = nullptr; // void winners

    // Startup and resume
    void FormCreate();
    void FormShow();
    void FormResize();
    // Draw cycle
    void Button1Click();
    void Timer1Timer();
    void Timer2Timer();
    void FlatButton1Click();
    void FormKeyUp(int key);
    void Label13Click();
    void SpinEdit1KeyPress(QChar &key);
    void SpinEdit1MouseDown();
    // Roster commands
    void N1Click();
    void N2Click();
    void N6Click();
    void Button3Click();
    // Draw corrections
    void N9Click();
    void N10Click();
    // Enables the correction items for the state the menu opens in.
    void PopupMenu1Popup();

    // The rolling state, carried by Button1's caption.
    bool rolling() const;

    // Runs a handler as its event does: a failure ends it and is shown in the error box.
    void handle(void (TForm1::*handler)());

    // F11: full-screen projection of the scaled design, and back (window/full_screen.h).
    void toggleFullScreen();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class FullScreenProjection; // swaps the layout's geometry while projecting

    // Runs a handler; a failure ends it and is shown in the error box.
    void guarded(const std::function<void()> &handler);

    void applyFocusRule();
    void raiseGroupSizeToOne();
    // Disables a control; when it holds the focus, the focus goes to the window itself.
    void disableKeepingKeys(QWidget *control);
    void refreshRosterCountText();
    void showDisplayText();
    // Shows the display text now, or at the next screen frame if one was shown
    // less than a frame ago: a tick every millisecond repaints with the screen.
    void showDisplayTextAtFrame();
    int frameInterval() const;
    void showTiers();
    void saveWinners();
    void applyGeometry();
    void connectHandlers();
    void loadBackground(const std::string &fileName);
    void fillFromDrawFolder();
    void loadRosterAndConfiguration();
    void nameTiers();
    // After a startup failure that leaves the draw state incomplete.
    void stopStart(const char *reason);
    // The draw log, kept when the draw folder holds its file.
    void openDrawLog();
    void logRunStart();
    // Appends an event to the draw log; a failure is shown once, after the handler.
    void logEvent(const std::function<std::string(std::string_view time)> &text);
    void reportLogFailure(const std::exception &failure);
    int checkedTier() const;

    FormServices m_services;
    draw::DrawState m_state;
    std::string m_display; // GBK; shown in StaticText1
    draw::RollingPick m_pick;
    FormGeometry m_geometry;
    std::array<TLookRadioButton *, draw::kTierSlots> m_tierButtons{};
    std::array<TLabel *, draw::kTierSlots> m_tierLabels{};
    bool m_shownOnce = false;
    bool m_startStopped = false; // the draw state could not be read whole
    QTimer *m_displayFrame = nullptr;
    FullScreenProjection *m_fullScreen = nullptr; // a child of the window
    QElapsedTimer m_displayShown;
    draw::DrawHistory m_history; // this run's committed draws, for undo
    std::optional<draw::DrawLog> m_log;
    bool m_logFailureShown = false;
};
