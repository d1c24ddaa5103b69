#include "ChoiceUnit.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

#include "DialogIcons.h"
#include "PictureMarginButton.h"

namespace reversi {

namespace {

// Pixels between a button's left edge and its picture.
constexpr int PictureMargin = 6;

QPushButton* MakeButton(QWidget* parent, const char* name, int top, DialogGlyph picture) {
    auto* button = new TPictureMarginButton(PictureMargin, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(14, top, 240, 25);
    SetGlyph(*button, picture);
    return button;
}

}  // namespace

TChoiceDlg::TChoiceDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(281, 145);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(7, 8, 267, 129);
    setWindowTitle(QStringLiteral("Choice"));
    group->setTitle(QStringLiteral("Action"));
    // Created first so that it is first in the tab order and has the focus.
    BitBtn1 = MakeButton(group, "BitBtn1", 88, DialogGlyph::ReturnToHistory);
    BitBtn2 = MakeButton(group, "BitBtn2", 24, DialogGlyph::ContinueFromThis);
    BitBtn3 = MakeButton(group, "BitBtn3", 56, DialogGlyph::ContinueFromLast);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    BitBtn1->setDefault(true);
    BitBtn1->setText(QStringLiteral("Return to history watching..."));
    BitBtn2->setText(QStringLiteral("Continue from this position..."));
    BitBtn3->setText(QStringLiteral("Continue from last position..."));

    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { Choose(TChoiceAnswer::ReturnToHistory); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { Choose(TChoiceAnswer::ContinueFromThisPosition); });
    connect(BitBtn3, &QPushButton::clicked, this,
            [this] { Choose(TChoiceAnswer::ContinueFromLastPosition); });
}

TChoiceAnswer TChoiceDlg::Ask() {
    exec();
    return answer_;
}

void TChoiceDlg::Choose(TChoiceAnswer answer) {
    answer_ = answer;
    if (answer == TChoiceAnswer::ReturnToHistory) {
        reject();
    } else {
        accept();
    }
}

void TChoiceDlg::showEvent(QShowEvent* e) {
    // Each showing starts from "nothing chosen", with the focus on the first button.
    answer_ = TChoiceAnswer::ReturnToHistory;
    BitBtn1->setFocus();
    QDialog::showEvent(e);
}

void TChoiceDlg::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        Choose(TChoiceAnswer::ReturnToHistory);
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace reversi
