// The chat window: the log of lines sent ("<<") and received (">>"), and the
// edit line with the history of sent texts.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace reversi {

class TSendDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSendDlg(QWidget* parent = nullptr);

    // A line from the peer, shown as plain text; the log scrolls to its end.
    void AddReceived(const QString& text);
    // After Send: the edit line's text goes to the top of the history and
    // into the log as sent; returns it for the peer.
    QString CommitSent();

    QString EditText() const;
    void SetEditText(const QString& text);
    QStringList LogLines() const;
    QStringList History() const;
    QPlainTextEdit* Log() const { return log_; }
    QPushButton* SendButton() const { return okBtn_; }
    QPushButton* CancelButton() const { return cancelBtn_; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void AddLine(const QString& line);
    void ScrollDown();

    QGroupBox* logBox_ = nullptr;
    QGroupBox* sendBox_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QComboBox* edit_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

}  // namespace reversi
