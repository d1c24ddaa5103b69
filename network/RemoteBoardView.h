// The peer's board as it answered our board request: black and white cells
// on the window's background, one per square. A click closes it.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QHostInfo>

class QLabel;

namespace reversi {

class TRemoteField : public QDialog {
    Q_OBJECT
public:
    explicit TRemoteField(QWidget* parent = nullptr);

    // The board text ("w", "b", "+", column by column) and the field size
    // to read it with. A shorter text leaves the missing cells blank.
    void SetBoard(const QByteArray& boardText, int fieldSize);
    const QByteArray& Board() const { return board_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QByteArray board_;
    int n_ = 8;
};

// The peer's host name and address. The name is what a reverse look-up of
// the address finds; until it answers, or when it finds none, the name the
// socket knows stands (the name called on the calling side, none on the
// listening side).
class TIPConfForm : public QDialog {
    Q_OBJECT
public:
    TIPConfForm(const QString& hostName, const QString& address, QWidget* parent = nullptr);
    // The reverse look-up has answered (found a name or not).
    bool LookedUp() const { return lookedUp_; }
    QString HostText() const;
    QString AddressText() const;

private slots:
    // The reverse look-up's answer.
    void TakeLookUp(const QHostInfo& info);

private:
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QString address_;
    bool lookedUp_ = false;
};

}  // namespace reversi
