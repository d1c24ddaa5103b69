#include "Statistics.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QShowEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "DialogIcons.h"
#include "GameMessages.h"

namespace reversi {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, int width = 105) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(left, top, width, 17);
    return label;
}

// A panel with a raised inner and a lowered outer bevel.
QFrame* MakePanel(QWidget* page, const char* name) {
    auto* panel = new QFrame(page);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(7, 7, 258, 154);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    return panel;
}

QToolButton* MakeClearButton(QWidget* panel, const char* name) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(228, 124, 23, 22);
    button->setAutoRaise(true);
    SetGlyph(*button, DialogGlyph::Clear);
    return button;
}

QRadioButton* MakeRadio(QGroupBox* group, QButtonGroup* buttons, int id, const char* name,
                        int top) {
    auto* radio = new QRadioButton(group);
    radio->setObjectName(QString::fromLatin1(name));
    radio->setGeometry(10, top, 120, 22);
    buttons->addButton(radio, id);
    return radio;
}

QString Decimal(std::uint32_t n) { return QString::number(n); }

}  // namespace

TStatisticsForm::TStatisticsForm(TStatisticsTable& table, int boardSize, bool advancedEngine,
                                 int level, QWidget* parent)
    : TInformationDialog(parent),
      table_(&table),
      boardSize_(boardSize),
      advancedEngine_(advancedEngine),
      level_(std::clamp(level, 0, TStatisticsTable::Levels - 1)) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(313, 355);
    BuildWidgets();
    StatisticsPageControl->setCurrentIndex(1);
    FormShow();
}

void TStatisticsForm::BuildWidgets() {
    auto* groupBox = new QGroupBox(this);
    groupBox->setObjectName(QStringLiteral("StatisticsGroupBox"));
    groupBox->setGeometry(8, 8, 297, 305);

    auto* engineGroup = new QGroupBox(groupBox);
    engineGroup->setObjectName(QStringLiteral("EngineRadioGroup"));
    engineGroup->setGeometry(8, 16, 137, 81);
    engineButtons_ = new QButtonGroup(this);
    MakeRadio(engineGroup, engineButtons_, 0, "EngineNormalRadio", 24);
    MakeRadio(engineGroup, engineButtons_, 1, "EngineAdvancedRadio", 50);

    auto* boardGroup = new QGroupBox(groupBox);
    boardGroup->setObjectName(QStringLiteral("BoardRadioGroup"));
    boardGroup->setGeometry(152, 16, 137, 81);
    boardButtons_ = new QButtonGroup(this);
    MakeRadio(boardGroup, boardButtons_, 0, "Board8Radio", 24)->setText(QStringLiteral("8x8"));
    MakeRadio(boardGroup, boardButtons_, 1, "Board10Radio", 50)->setText(QStringLiteral("10x10"));

    StatisticsPageControl = new QTabWidget(groupBox);
    StatisticsPageControl->setObjectName(QStringLiteral("StatisticsPageControl"));
    StatisticsPageControl->setGeometry(8, 103, 281, 194);
    StatisticsPageControl->tabBar()->setCursor(Qt::PointingHandCursor);

    auto* totalPage = new QWidget;
    totalPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* totals = MakePanel(totalPage, "Panel2");
    MakeLabel(totals, "Label10", 13, 16);
    SkillLabel = MakeLabel(totals, "SkillLabel", 124, 16, 130);
    QFont bold = SkillLabel->font();
    bold.setBold(true);
    SkillLabel->setFont(bold);
    MakeLabel(totals, "Label1", 13, 42);
    TotalGamesLabel = MakeLabel(totals, "TotalGamesLabel", 124, 42);
    MakeLabel(totals, "Label7", 13, 68);
    TotalWinsLabel = MakeLabel(totals, "TotalWinsLabel", 124, 68);
    MakeLabel(totals, "Label8", 13, 94);
    TotalLossesLabel = MakeLabel(totals, "TotalLossesLabel", 124, 94);
    MakeLabel(totals, "Label9", 13, 120);
    TotalTieUpGamesLabel = MakeLabel(totals, "TotalTieUpGamesLabel", 124, 120, 100);
    SpeedButtonClearAllLevelsStat = MakeClearButton(totals, "SpeedButtonClearAllLevelsStat");

    auto* levelPage = new QWidget;
    levelPage->setObjectName(QStringLiteral("TabSheet2"));
    auto* levels = MakePanel(levelPage, "Panel1");
    MakeLabel(levels, "Label2", 13, 16);
    ComboBox1 = new QComboBox(levels);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(124, 12, 120, 24);
    ComboBox1->setCursor(Qt::PointingHandCursor);
    MakeLabel(levels, "Label3", 13, 42);
    SelectedGamesLabel = MakeLabel(levels, "SelectedGamesLabel", 124, 42);
    MakeLabel(levels, "Label4", 13, 68);
    SelectedWinsLabel = MakeLabel(levels, "SelectedWinsLabel", 124, 68);
    MakeLabel(levels, "Label5", 13, 94);
    SelectedLossesLabel = MakeLabel(levels, "SelectedLossesLabel", 124, 94);
    MakeLabel(levels, "Label6", 13, 120);
    SelectedTieUpGamesLabel = MakeLabel(levels, "SelectedTieUpGamesLabel", 124, 120, 100);
    SpeedButtonClearLevelStat = MakeClearButton(levels, "SpeedButtonClearLevelStat");

    StatisticsPageControl->addTab(totalPage, QString());
    StatisticsPageControl->addTab(levelPage, QString());

    OkBitBtn = new QPushButton(this);
    OkBitBtn->setObjectName(QStringLiteral("OkBitBtn"));
    OkBitBtn->setGeometry(113, 322, 88, 26);
    OkBitBtn->setDefault(true);
    SetGlyph(*OkBitBtn, DialogGlyph::Ok);

    connect(OkBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(engineButtons_, &QButtonGroup::idClicked, this, [this] { ShowTotals(); });
    connect(boardButtons_, &QButtonGroup::idClicked, this, [this] { ShowTotals(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(SpeedButtonClearLevelStat, &QToolButton::clicked, this, [this] { ClearLevelClick(); });
    connect(SpeedButtonClearAllLevelsStat, &QToolButton::clicked, this,
            [this] { ClearAllLevelsClick(); });
}

void TStatisticsForm::FormShow() {
    const auto caption = [this](const char* name, const char* text) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) {
            const QString t = QString::fromLatin1(text);
            if (auto* label = qobject_cast<QLabel*>(w))
                label->setText(t);
            else if (auto* box = qobject_cast<QGroupBox*>(w))
                box->setTitle(t);
            else if (auto* radio = qobject_cast<QRadioButton*>(w))
                radio->setText(t);
        }
    };
    setWindowTitle(QStringLiteral("Statistics"));
    OkBitBtn->setText(QStringLiteral("Ok"));
    StatisticsPageControl->setTabText(0, QStringLiteral("Total"));
    StatisticsPageControl->setTabText(1, QStringLiteral("Detalils"));
    caption("Label2", "Select level");
    caption("Label3", "Games");
    caption("Label1", "Games");
    caption("Label4", "Wins");
    caption("Label7", "Wins");
    caption("Label5", "Losses");
    caption("Label8", "Losses");
    caption("Label6", "Tie Up games");
    caption("Label9", "Tie Up games");
    caption("Label10", "Average skill");

    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        for (int level = 0; level < TStatisticsTable::Levels; ++level) {
            ComboBox1->addItem(TStatisticsTable::LevelName(level));
        }
    }

    caption("StatisticsGroupBox", "Show statistics for");
    caption("EngineRadioGroup", "Engine");
    caption("BoardRadioGroup", "Field size");
    caption("EngineNormalRadio", "Normal");
    caption("EngineAdvancedRadio", "Advanced");
    for (auto* group : {engineButtons_, boardButtons_}) {
        for (auto* button : group->buttons()) button->setCursor(Qt::PointingHandCursor);
    }

    engineButtons_->button(advancedEngine_ ? 1 : 0)->setChecked(true);
    boardButtons_->button(boardSize_ == 8 ? 0 : 1)->setChecked(true);
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->setCurrentIndex(level_);
    }
    ShowTotals();
}

int TStatisticsForm::BlockIndex() const {
    return std::max(boardButtons_->checkedId(), 0) * 2 + std::max(engineButtons_->checkedId(), 0);
}

void TStatisticsForm::ShowTotals() {
    const int block = BlockIndex();
    const TStatisticsRecord totals = table_->BlockTotals(block);
    TotalGamesLabel->setText(Decimal(totals.Games));
    LastTotalGames = totals.Games;
    SpeedButtonClearAllLevelsStat->setEnabled(totals.Games > 0);
    TotalWinsLabel->setText(Decimal(totals.Wins));
    TotalLossesLabel->setText(Decimal(totals.Losses));
    TotalTieUpGamesLabel->setText(Decimal(totals.Ties));
    SkillLabel->setText(TStatisticsTable::LevelName(table_->AverageSkill(block)));
    ComboBox1Change();
}

void TStatisticsForm::ComboBox1Change() {
    const int level = ComboBox1->currentIndex();
    if (level < 0 || level >= TStatisticsTable::Levels) return;
    const TStatisticsRecord r = table_->Record(BlockIndex(), level);
    SpeedButtonClearLevelStat->setEnabled(r.Games > 0);
    SelectedGamesLabel->setText(Decimal(r.Games));
    SelectedWinsLabel->setText(Decimal(r.Wins));
    SelectedLossesLabel->setText(Decimal(r.Losses));
    SelectedTieUpGamesLabel->setText(Decimal(r.Ties));
}

void TStatisticsForm::ClearLevelClick() {
    const int block = BlockIndex();
    const int level = ComboBox1->currentIndex();
    if (table_->Record(block, level).Games == 0) return;
    // Centred on the screen, like every statistics question.
    if (!TModalGameMessages().Confirm(
            nullptr, QStringLiteral("Do you want delete statistics for this level?"))) {
        return;
    }
    table_->ClearLevel(block, level);
    FormShow();
}

void TStatisticsForm::ClearAllLevelsClick() {
    if (LastTotalGames == 0) return;
    const int block = BlockIndex();
    if (!TModalGameMessages().Confirm(
            nullptr, QStringLiteral("Do you want delete statistics for all levels?"))) {
        return;
    }
    table_->ClearBlock(block);
    FormShow();
}

void TStatisticsForm::showEvent(QShowEvent* e) {
    // Each showing starts at the current game; a window coming back from
    // being minimised keeps what the player chose.
    if (!e->spontaneous()) FormShow();
    QDialog::showEvent(e);
}

}  // namespace reversi
