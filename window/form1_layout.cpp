#include "window/form1_layout.h"

#include "controls/edit_number.h"
#include "controls/flat_button.h"
#include "controls/flat_panel.h"
#include "controls/look_group_box.h"
#include "controls/look_radio_button.h"
#include "platform/fonts.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/palette_colors.h"
#include "platform/panel.h"
#include "platform/status_bar.h"
#include "window/unit1.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTimer>

#include <cstring>
#include <stdexcept>

namespace layout {
namespace {

using K = Kind;
using P = Placement;

// Control tree, geometry and order.
constexpr ControlRow kRows[] = {
    // name            class                parent       bounds at design        placement tab
    // visible
    {"Panel8", K::Panel, "Form1", {0, 0, 932, 46}, P::AlignTop, 0, true},
    {"Label1", K::Label, "Panel8", {105, 16, 14, 14}, P::LeftTop, -1, true},
    {"Label4", K::Label, "Panel8", {223, 16, 14, 14}, P::LeftTop, -1, false},
    {"Label5", K::Label, "Panel8", {341, 16, 14, 14}, P::LeftTop, -1, false},
    {"Label6", K::Label, "Panel8", {461, 16, 14, 14}, P::LeftTop, -1, false},
    {"Label7", K::Label, "Panel8", {581, 16, 14, 14}, P::LeftTop, -1, false},
    {"Label8", K::Label, "Panel8", {701, 16, 14, 14}, P::LeftTop, -1, false},
    {"RadioButton1", K::LookRadioButton, "Panel8", {11, 10, 94, 25}, P::LeftTop, 0, true},
    {"RadioButton2", K::LookRadioButton, "Panel8", {128, 10, 94, 25}, P::LeftTop, 1, false},
    {"RadioButton3", K::LookRadioButton, "Panel8", {246, 10, 94, 25}, P::LeftTop, 2, false},
    {"RadioButton4", K::LookRadioButton, "Panel8", {365, 10, 94, 25}, P::LeftTop, 3, false},
    {"GroupBox3", K::LookGroupBox, "Panel8", {618, 0, 313, 46}, P::AnchorRight, 4, true},
    {"Label3", K::Label, "GroupBox3", {10, 14, 95, 19}, P::LeftTop, -1, true},
    {"Label2", K::Label, "GroupBox3", {158, 13, 19, 19}, P::LeftTop, -1, true},
    {"Button3", K::FlatButton, "GroupBox3", {185, 9, 112, 28}, P::LeftTop, 0, true},
    {"SpinEdit1", K::NumberEdit, "GroupBox3", {105, 12, 44, 22}, P::LeftTop, 1, true},
    {"RadioButton5", K::LookRadioButton, "Panel8", {485, 10, 94, 25}, P::LeftTop, 5, false},
    {"RadioButton6", K::LookRadioButton, "Panel8", {605, 10, 94, 25}, P::LeftTop, 6, false},
    {"Panel18", K::Panel, "Form1", {0, 46, 932, 605}, P::AlignClient, 1, true},
    {"Image1", K::Image, "Panel18", {56, 64, 593, 489}, P::NotAnchored, -1, true},
    {"StaticText1", K::Label, "Panel18", {9, 17, 608, 328}, P::LeftTop, -1, true},
    {"GroupBox1", K::LookGroupBox, "Panel18", {68, 450, 585, 137}, P::NotAnchored, 0, true},
    {"Button1", K::FlatButton, "GroupBox1", {160, 62, 241, 75}, P::LeftTop, 0, true},
    {"FlatButton1", K::FlatButton, "GroupBox1", {416, 94, 73, 43}, P::LeftTop, 1, true},
    {"GroupBox2", K::LookGroupBox, "Panel18", {738, 1, 193, 603}, P::AlignRight, 1, true},
    {"Panel4", K::Panel, "GroupBox2", {11, 29, 175, 503}, P::LeftTop, 0, true},
    {"ListBox1", K::ListBox, "Panel4", {1, 1, 173, 501}, P::LeftTop, 0, true},
    {"Label13", K::FlatPanel, "GroupBox2", {11, 5, 174, 27}, P::LeftTop, 1, true},
    {"StatusBar1", K::StatusBar, "Form1", {0, 651, 932, 22}, P::AlignBottom, -1, true},
};

constexpr TColor kTopBarColor = 0xFDE1D0; // RGB 208,225,253
constexpr TColor kFaceColor = 0xFEEFE7; // RGB 231,239,254
constexpr TColor kClientColor = 0xEFEFEF; // RGB 239,239,239
// Text that the layout sets on its own light colours (the top bar, the button
// faces, the roster's white) takes the window text colour of the desktop the
// design was made on: a dark desktop's light text would vanish there.
constexpr TColor kClassicText = clBlack;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QFont font(const char *name, int height, bool bold = false)
{
    return layoutFont(text(name), height, bold);
}

// The window's group boxes only hold controls: see-through, no border, no shadow.
void invisibleContainer(TLookGroupBox *box)
{
    box->setTransparent(true);
    box->setEdges({});
    box->setShadow(false);
    box->setTransparentBorder(false);
    box->setCtl3D(false);
    box->panelStyle()->setOfficeBackgroundKind(LookGroupBoxes::pobkStyleColor);
}

template<class T> T *make(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(text(name));
    const ControlRow &r = row(name);
    w->setGeometry(r.bounds);
    return w;
}

} // namespace

const ControlRow *controlRows(int *count)
{
    *count = int(std::size(kRows));
    return kRows;
}

const ControlRow &row(const char *name)
{
    for (const ControlRow &r : kRows)
        if (std::strcmp(r.name, name) == 0)
            return r;
    throw std::logic_error(std::string("no layout row ") + name);
}

QRect designBounds(const char *name)
{
    return row(name).bounds;
}

void build(TForm1 &f)
{
    // Window: "MS Sans Serif" 11 pixels, button-face colour.
    f.setFont(font("MS Sans Serif", -11));
    f.setAutoFillBackground(true);
    setPaletteColor(&f, QPalette::Window, clBtnFace);
    setPaletteColor(&f, QPalette::WindowText, clWindowText);

    // Top bar.
    f.Panel8 = make<TPanel>(&f, "Panel8");
    f.Panel8->setFont(font("新宋体", -14));
    f.Panel8->setColor(kTopBarColor);
    f.Panel8->setBevelOuter(bvLowered);
    f.Panel8->setBevelInner(bvRaised);
    f.Panel8->setBevelWidth(1);

    TLabel **countLabels[] = {&f.Label1, &f.Label4, &f.Label5, &f.Label6, &f.Label7, &f.Label8};
    const char *countNames[] = {"Label1", "Label4", "Label5", "Label6", "Label7", "Label8"};
    for (int i = 0; i < 6; ++i) {
        TLabel *l = make<TLabel>(f.Panel8, countNames[i]);
        l->setFont(font("新宋体", -14));
        l->setFontColor(clBlue);
        l->setTransparent(true);
        l->setAutoSize(true);
        l->setCaption(QStringLiteral("00"));
        *countLabels[i] = l;
    }

    auto radio = [&](const char *name, const char *caption) {
        auto *b = make<TLookRadioButton>(f.Panel8, name);
        b->setFont(font("黑体", -24));
        b->setFontColor(kClassicText);
        b->setTransparent(true);
        b->setCaption(text(caption));
        return b;
    };
    f.RadioButton1 = radio("RadioButton1", "特等奖");
    f.RadioButton2 = radio("RadioButton2", "一等奖");
    f.RadioButton3 = radio("RadioButton3", "二等奖");
    f.RadioButton4 = radio("RadioButton4", "三等奖");

    f.GroupBox3 = make<TLookGroupBox>(f.Panel8, "GroupBox3");
    invisibleContainer(f.GroupBox3);

    f.Label3 = make<TLabel>(f.GroupBox3, "Label3");
    f.Label3->setFont(font("黑体", -19));
    f.Label3->setFontColor(kClassicText);
    f.Label3->setTransparent(false);
    f.Label3->setColor(kTopBarColor); // opaque in its parent's colour, the top bar's
    f.Label3->setAutoSize(true);
    f.Label3->setCaption(text("本次选出："));

    f.Label2 = make<TLabel>(f.GroupBox3, "Label2");
    f.Label2->setFont(font("黑体", -19));
    f.Label2->setFontColor(kClassicText);
    f.Label2->setTransparent(true);
    f.Label2->setAutoSize(true);
    f.Label2->setCaption(text("人"));

    f.Button3 = make<TFlatButton>(f.GroupBox3, "Button3");
    f.Button3->setFont(font("新宋体", -12));
    f.Button3->setFontColor(kClassicText);
    f.Button3->setColorBorder(clGray);
    f.Button3->setColorFlat(kFaceColor);
    f.Button3->setLayout(FlatStyle::blGlyphLeft);
    f.Button3->setGlyph(QImage(QStringLiteral(":/pictures/button3_glyph.bmp")));
    f.Button3->setCaption(text("查看获奖名单"));

    f.SpinEdit1 = make<TDBNumberEdit>(f.GroupBox3, "SpinEdit1");
    f.SpinEdit1->setFont(font("新宋体", -16, true));
    f.SpinEdit1->setFontColor(clWindowText); // on the edit's own clWindow
    f.SpinEdit1->editButton()->setStyle(EditTools::ebsUpDown);
    f.SpinEdit1->editButton()->setVisible(true);
    // Laid out for the designed desktop: a 16-pixel system font, 17-pixel scroll bars.
    f.SpinEdit1->editButton()->setWidth(FlatButtonWidth(16, 17));
    f.SpinEdit1->setFlat(true);
    f.SpinEdit1->setCtl3D(true);
    f.SpinEdit1->setMaxValue(999);
    f.SpinEdit1->setMinValue(1);
    f.SpinEdit1->setValue(5.0);

    f.RadioButton5 = radio("RadioButton5", "四等奖");
    f.RadioButton6 = radio("RadioButton6", "五等奖");
    f.RadioButton1->setChecked(true);

    // Display area.
    f.Panel18 = make<TPanel>(&f, "Panel18");
    f.Panel18->setColor(kClientColor);
    f.Panel18->setBevelOuter(bvNone);
    f.Panel18->setBevelInner(bvLowered);
    f.Panel18->setBevelWidth(1);

    f.Image1 = make<TImage>(f.Panel18, "Image1");
    f.Image1->setTransparent(true);
    f.Image1->setPicture(QImage(QStringLiteral(":/pictures/background.bmp")));

    f.StaticText1 = make<TLabel>(f.Panel18, "StaticText1");
    f.StaticText1->setFont(font("楷体_GB2312", -29, true));
    f.StaticText1->setFontColor(clRed);
    f.StaticText1->setTransparent(true);
    f.StaticText1->setWordWrap(true);
    f.StaticText1->setAutoSize(false);
    f.StaticText1->setCaption(text("澄岚幸运星 天天拿奖金"));

    f.GroupBox1 = make<TLookGroupBox>(f.Panel18, "GroupBox1");
    invisibleContainer(f.GroupBox1);

    f.Button1 = make<TFlatButton>(f.GroupBox1, "Button1");
    f.Button1->setFont(font("隶书", -56, true));
    f.Button1->setFontColor(clMaroon);
    f.Button1->setColorBorder(clGray);
    f.Button1->setColorFlat(kFaceColor);
    f.Button1->setLayout(FlatStyle::blGlyphLeft);
    f.Button1->setCaption(text("开始"));
    f.Button1->setToolTip(text("点这里开始抽奖"));

    f.FlatButton1 = make<TFlatButton>(f.GroupBox1, "FlatButton1");
    f.FlatButton1->setFont(font("宋体", -16, true));
    f.FlatButton1->setFontColor(clMaroon);
    f.FlatButton1->setColorBorder(clGray);
    f.FlatButton1->setColorFlat(kFaceColor);
    f.FlatButton1->setLayout(FlatStyle::blGlyphLeft);
    f.FlatButton1->setCaption(text("取消"));
    f.FlatButton1->setToolTip(text("取消正在进行的抽奖"));

    // Roster column.
    f.GroupBox2 = make<TLookGroupBox>(f.Panel18, "GroupBox2");
    invisibleContainer(f.GroupBox2);

    f.Panel4 = make<TPanel>(f.GroupBox2, "Panel4");
    f.Panel4->setColor(clBtnFace);
    f.Panel4->setBevelOuter(bvLowered);
    f.Panel4->setBevelInner(bvNone);
    f.Panel4->setBevelWidth(1);

    f.ListBox1 = make<TListBox>(f.Panel4, "ListBox1");
    f.ListBox1->setColor(clWhite);
    f.ListBox1->setFontColor(kClassicText);
    f.ListBox1->setItemHeight(13);

    f.Label13 = make<TFlatPanel>(f.GroupBox2, "Label13");
    f.Label13->setColorBorder(clGray);
    f.Label13->setColor(kFaceColor);
    f.Label13->setFontColor(kClassicText);
    f.Label13->setCaption(text("抽奖名单"));
    f.Label13->setToolTip(text("点这里可以屏蔽翻页键"));
    f.Label13->setTag(0);

    f.StatusBar1 = make<TStatusBar>(&f, "StatusBar1");
    f.StatusBar1->setPanelText(text("澄岚晚会抽奖软件 V3.4 · 祝各位来宾新春快乐，好运连连！"));
    f.StatusBar1->setSizeGripEnabled(true);

    // Visibility and tab order as tabled; graphic controls lie below windowed siblings.
    int count = 0;
    const ControlRow *rows = controlRows(&count);
    QList<QWidget *> graphics;
    for (int i = 0; i < count; ++i) {
        auto *w = f.findChild<QWidget *>(text(rows[i].name));
        w->setVisible(rows[i].visible);
        if (rows[i].tabOrder < 0)
            graphics.prepend(w);
        else
            w->raise(); // later siblings lie above earlier ones
    }
    for (QWidget *w : graphics)
        w->lower();

    // Non-visual components.
    f.Timer1 = new QTimer(&f);
    f.Timer1->setObjectName(QStringLiteral("Timer1"));
    f.Timer1->setInterval(1);
    f.Timer1->setTimerType(Qt::PreciseTimer);
    f.Timer2 = new QTimer(&f);
    f.Timer2->setObjectName(QStringLiteral("Timer2"));
    f.Timer2->setInterval(2000);
    f.Timer2->setSingleShot(true);

    f.PopupMenu1 = new QMenu(&f);
    f.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    f.N1 = f.PopupMenu1->addAction(text("临时添加名单"));
    f.N7 = f.PopupMenu1->addSeparator();
    f.N6 = f.PopupMenu1->addAction(text("名单导出"));
    f.N4 = f.PopupMenu1->addSeparator();
    f.N2 = f.PopupMenu1->addAction(text("删除所选"));
    f.N5 = f.PopupMenu1->addSeparator();
    f.N3 = f.PopupMenu1->addAction(text("取消"));
    f.N8 = f.PopupMenu1->addSeparator();
    f.N9 = f.PopupMenu1->addAction(text("撤销上次抽奖"));
    f.N10 = f.PopupMenu1->addAction(text("作废中奖者…"));
}

} // namespace layout
