#include "FinalUnit.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "DialogIcons.h"

namespace reversi {

TFinalDlg::TFinalDlg(QWidget* parent) : TInformationDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(241, 80);
    setWindowTitle(QStringLiteral("Information"));

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(7, 7, 226, 34);
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);

    FinalMessage = new QLabel(this);
    FinalMessage->setGeometry(13, 15, 215, 18);
    FinalMessage->setAlignment(Qt::AlignCenter);

    BitBtn1 = new QPushButton(QStringLiteral("Ok"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(76, 47, 89, 25);
    SetGlyph(*BitBtn1, DialogGlyph::Ok);
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

QString TFinalDlg::OutMessage(int m, int white, int black, const SideNames& names) {
    const QString& whiteName = names.white;
    const QString& blackName = names.black;
    const QString score = QStringLiteral("%1 : %2").arg(white).arg(black);
    switch (m) {
        case 0:
            return whiteName + QStringLiteral(" won ") + score;
        case 1:
            return blackName + QStringLiteral(" won ") + score;
        case 2:
            return QStringLiteral("Tie up");
        case 3:
            return whiteName + QStringLiteral(" pass");
        case 4:
            return blackName + QStringLiteral(" pass");
        default:
            return {};
    }
}

void TFinalDlg::SetOutMessage(int m, int white, int black, const SideNames& names) {
    SetText(OutMessage(m, white, black, names));
}

void TFinalDlg::SetText(const QString& text) { FinalMessage->setText(text); }

}  // namespace reversi
