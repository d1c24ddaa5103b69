// The own-address window: this computer's addresses, one per line, to read
// out to a friend who wants to call.
#pragma once

#include <QDialog>
#include <QStringList>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace reversi {

// The computer's own IPv4 addresses in dotted form, loopback left out, in the
// order of its network interfaces; empty without a usable address.
QStringList ListLocalAddresses();

class TShowIPDlg : public QDialog {
    Q_OBJECT
public:
    explicit TShowIPDlg(QWidget* parent = nullptr);

    // The lines shown (the window fills them from ListLocalAddresses when shown).
    void SetAddresses(const QStringList& lines);
    QStringList Addresses() const;
    QPushButton* CopyButton() const { return copyBtn_; }
    QPushButton* CancelButton() const { return cancelBtn_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CopyAndClose();

    QPlainTextEdit* memo_ = nullptr;
    QPushButton* copyBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    bool filled_ = false;
};

}  // namespace reversi
