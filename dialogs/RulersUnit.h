// The "Help" window: the rules page of the data folder in a text browser.
// Links to other sites open in the system's web browser, never inside it.
#pragma once

#include "InformationDialog.h"
#include <QString>

class QPushButton;
class QTextBrowser;

namespace reversi {

class TRulersForm : public TInformationDialog {
    Q_OBJECT
public:
    // Shows the page at pagePath; a missing or unreadable page shows a
    // message naming the file instead.
    explicit TRulersForm(const QString& pagePath, QWidget* parent = nullptr);

    // DATA/readme.htm beside the program.
    static QString DefaultPagePath();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormResize();

    QPushButton* OkBitBtn = nullptr;
    QTextBrowser* RulersHTML = nullptr;
};

}  // namespace reversi
