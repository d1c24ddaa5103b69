#include "SideUnit.h"

#include <initializer_list>
#include <tuple>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Board.h"
#include "DialogIcons.h"

namespace reversi {

namespace {

// Width of the narrow group boxes; the wide ones take two of them.
constexpr int BoxWidth = 150;

template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox* NewBox(QWidget* page, const char* name) {
    auto* box = Named(new QGroupBox(page), name);
    box->setMinimumWidth(BoxWidth);
    return box;
}

QComboBox* NewList(QGroupBox* box, const char* name) {
    auto* list = Named(new QComboBox(box), name);
    list->setEditable(false);
    list->setCursor(Qt::PointingHandCursor);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(list);
    return list;
}

void Fill(QComboBox* list, std::initializer_list<const char*> items) {
    for (const char* item : items) list->addItem(QString::fromLatin1(item));
}

// Selects index, or nothing when the list has no such item.
void Select(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// The list's index, or fallback when nothing is selected.
int IndexOr(const QComboBox* list, int fallback) {
    const int index = list->currentIndex();
    return index >= 0 ? index : fallback;
}

}  // namespace

TSideDlg::TSideDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    CreateControls();
    SetCaptions();
    FillCombos();
    SetValues(Settings{});
    PageControl1->setCurrentIndex(0);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TSideDlg::CreateControls() {
    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    PageControl1->tabBar()->setCursor(Qt::PointingHandCursor);

    // First page: the opponent and the player's colour.
    TabSheet1 = Named(new QWidget, "TabSheet1");
    GroupBox1 = NewBox(TabSheet1, "GroupBox1");
    RadioButton1 = Named(new QRadioButton(GroupBox1), "RadioButton1");
    RadioButton2 = Named(new QRadioButton(GroupBox1), "RadioButton2");
    GroupBox2 = NewBox(TabSheet1, "GroupBox2");
    RadioButton3 = Named(new QRadioButton(GroupBox2), "RadioButton3");
    RadioButton4 = Named(new QRadioButton(GroupBox2), "RadioButton4");
    for (auto [box, left, right] : {std::tuple{GroupBox1, RadioButton1, RadioButton2},
                                    std::tuple{GroupBox2, RadioButton3, RadioButton4}}) {
        auto* row = new QHBoxLayout(box);
        row->addWidget(left, 1);
        row->addWidget(right, 1);
    }
    auto* page1 = new QVBoxLayout(TabSheet1);
    page1->addWidget(GroupBox1);
    page1->addWidget(GroupBox2);
    page1->addStretch();

    // Second page: level, engine and field size.
    TabSheet2 = Named(new QWidget, "TabSheet2");
    GroupBox3 = NewBox(TabSheet2, "GroupBox3");
    ComboBox5 = NewList(GroupBox3, "ComboBox5");
    GroupBox9 = NewBox(TabSheet2, "GroupBox9");
    ComboBox2 = NewList(GroupBox9, "ComboBox2");
    GroupBox4 = NewBox(TabSheet2, "GroupBox4");
    RadioButton7 = Named(new QRadioButton(GroupBox4), "RadioButton7");
    RadioButton8 = Named(new QRadioButton(GroupBox4), "RadioButton8");
    auto* sizes = new QHBoxLayout(GroupBox4);
    sizes->addWidget(RadioButton7, 1);
    sizes->addWidget(RadioButton8, 1);
    auto* page2 = new QGridLayout(TabSheet2);
    page2->addWidget(GroupBox3, 0, 0);
    page2->addWidget(GroupBox9, 0, 1);
    page2->addWidget(GroupBox4, 1, 0, 1, 2);
    page2->setRowStretch(2, 1);

    // Third page: the look styles.
    TabSheet3 = Named(new QWidget, "TabSheet3");
    GroupBox5 = NewBox(TabSheet3, "GroupBox5");
    ComboBox1 = NewList(GroupBox5, "ComboBox1");
    GroupBox10 = NewBox(TabSheet3, "GroupBox10");
    ComboBox3 = NewList(GroupBox10, "ComboBox3");
    GroupBox7 = NewBox(TabSheet3, "GroupBox7");
    ComboBox4 = NewList(GroupBox7, "ComboBox4");
    GroupBox6 = NewBox(TabSheet3, "GroupBox6");
    ComboBox6 = NewList(GroupBox6, "ComboBox6");
    auto* page3 = new QGridLayout(TabSheet3);
    page3->addWidget(GroupBox5, 0, 0);
    page3->addWidget(GroupBox10, 0, 1);
    page3->addWidget(GroupBox7, 1, 0);
    page3->addWidget(GroupBox6, 1, 1);
    page3->setRowStretch(2, 1);

    // Fourth page: the switches.
    TabSheet4 = Named(new QWidget, "TabSheet4");
    GroupBox11 = NewBox(TabSheet4, "GroupBox11");
    CheckBox1 = Named(new QCheckBox(GroupBox11), "CheckBox1");
    CheckBox6 = Named(new QCheckBox(GroupBox11), "CheckBox6");
    CheckBox2 = Named(new QCheckBox(GroupBox11), "CheckBox2");
    CheckBox3 = Named(new QCheckBox(GroupBox11), "CheckBox3");
    auto* switches = new QVBoxLayout(GroupBox11);
    for (auto* box : {CheckBox1, CheckBox6, CheckBox2, CheckBox3}) switches->addWidget(box);
    switches->addStretch();
    GroupBox8 = NewBox(TabSheet4, "GroupBox8");
    CheckBox4 = Named(new QCheckBox(GroupBox8), "CheckBox4");
    CheckBox5 = Named(new QCheckBox(GroupBox8), "CheckBox5");
    auto* marks = new QVBoxLayout(GroupBox8);
    marks->addWidget(CheckBox4);
    marks->addWidget(CheckBox5);
    marks->addStretch();
    auto* page4 = new QHBoxLayout(TabSheet4);
    page4->addWidget(GroupBox11, 1);
    page4->addWidget(GroupBox8, 1);

    for (auto* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4}) PageControl1->addTab(page, {});

    BitBtn1 = Named(new QPushButton(this), "BitBtn1");
    SetGlyph(*BitBtn1, DialogGlyph::Ok);
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton(this), "BitBtn2");
    SetGlyph(*BitBtn2, DialogGlyph::Cancel);
    // Enter on any control, the Cancel button included, confirms (keyPressEvent).
    BitBtn2->setAutoDefault(false);
    for (auto* button : {BitBtn1, BitBtn2}) button->setMinimumWidth(87);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(17);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(7, 5, 7, 8);
    form->addWidget(PageControl1);
    form->addLayout(buttons);

    for (auto* button :
         {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton7, RadioButton8}) {
        button->setCursor(Qt::PointingHandCursor);
    }
    for (auto* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6}) {
        box->setCursor(Qt::PointingHandCursor);
    }
    // The colour matters only against the computer.
    connect(RadioButton1, &QRadioButton::toggled, this, [this] { UpdateColourButtons(); });
}

void TSideDlg::SetCaptions() {
    setWindowTitle(QStringLiteral("Settings"));
    BitBtn1->setText(QStringLiteral("Ok"));
    BitBtn2->setText(QStringLiteral("Cancel"));
    PageControl1->setTabText(0, QStringLiteral("Opponent"));
    PageControl1->setTabText(1, QStringLiteral("Level"));
    PageControl1->setTabText(2, QStringLiteral("Media"));
    PageControl1->setTabText(3, QStringLiteral("Advanced"));
    GroupBox1->setTitle(QStringLiteral("Opponent"));
    GroupBox2->setTitle(QStringLiteral("You play"));
    GroupBox3->setTitle(QStringLiteral("Computer level"));
    GroupBox4->setTitle(QStringLiteral("Field size"));
    GroupBox5->setTitle(QStringLiteral("Figures"));
    GroupBox6->setTitle(QStringLiteral("Border"));
    GroupBox7->setTitle(QStringLiteral("Cursor"));
    GroupBox8->setTitle(QStringLiteral("On right mouse click show"));
    GroupBox9->setTitle(QStringLiteral("Engine"));
    GroupBox10->setTitle(QStringLiteral("Help"));
    GroupBox11->setTitle(QStringLiteral("Advanced settings"));
    RadioButton1->setText(QStringLiteral("Computer"));
    RadioButton2->setText(QStringLiteral("Player"));
    RadioButton7->setText(QStringLiteral("&8 x 8"));
    RadioButton8->setText(QStringLiteral("&10 x 10"));
    CheckBox1->setText(QStringLiteral("Sound"));
    CheckBox2->setText(QStringLiteral("Animation"));
    CheckBox3->setText(QStringLiteral("Use SysTray"));
    CheckBox4->setText(QStringLiteral("Previous move"));
    CheckBox5->setText(QStringLiteral("Available moves"));
    CheckBox6->setText(QStringLiteral("Music"));
}

void TSideDlg::FillCombos() {
    Fill(ComboBox1, {"Zorel Amber"});
    Fill(ComboBox2, {"Normal", "Advanced"});
    Fill(ComboBox3, {"Zorel Help"});
    Fill(ComboBox4, {"Classic Cursor", "Flaming Cursor"});
    Fill(ComboBox5, {"0-baby", "1-kiddy", "2-pupil", "3-teenager", "4-student", "5-able pupil",
                     "6-skilled", "7-boss", "8-president", "9-Merlin"});
    Fill(ComboBox6, {"Hidden Power", "Dark Place"});
}

void TSideDlg::SetValues(const Settings& settings) {
    (settings.VsComputer ? RadioButton1 : RadioButton2)->setChecked(true);
    Select(ComboBox5, settings.Level());
    (settings.ComputerSide == CellBlack ? RadioButton3 : RadioButton4)->setChecked(true);
    CheckBox1->setChecked(settings.SoundEffectsOn);
    CheckBox2->setChecked(settings.AnimationOn);
    CheckBox3->setChecked(settings.UseSysTray);
    CheckBox6->setChecked(settings.MusicOn);
    Select(ComboBox1, settings.FiguresStyle);
    (settings.BoardSize == 10 ? RadioButton8 : RadioButton7)->setChecked(true);
    Select(ComboBox2, settings.AdvancedEngine ? 1 : 0);
    CheckBox4->setChecked(settings.ShowPreviousMove);
    CheckBox5->setChecked(settings.ShowAvailableMoves);
    Select(ComboBox4, settings.CursorStyle);
    Select(ComboBox3, settings.HelpStyle);
    Select(ComboBox6, settings.BoardBorderStyle);
    // The colour buttons follow the opponent only when its choice changed
    // (through the toggle of RadioButton1).
}

Settings TSideDlg::Values(const Settings& base) const {
    Settings values = base;
    values.SetLevel(IndexOr(ComboBox5, base.Level()));
    values.AdvancedEngine = IndexOr(ComboBox2, base.AdvancedEngine ? 1 : 0) == 1;
    values.MusicOn = CheckBox6->isChecked();
    values.SoundEffectsOn = CheckBox1->isChecked();
    values.AnimationOn = CheckBox2->isChecked();
    values.UseSysTray = CheckBox3->isChecked();
    values.ShowPreviousMove = CheckBox4->isChecked();
    values.ShowAvailableMoves = CheckBox5->isChecked();
    values.ComputerSide = RadioButton3->isChecked() ? CellBlack : CellWhite;
    values.VsComputer = RadioButton1->isChecked();
    values.BoardBorderStyle = IndexOr(ComboBox6, base.BoardBorderStyle);
    values.FiguresStyle = IndexOr(ComboBox1, base.FiguresStyle);
    values.CursorStyle = IndexOr(ComboBox4, base.CursorStyle);
    values.HelpStyle = IndexOr(ComboBox3, base.HelpStyle);
    values.BoardSize = RadioButton7->isChecked() ? 8 : 10;
    return values;
}

void TSideDlg::SetGameControlsEnabled(bool enabled) {
    gameControlsEnabled_ = enabled;
    // The colour buttons too, whatever the opponent: the opponent rule comes
    // back with the next change of the opponent choice.
    for (QWidget* control : std::initializer_list<QWidget*>{
             RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton7, RadioButton8,
             ComboBox5, ComboBox2, GroupBox1, GroupBox2, GroupBox3, GroupBox9}) {
        control->setEnabled(enabled);
    }
}

void TSideDlg::UpdateColourButtons() {
    const bool enabled = gameControlsEnabled_ && RadioButton1->isChecked();
    RadioButton3->setEnabled(enabled);
    RadioButton4->setEnabled(enabled);
}

void TSideDlg::showEvent(QShowEvent* e) {
    // The colour names follow the picture set, which may have changed.
    RadioButton3->setText(QStringLiteral("&") + names_.white);
    RadioButton4->setText(QStringLiteral("&") + names_.black);
    QDialog::showEvent(e);
}

void TSideDlg::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Escape:
            reject();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

}  // namespace reversi
