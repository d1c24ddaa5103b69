#include "DayTipUnit.h"

#include <array>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DialogIcons.h"

namespace reversi {

namespace {

constexpr std::array<const char*, TDayTipForm::TipCount> DayTipTexts = {
    "If you don't know what is Reversi (Othello) game or don't know how to start playing then "
    "you may close this Tip dialog and press <F1> button. Little help will be open...",
    "Just imagine! You can play with computer, your's friend sitting on the same computer or "
    "you can bring a friend from another side of the world by using network game...",
    "This realization of Reversi game has provide rich animated graphics. Look at MEDIA menu "
    "to choice your favorite style...",
    "You can save and load local games. Analize them and play better and better!",
    "You can see all local games statitics. Just go to Info menu and select statistics...",
};

const QColor Back(85, 74, 67);

QPalette Colours(QPalette palette, const QColor& text) {
    for (const auto role : {QPalette::Window, QPalette::Base}) palette.setColor(role, Back);
    for (const auto role : {QPalette::WindowText, QPalette::Text}) palette.setColor(role, text);
    return palette;
}

}  // namespace

TDayTipForm::TDayTipForm(bool showTips, int currentTip, QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(321, 224);

    auto* bevel1 = new QFrame(this);
    bevel1->setGeometry(8, 8, 305, 177);
    bevel1->setFrameShape(QFrame::Box);
    bevel1->setFrameShadow(QFrame::Sunken);
    auto* bevel2 = new QFrame(this);
    bevel2->setGeometry(15, 15, 291, 139);
    bevel2->setFrameShape(QFrame::Panel);
    bevel2->setFrameShadow(QFrame::Sunken);
    auto* shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(16, 16, 289, 137);
    shape->setStyleSheet(QStringLiteral(
        "#Shape1 { background-color: rgb(85, 74, 67); border: 1px solid rgb(58, 25, 0); }"));

    ShowDayTipLabel = new QLabel(this);
    ShowDayTipLabel->setObjectName(QStringLiteral("ShowDayTipLabel"));
    ShowDayTipLabel->setGeometry(24, 22, 273, 20);
    ShowDayTipLabel->setAlignment(Qt::AlignCenter);
    QFont title = ShowDayTipLabel->font();
    title.setBold(true);
    title.setUnderline(true);
    ShowDayTipLabel->setFont(title);
    ShowDayTipLabel->setPalette(Colours(ShowDayTipLabel->palette(), QColor(217, 204, 197)));

    TipsMemo = new QPlainTextEdit(this);
    TipsMemo->setObjectName(QStringLiteral("TipsMemo"));
    TipsMemo->setGeometry(28, 46, 265, 103);
    TipsMemo->setReadOnly(true);
    TipsMemo->setFrameShape(QFrame::NoFrame);
    TipsMemo->setFocusPolicy(Qt::NoFocus);
    TipsMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TipsMemo->setPalette(Colours(TipsMemo->palette(), QColor(179, 157, 145)));

    ShowCheckBox = new QCheckBox(this);
    ShowCheckBox->setObjectName(QStringLiteral("ShowCheckBox"));
    ShowCheckBox->setGeometry(16, 160, 289, 20);

    NextTipBitBtn = new QPushButton(this);
    NextTipBitBtn->setObjectName(QStringLiteral("NextTipBitBtn"));
    NextTipBitBtn->setGeometry(64, 191, 89, 25);
    SetGlyph(*NextTipBitBtn, DialogGlyph::NextTip);
    // Enter presses the button that has the focus: "Next Tip" once it has
    // been used, "Close" otherwise.
    NextTipBitBtn->setAutoDefault(true);
    OkBitBtn = new QPushButton(this);
    OkBitBtn->setObjectName(QStringLiteral("OkBitBtn"));
    OkBitBtn->setGeometry(168, 191, 89, 25);
    SetGlyph(*OkBitBtn, DialogGlyph::Close);
    OkBitBtn->setDefault(true);
    connect(NextTipBitBtn, &QPushButton::clicked, this, [this] { NextTipBitBtnClick(); });
    connect(OkBitBtn, &QPushButton::clicked, this, &QDialog::accept);

    setWindowTitle(QStringLiteral("Tip of the Day"));
    ShowDayTipLabel->setText(QStringLiteral("Welcome to \"Zorel Reversi\" !"));
    ShowCheckBox->setText(QStringLiteral("Show Tips on Startup"));
    OkBitBtn->setText(QStringLiteral("Close"));
    NextTipBitBtn->setText(QStringLiteral("Next Tip"));
    ShowCheckBox->setChecked(showTips);
    tipIndex_ = currentTip;
    NextTipBitBtnClick();
    OkBitBtn->setFocus();
}

bool TDayTipForm::ShowTips() const { return ShowCheckBox->isChecked(); }

QString TDayTipForm::TipText(int index) {
    if (index < 0 || index >= TipCount) return {};
    return QString::fromLatin1(DayTipTexts[static_cast<std::size_t>(index)]);
}

int TDayTipForm::NextTipIndex(int index) {
    // Compared before adding, so that even the largest stored number cannot overflow.
    if (index < 0) return 1;
    return index >= TipCount - 1 ? 0 : index + 1;
}

void TDayTipForm::NextTipBitBtnClick() {
    tipIndex_ = NextTipIndex(tipIndex_);
    TipsMemo->setPlainText(TipText(tipIndex_));
}

}  // namespace reversi
