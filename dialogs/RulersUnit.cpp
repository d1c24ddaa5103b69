#include "RulersUnit.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

#include "DialogIcons.h"
#include "PictureSets.h"

namespace reversi {

TRulersForm::TRulersForm(const QString& pagePath, QWidget* parent) : TInformationDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(200, 200);
    resize(616, 401);
    setWindowTitle(QStringLiteral("Help"));

    RulersHTML = new QTextBrowser(this);
    RulersHTML->setObjectName(QStringLiteral("RulersHTML"));
    // Anchors within the page move inside it; web addresses go to the system's browser.
    RulersHTML->setOpenExternalLinks(true);

    OkBitBtn = new QPushButton(QStringLiteral("Ok"), this);
    OkBitBtn->setObjectName(QStringLiteral("OkBitBtn"));
    OkBitBtn->resize(89, 25);
    OkBitBtn->setDefault(true);
    SetGlyph(*OkBitBtn, DialogGlyph::Ok);
    connect(OkBitBtn, &QPushButton::clicked, this, &QDialog::accept);

    const QFileInfo page(pagePath);
    if (page.isFile() && page.isReadable()) {
        RulersHTML->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    } else {
        RulersHTML->setPlainText(QStringLiteral("The rules page could not be found:\n%1\n\n"
                                                "It belongs in the DATA folder beside the program.")
                                     .arg(QDir::toNativeSeparators(pagePath)));
    }
    FormResize();
    OkBitBtn->setFocus();
}

QString TRulersForm::DefaultPagePath() {
    const auto path = graphics::ProgramFolder() / "DATA" / "readme.htm";
    return QString::fromStdString(path.string());
}

void TRulersForm::FormResize() {
    const int w = width();
    const int h = height();
    OkBitBtn->move((w - OkBitBtn->width()) / 2, h - OkBitBtn->height() - 10);
    RulersHTML->setGeometry(5, 5, w - 10, OkBitBtn->y() - 15);
}

void TRulersForm::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    FormResize();
}

}  // namespace reversi
