// The settings dialog: opponent, colour, level, field size, engine, the four
// look styles and the six switches. Created once and reused; it shows a
// settings value and hands back the values chosen, and changes nothing itself.
#pragma once

#include "SideNames.h"

#include <QDialog>

#include "Settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace reversi {

class TSideDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSideDlg(QWidget* parent = nullptr);

    // Sets every control from settings. A style that matches none of its
    // list's items leaves that list without a selection.
    void SetValues(const Settings& settings);
    // base with the values of the controls; a list without a selection
    // keeps base's value.
    Settings Values(const Settings& base) const;

    // The lock of a network game: disables (or enables again) the opponent,
    // colour, level, engine and field-size controls. Enabled again, the colour
    // buttons still follow the opponent choice.
    void SetGameControlsEnabled(bool enabled);
    // The colour names the colour buttons show from the next showing on.
    void SetSideNames(const SideNames& names) { names_ = names; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void CreateControls();
    void SetCaptions();
    void FillCombos();
    void UpdateColourButtons();

    QTabWidget* PageControl1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QGroupBox* GroupBox7 = nullptr;
    QGroupBox* GroupBox8 = nullptr;
    QGroupBox* GroupBox9 = nullptr;
    QGroupBox* GroupBox10 = nullptr;
    QGroupBox* GroupBox11 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton7 = nullptr;
    QRadioButton* RadioButton8 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    bool gameControlsEnabled_ = true;
    SideNames names_;
};

}  // namespace reversi
