// The "Statistics" window: the counters of one field size and engine, in
// total and per level, with the two buttons that clear them after asking.
#pragma once

#include "InformationDialog.h"

#include "StatisticsTable.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace reversi {

class TStatisticsForm : public TInformationDialog {
    Q_OBJECT
public:
    // Shows the counters of table and clears them in it; the table must
    // outlive the window. Opens at the block of the current game's field size
    // and engine and at its level (0 baby, otherwise the depth), on the
    // per-level page. The parts are found by their object names.
    TStatisticsForm(TStatisticsTable& table, int boardSize, bool advancedEngine, int level,
                    QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void BuildWidgets();
    // Captions, level list and the selection of the current game, then the figures.
    void FormShow();
    // Block figures and average skill of the selected block, then the level's.
    void ShowTotals();
    // The figures of the selected level.
    void ComboBox1Change();
    int BlockIndex() const;
    void ClearLevelClick();
    void ClearAllLevelsClick();

    TStatisticsTable* table_;
    int boardSize_;
    bool advancedEngine_;
    int level_;
    std::uint32_t LastTotalGames = 0;

    QPushButton* OkBitBtn = nullptr;
    QButtonGroup* engineButtons_ = nullptr;
    QButtonGroup* boardButtons_ = nullptr;
    QTabWidget* StatisticsPageControl = nullptr;
    QLabel* SkillLabel = nullptr;
    QLabel* TotalGamesLabel = nullptr;
    QLabel* TotalWinsLabel = nullptr;
    QLabel* TotalLossesLabel = nullptr;
    QLabel* TotalTieUpGamesLabel = nullptr;
    QToolButton* SpeedButtonClearAllLevelsStat = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* SelectedGamesLabel = nullptr;
    QLabel* SelectedWinsLabel = nullptr;
    QLabel* SelectedLossesLabel = nullptr;
    QLabel* SelectedTieUpGamesLabel = nullptr;
    QToolButton* SpeedButtonClearLevelStat = nullptr;
};

}  // namespace reversi
