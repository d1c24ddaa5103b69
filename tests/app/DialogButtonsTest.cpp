// The buttons of the information windows and of the settings dialog: each
// shows its own picture, in a normal and a disabled form cut from one
// 16-colour strip, and the hand-point cursor; and each picture is really
// drawn on its button in both states.
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QAbstractButton>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "ChoiceUnit.h"
#include "DayTipUnit.h"
#include "DialogIcons.h"
#include "FinalUnit.h"
#include "RulersUnit.h"
#include "SideUnit.h"
#include "Statistics.h"
#include "VolumeUnit.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using test::Child;

constexpr DialogGlyph AllGlyphs[] = {
    DialogGlyph::Ok,
    DialogGlyph::Cancel,
    DialogGlyph::Close,
    DialogGlyph::NextTip,
    DialogGlyph::Clear,
    DialogGlyph::ReturnToHistory,
    DialogGlyph::ContinueFromThis,
    DialogGlyph::ContinueFromLast,
};

QImage Half(const QImage& strip, int half) {
    return strip.copy(half * GlyphSize, 0, GlyphSize, GlyphSize)
        .convertToFormat(QImage::Format_ARGB32);
}

bool IsGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }

// --- the strips ---

TEST(DialogGlyphs, EachStripIsASixteenColourPairOfNormalAndDisabled) {
    std::set<std::string> normals;
    for (const DialogGlyph glyph : AllGlyphs) {
        SCOPED_TRACE(static_cast<int>(glyph));
        const QImage strip = GlyphStrip(glyph);
        EXPECT_EQ(strip.size(), QSize(32, 16));
        EXPECT_EQ(strip.format(), QImage::Format_Indexed8);
        EXPECT_LE(strip.colorCount(), 16);
        EXPECT_EQ(qAlpha(strip.color(0)), 0) << "entry 0 is the see-through colour";

        const QImage normal = Half(strip, 0);
        const QImage disabled = Half(strip, 1);
        std::set<QRgb> normalColours;
        bool colourful = false;
        int greyLines = 0;
        for (int y = 0; y < GlyphSize; ++y) {
            for (int x = 0; x < GlyphSize; ++x) {
                const QRgb n = normal.pixel(x, y);
                const QRgb d = disabled.pixel(x, y);
                const bool grey = d == qRgb(128, 128, 128);
                if (qAlpha(n) != 0) {
                    normalColours.insert(n);
                    colourful = colourful || !IsGrey(n);
                    // The disabled picture keeps the dark lines in grey and
                    // leaves out the light fills.
                    if (qGray(n) < 60) {
                        EXPECT_TRUE(grey) << x << "," << y;
                    } else if (qGray(n) > 100) {
                        EXPECT_FALSE(grey) << x << "," << y;
                    }
                    greyLines += grey ? 1 : 0;
                } else {
                    EXPECT_FALSE(grey) << x << "," << y;
                }
                if (qAlpha(d) != 0) {
                    EXPECT_TRUE(IsGrey(d)) << x << "," << y;
                }
            }
        }
        EXPECT_GE(normalColours.size(), 2U) << "an outline and a fill";
        EXPECT_TRUE(colourful);
        EXPECT_GT(greyLines, 0);
        EXPECT_NE(normal, disabled);
        // No two pictures alike.
        const QByteArray bytes(reinterpret_cast<const char*>(normal.constBits()),
                               static_cast<int>(normal.sizeInBytes()));
        EXPECT_TRUE(normals.insert(bytes.toStdString()).second);
    }
}

TEST(DialogGlyphs, TheIconIsCutFromTheStrip) {
    for (const DialogGlyph glyph : AllGlyphs) {
        SCOPED_TRACE(static_cast<int>(glyph));
        const QImage strip = GlyphStrip(glyph);
        const QIcon icon = GlyphIcon(glyph);
        const auto state = [&icon](QIcon::Mode mode) {
            return icon.pixmap(QSize(GlyphSize, GlyphSize), mode)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32);
        };
        EXPECT_EQ(state(QIcon::Normal), Half(strip, 0));
        EXPECT_EQ(state(QIcon::Disabled), Half(strip, 1));
    }
}

// --- the windows ---

struct ButtonRow {
    const char* window;
    const char* button;
    DialogGlyph glyph;
    // Pixels from the button's left edge to its picture; -1 where the
    // picture is centred with the text.
    int margin = -1;
};

const ButtonRow Buttons[] = {
    {"Information", "BitBtn1", DialogGlyph::Ok},
    {"Choice", "BitBtn1", DialogGlyph::ReturnToHistory, 6},
    {"Choice", "BitBtn2", DialogGlyph::ContinueFromThis, 6},
    {"Choice", "BitBtn3", DialogGlyph::ContinueFromLast, 6},
    {"Tip of the Day", "NextTipBitBtn", DialogGlyph::NextTip},
    {"Tip of the Day", "OkBitBtn", DialogGlyph::Close},
    {"Help", "OkBitBtn", DialogGlyph::Ok},
    {"Setup sound and music volumes", "OkBitBtn", DialogGlyph::Ok},
    {"Setup sound and music volumes", "CancelBitBtn", DialogGlyph::Cancel},
    {"Statistics", "OkBitBtn", DialogGlyph::Ok},
    {"Statistics", "SpeedButtonClearAllLevelsStat", DialogGlyph::Clear},
    {"Statistics", "SpeedButtonClearLevelStat", DialogGlyph::Clear},
    {"Settings", "BitBtn1", DialogGlyph::Ok},
    {"Settings", "BitBtn2", DialogGlyph::Cancel},
};

// The windows as the program opens them, by title.
class Windows {
public:
    Windows() {
        Add(std::make_unique<TFinalDlg>());
        Add(std::make_unique<TChoiceDlg>());
        Add(std::make_unique<TDayTipForm>(true, 1000));
        Add(std::make_unique<TRulersForm>(TRulersForm::DefaultPagePath()));
        Add(std::make_unique<TVolumeDlg>());
        Add(std::make_unique<TStatisticsForm>(table_, 8, false, 3));
        Add(std::make_unique<TSideDlg>());
    }
    ~Windows() {
        for (auto& w : windows_) w->hide();
    }

    const std::vector<std::unique_ptr<QWidget>>& All() const { return windows_; }

    QWidget* Find(const char* title) const {
        for (const auto& w : windows_)
            if (w->windowTitle() == QString::fromLatin1(title)) return w.get();
        return nullptr;
    }

private:
    void Add(std::unique_ptr<QWidget> w) { windows_.push_back(std::move(w)); }

    TStatisticsTable table_;
    std::vector<std::unique_ptr<QWidget>> windows_;
};

// Where every opaque pixel of picture appears in image, or nothing.
std::optional<QPoint> FindPicture(const QImage& image, const QImage& picture) {
    for (int top = 0; top + picture.height() <= image.height(); ++top) {
        for (int left = 0; left + picture.width() <= image.width(); ++left) {
            bool match = true;
            for (int y = 0; match && y < picture.height(); ++y) {
                for (int x = 0; match && x < picture.width(); ++x) {
                    const QRgb p = picture.pixel(x, y);
                    match = qAlpha(p) == 0 || image.pixel(left + x, top + y) == p;
                }
            }
            if (match) return QPoint(left, top);
        }
    }
    return std::nullopt;
}

// Brings the page that holds the button to the front, so it can be drawn.
void Uncover(QWidget& window, QWidget& button) {
    for (auto* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(&button)) tabs->setCurrentIndex(i);
    }
}

QImage Drawn(QWidget& button) {
    return button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(DialogButtons, EachButtonShowsItsPictureInBothStatesAndTheHandCursor) {
    Windows windows;
    for (const ButtonRow& row : Buttons) {
        SCOPED_TRACE(std::string(row.window) + " / " + row.button);
        QWidget* window = windows.Find(row.window);
        ASSERT_NE(window, nullptr);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        auto* button = Child<QAbstractButton>(*window, row.button);
        Uncover(*window, *button);

        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(button->iconSize(), QSize(GlyphSize, GlyphSize));
        const QImage strip = GlyphStrip(row.glyph);
        for (const bool enabled : {true, false}) {
            SCOPED_TRACE(enabled ? "enabled" : "disabled");
            button->setEnabled(enabled);
            const auto at = FindPicture(Drawn(*button), Half(strip, enabled ? 0 : 1));
            ASSERT_TRUE(at.has_value()) << "the picture is not drawn on the button";
            if (row.margin >= 0) {
                EXPECT_EQ(at->x(), row.margin);
            }
            // Held inside the button, clear of its edges.
            EXPECT_GE(at->y(), 2);
            EXPECT_LE(at->y() + GlyphSize, button->height() - 2);
        }
        button->setEnabled(true);
        window->hide();
    }
}

TEST(DialogButtons, NoButtonOfTheWindowsIsLeftOut) {
    Windows windows;
    for (const auto& window : windows.All()) {
        for (auto* button : window->findChildren<QAbstractButton*>()) {
            // Radio buttons and check boxes are no picture buttons; the tab
            // bar's own scroll arrows belong to the tab bar.
            if (!qobject_cast<QPushButton*>(button) && !qobject_cast<QToolButton*>(button))
                continue;
            if (qobject_cast<QTabBar*>(button->parentWidget())) continue;
            const std::string name = button->objectName().toStdString();
            const bool listed = std::any_of(std::begin(Buttons), std::end(Buttons), [&](auto& r) {
                return window->windowTitle() == QString::fromLatin1(r.window) && name == r.button;
            });
            EXPECT_TRUE(listed) << window->windowTitle().toStdString() << " / '" << name << "'";
        }
    }
}

// Not a check: with REVERSI_SCREENSHOTS set to a folder, writes each window
// there as a PNG (its buttons once enabled, once disabled) and the strips
// enlarged eight times, to be looked at.
TEST(DialogButtons, WindowsAsPictures) {
    const QString folder = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "REVERSI_SCREENSHOTS not set";
    Windows windows;
    auto* final = qobject_cast<TFinalDlg*>(windows.Find("Information"));
    ASSERT_NE(final, nullptr);
    final->SetOutMessage(0, 40, 24, SideNames{});
    for (const auto& window : windows.All()) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // "Tip of the Day" is written as tip-of-the-day-*.png.
        const QString n =
            window->windowTitle().toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        for (const bool enabled : {true, false}) {
            for (const ButtonRow& row : Buttons) {
                if (window->windowTitle() == QString::fromLatin1(row.window))
                    Child<QAbstractButton>(*window, row.button)->setEnabled(enabled);
            }
            for (auto* tabs : window->findChildren<QTabWidget*>()) {
                for (int page = 0; page < tabs->count(); ++page) {
                    tabs->setCurrentIndex(page);
                    QTest::qWait(20);
                    EXPECT_TRUE(window->grab().save(
                        QDir(folder).filePath(QStringLiteral("%1-page%2-%3.png")
                                                  .arg(n)
                                                  .arg(page + 1)
                                                  .arg(enabled ? "enabled" : "disabled"))));
                }
            }
            QTest::qWait(20);
            EXPECT_TRUE(window->grab().save(QDir(folder).filePath(
                QStringLiteral("%1-%2.png").arg(n).arg(enabled ? "enabled" : "disabled"))));
        }
        window->hide();
    }
    constexpr int Scale = 8;
    QImage sheet(2 * GlyphSize * Scale, GlyphSize * Scale * static_cast<int>(std::size(AllGlyphs)),
                 QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter painter(&sheet);
    int row = 0;
    for (const DialogGlyph glyph : AllGlyphs) {
        painter.drawImage(
            QRect(0, row * GlyphSize * Scale, 2 * GlyphSize * Scale, GlyphSize * Scale),
            GlyphStrip(glyph));
        ++row;
    }
    painter.end();
    EXPECT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("glyph-strips.png"))));
}

}  // namespace
}  // namespace reversi
