// The small information windows: the history choice, the tip of the day, the
// rules page and the volume window, answered by clicks and keys.
#include <climits>

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

#include "ChoiceUnit.h"
#include "DayTipUnit.h"
#include "ModalAnswer.h"
#include "WindowChildren.h"
#include "RulersUnit.h"
#include "VolumeUnit.h"

namespace reversi {
namespace {

using test::ModalAnswer;

using test::Child;

std::string ButtonText(const QWidget& form, const char* name) {
    auto* button = Child<QPushButton>(form, name);
    return button ? button->text().toStdString() : std::string();
}

// --- the history choice ---

TEST(ChoiceDialog, CaptionsAndFocus) {
    TChoiceDlg dialog;
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Choice");
    EXPECT_EQ(dialog.size(), QSize(281, 145));
    EXPECT_EQ(Child<QGroupBox>(dialog, "GroupBox1")->title().toStdString(), "Action");
    EXPECT_EQ(ButtonText(dialog, "BitBtn1"), "Return to history watching...");
    EXPECT_EQ(ButtonText(dialog, "BitBtn2"), "Continue from this position...");
    EXPECT_EQ(ButtonText(dialog, "BitBtn3"), "Continue from last position...");
    // Top to bottom: this position, last position, return.
    EXPECT_LT(Child<QPushButton>(dialog, "BitBtn2")->y(),
              Child<QPushButton>(dialog, "BitBtn3")->y());
    EXPECT_LT(Child<QPushButton>(dialog, "BitBtn3")->y(),
              Child<QPushButton>(dialog, "BitBtn1")->y());
    EXPECT_TRUE(Child<QPushButton>(dialog, "BitBtn1")->hasFocus());
    EXPECT_TRUE(Child<QPushButton>(dialog, "BitBtn1")->isDefault());
    dialog.reject();
}

TEST(ChoiceDialog, EachWayOfClosingGivesItsAnswer) {
    struct Case {
        const char* name;
        std::function<void(TChoiceDlg&)> act;
        TChoiceAnswer answer;
    };
    auto click = [](const char* name) {
        return [name](TChoiceDlg& d) {
            QTest::mouseClick(Child<QPushButton>(d, name), Qt::LeftButton);
        };
    };
    auto key = [](Qt::Key k) { return [k](TChoiceDlg& d) { QTest::keyClick(&d, k); }; };
    const Case cases[] = {
        {"continue from this position", click("BitBtn2"), TChoiceAnswer::ContinueFromThisPosition},
        {"continue from last position", click("BitBtn3"), TChoiceAnswer::ContinueFromLastPosition},
        {"return to history", click("BitBtn1"), TChoiceAnswer::ReturnToHistory},
        {"Esc", key(Qt::Key_Escape), TChoiceAnswer::ReturnToHistory},
        {"Enter on the default button", key(Qt::Key_Return), TChoiceAnswer::ReturnToHistory},
        {"close box", [](TChoiceDlg& d) { d.close(); }, TChoiceAnswer::ReturnToHistory},
    };
    // One window for all, as the program keeps one: each showing starts afresh.
    TChoiceDlg dialog;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.Answer(), TChoiceAnswer::ReturnToHistory);
        c.act(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Answer(), c.answer);
    }
}

TEST(ChoiceDialog, AskRunsModallyAndReturnsTheAnswer) {
    TChoiceDlg dialog;
    ModalAnswer reply([](QWidget* modal) {
        auto* d = qobject_cast<TChoiceDlg*>(modal);
        if (!d) return false;
        d->findChild<QPushButton*>(QStringLiteral("BitBtn3"))->click();
        return true;
    });
    EXPECT_EQ(dialog.Ask(), TChoiceAnswer::ContinueFromLastPosition);
    EXPECT_TRUE(reply.Answered());
}

// --- the tip of the day ---

std::string Tip(const TDayTipForm& form) {
    return Child<QPlainTextEdit>(form, "TipsMemo")->toPlainText().toStdString();
}

const char* const ExpectedTips[] = {
    "If you don't know what is Reversi (Othello) game or don't know how to start playing then "
    "you may close this Tip dialog and press <F1> button. Little help will be open...",
    "Just imagine! You can play with computer, your's friend sitting on the same computer or you "
    "can bring a friend from another side of the world by using network game...",
    "This realization of Reversi game has provide rich animated graphics. Look at MEDIA menu to "
    "choice your favorite style...",
    "You can save and load local games. Analize them and play better and better!",
    "You can see all local games statitics. Just go to Info menu and select statistics...",
};

TEST(DayTip, CaptionsAndTexts) {
    TDayTipForm form(true, 1000);
    EXPECT_EQ(form.windowTitle().toStdString(), "Tip of the Day");
    EXPECT_EQ(form.size(), QSize(321, 224));
    EXPECT_EQ(Child<QLabel>(form, "ShowDayTipLabel")->text().toStdString(),
              "Welcome to \"Zorel Reversi\" !");
    EXPECT_EQ(Child<QCheckBox>(form, "ShowCheckBox")->text().toStdString(), "Show Tips on Startup");
    EXPECT_EQ(ButtonText(form, "OkBitBtn"), "Close");
    EXPECT_EQ(ButtonText(form, "NextTipBitBtn"), "Next Tip");
    EXPECT_TRUE(Child<QPushButton>(form, "OkBitBtn")->isDefault());
    EXPECT_TRUE(Child<QPlainTextEdit>(form, "TipsMemo")->isReadOnly());
    for (int i = 0; i < TDayTipForm::TipCount; ++i) {
        EXPECT_EQ(TDayTipForm::TipText(i).toStdString(), ExpectedTips[i]) << i;
    }
    EXPECT_TRUE(TDayTipForm::TipText(5).isEmpty());
    EXPECT_TRUE(TDayTipForm::TipText(-1).isEmpty());
}

TEST(DayTip, FirstTipAfterEachStoredValue) {
    struct Case {
        int stored;
        int shown;
    };
    const Case cases[] = {{1000, 0}, {0, 1},    {1, 2},       {3, 4},      {4, 0},
                          {-1, 1},   {-500, 1}, {INT_MAX, 0}, {INT_MIN, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        TDayTipForm form(true, c.stored);
        EXPECT_EQ(Tip(form), ExpectedTips[c.shown]);
        EXPECT_EQ(form.CurrentTip(), c.shown);
    }
}

TEST(DayTip, NextTipTwiceThenTheNextOpeningContinues) {
    TDayTipForm form(true, 1000);
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* next = Child<QPushButton>(form, "NextTipBitBtn");
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Tip(form), ExpectedTips[1]);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Tip(form), ExpectedTips[2]);
    EXPECT_TRUE(form.isVisible());  // "Next Tip" does not close
    QTest::mouseClick(Child<QPushButton>(form, "OkBitBtn"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.CurrentTip(), 2);
    EXPECT_TRUE(form.ShowTips());

    TDayTipForm again(form.ShowTips(), form.CurrentTip());
    EXPECT_EQ(Tip(again), ExpectedTips[3]);
}

TEST(DayTip, EnterPressesTheFocusedButton) {
    TDayTipForm form(true, 1000);
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* next = Child<QPushButton>(form, "NextTipBitBtn");
    auto* close = Child<QPushButton>(form, "OkBitBtn");
    EXPECT_EQ(form.focusWidget(), close);
    QTest::mouseClick(next, Qt::LeftButton);
    ASSERT_EQ(Tip(form), ExpectedTips[1]);
    // The key goes where the player's keyboard sends it: the focused button.
    ASSERT_EQ(form.focusWidget(), next) << "the click left the focus elsewhere";
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(form.focusWidget(), key);
    }
    EXPECT_EQ(Tip(form), ExpectedTips[3]);
    EXPECT_TRUE(form.isVisible()) << "Enter after \"Next Tip\" closed the tip";
    // Back on "Close", Enter closes.
    close->setFocus();
    QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.CurrentTip(), 3);
}

TEST(DayTip, NextTipAfterTheLastShowsTheFirst) {
    TDayTipForm form(true, 3);
    ASSERT_EQ(Tip(form), ExpectedTips[4]);
    Child<QPushButton>(form, "NextTipBitBtn")->click();
    EXPECT_EQ(Tip(form), ExpectedTips[0]);
    EXPECT_EQ(form.CurrentTip(), 0);
}

TEST(DayTip, UntickingShowTipsIsHandedBackHoweverTheWindowCloses) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape);
        TDayTipForm form(true, 1000);
        form.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        auto* box = Child<QCheckBox>(form, "ShowCheckBox");
        EXPECT_TRUE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        if (escape) {
            QTest::keyClick(&form, Qt::Key_Escape);
        } else {
            QTest::mouseClick(Child<QPushButton>(form, "OkBitBtn"), Qt::LeftButton);
        }
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.ShowTips());
        EXPECT_EQ(form.CurrentTip(), 0);
    }
    TDayTipForm off(false, 2);
    EXPECT_FALSE(Child<QCheckBox>(off, "ShowCheckBox")->isChecked());
}

TEST(DayTip, Colours) {
    TDayTipForm form(true, 1000);
    auto* memo = Child<QPlainTextEdit>(form, "TipsMemo");
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(85, 74, 67));
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(179, 157, 145));
    auto* label = Child<QLabel>(form, "ShowDayTipLabel");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(217, 204, 197));
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->font().underline());
}

// --- the rules page ---

class RulesPage : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("readme.htm"));
        QFile page(path_);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(
            "<html><body><h1>Rules</h1><p><a href=\"#end\">jump</a></p>"
            "<p><a href=\"https://example.org/reversi\">outside link</a></p>"
            "<p style=\"margin-top: 2000px\"><a name=\"end\"></a>the end</p>"
            "</body></html>");
    }
    QTemporaryDir dir_;
    QString path_;
};

// Clicks the link whose text is linkText.
void ClickLink(QTextBrowser* browser, const QString& linkText) {
    QTextCursor found = browser->document()->find(linkText);
    ASSERT_FALSE(found.isNull()) << linkText.toStdString();
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    const QPoint at = browser->cursorRect(inside).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
}

// Takes the place of the system's web browser while a test runs.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(RulesPage, CaptionsAndThePage) {
    TRulersForm form(path_);
    EXPECT_EQ(form.windowTitle().toStdString(), "Help");
    EXPECT_EQ(ButtonText(form, "OkBitBtn"), "Ok");
    auto* browser = Child<QTextBrowser>(form, "RulersHTML");
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Rules")));
    EXPECT_EQ(browser->source(), QUrl::fromLocalFile(QFileInfo(path_).absoluteFilePath()));
    EXPECT_GE(form.minimumSize().width(), 200);
    EXPECT_GE(form.minimumSize().height(), 200);
}

TEST_F(RulesPage, ResizingKeepsOkCentredAndThePageFillingTheRest) {
    TRulersForm form(path_);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* ok = Child<QPushButton>(form, "OkBitBtn");
    auto* browser = Child<QTextBrowser>(form, "RulersHTML");
    for (const QSize size : {QSize(616, 401), QSize(300, 250), QSize(801, 677)}) {
        form.resize(size);
        const int w = form.width();
        const int h = form.height();
        EXPECT_EQ(ok->x(), (w - ok->width()) / 2);
        EXPECT_EQ(ok->y() + ok->height(), h - 10);
        EXPECT_EQ(browser->geometry(), QRect(5, 5, w - 10, ok->y() - 15));
    }
}

TEST_F(RulesPage, OutsideLinksGoToTheSystemBrowserAnchorsStayInside) {
    UrlCatcher catcher;
    TRulersForm form(path_);
    form.resize(616, 401);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* browser = Child<QTextBrowser>(form, "RulersHTML");
    const QUrl page = browser->source();

    ClickLink(browser, QStringLiteral("outside link"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("https://example.org/reversi")));
    EXPECT_EQ(browser->source(), page);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Rules")));

    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    ClickLink(browser, QStringLiteral("jump"));
    EXPECT_EQ(catcher.opened.size(), 1);
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Rules")));
}

TEST_F(RulesPage, EscAndEnterClose) {
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        for (const bool onButton : {false, true}) {
            TRulersForm form(path_);
            form.open();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
            QWidget* target = onButton ? static_cast<QWidget*>(Child<QPushButton>(form, "OkBitBtn"))
                                       : static_cast<QWidget*>(&form);
            QTest::keyClick(target, key);
            EXPECT_FALSE(form.isVisible()) << key << " " << onButton;
        }
    }
}

TEST(RulesPageMissing, ShowsAClearMessageAndStillOpens) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("DATA/readme.htm"));
    TRulersForm form(missing);
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QString text = Child<QTextBrowser>(form, "RulersHTML")->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("could not be found"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(missing))) << text.toStdString();
    QTest::mouseClick(Child<QPushButton>(form, "OkBitBtn"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST(RulesPageMissing, AFolderInPlaceOfThePageIsNoPage) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("readme.htm")));
    TRulersForm form(dir.filePath(QStringLiteral("readme.htm")));
    EXPECT_TRUE(Child<QTextBrowser>(form, "RulersHTML")
                    ->toPlainText()
                    .contains(QStringLiteral("could not be found")));
}

TEST(OwnRulesPage, CoversBothFieldsAndEveryAnchorExists) {
    const QString path = TRulersForm::DefaultPagePath();
    ASSERT_TRUE(path.endsWith(QStringLiteral("DATA/readme.htm"))) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("8 x 8")));
    EXPECT_TRUE(html.contains(QStringLiteral("10 x 10")));
    // Every link inside the page has its target; every other link leaves by https.
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    int links = 0;
    for (auto m = link.globalMatch(html); m.hasNext();) {
        const QString target = m.next().captured(1);
        ++links;
        if (target.startsWith(QLatin1Char('#'))) {
            EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(target.mid(1))))
                << target.toStdString();
        } else {
            EXPECT_TRUE(target.startsWith(QStringLiteral("https://"))) << target.toStdString();
        }
    }
    EXPECT_GT(links, 0);

    TRulersForm form(path);
    auto* browser = Child<QTextBrowser>(form, "RulersHTML");
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Making a move")));
    EXPECT_FALSE(browser->toPlainText().contains(QStringLiteral("could not be found")));
}

// --- the volume window ---

TEST(VolumeDialog, CaptionsAndSliders) {
    TVolumeDlg dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Setup sound and music volumes");
    EXPECT_EQ(dialog.size(), QSize(353, 149));
    EXPECT_EQ(ButtonText(dialog, "OkBitBtn"), "Ok");
    EXPECT_EQ(ButtonText(dialog, "CancelBitBtn"), "Cancel");
    EXPECT_EQ(Child<QGroupBox>(dialog, "SoundMusicGroupBox")->title().toStdString(),
              "Sound and music volumes");
    EXPECT_EQ(Child<QLabel>(dialog, "SoundLabel")->text().toStdString(), "Sound");
    EXPECT_EQ(Child<QLabel>(dialog, "MusicLabel")->text().toStdString(), "Music");
    for (const char* name : {"TrackBarSound", "TrackBarMusic"}) {
        auto* slider = Child<QSlider>(dialog, name);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 255);
        EXPECT_EQ(slider->tickInterval(), 15);
    }
    EXPECT_TRUE(Child<QPushButton>(dialog, "OkBitBtn")->isDefault());
}

TEST(VolumeDialog, MusicFollowsItsSliderLiveAndOkKeepsBoth) {
    TVolumeDlg dialog;
    QSignalSpy music(&dialog, &TVolumeDlg::MusicVolumeChanged);
    dialog.SetVolumes(225, 120);
    EXPECT_EQ(dialog.SoundVolume(), 225);
    EXPECT_EQ(dialog.MusicVolume(), 120);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    music.clear();

    auto* musicBar = Child<QSlider>(dialog, "TrackBarMusic");
    musicBar->setFocus();
    QTest::keyClick(musicBar, Qt::Key_Right);
    QTest::keyClick(musicBar, Qt::Key_PageUp);
    ASSERT_EQ(music.size(), 2);
    EXPECT_EQ(music[0][0].toInt(), 121);
    EXPECT_EQ(music[1][0].toInt(), 136);

    // The effects slider says nothing while it moves.
    auto* soundBar = Child<QSlider>(dialog, "TrackBarSound");
    soundBar->setFocus();
    QTest::keyClick(soundBar, Qt::Key_Home);
    EXPECT_EQ(music.size(), 2);

    QTest::mouseClick(Child<QPushButton>(dialog, "OkBitBtn"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SoundVolume(), 0);
    EXPECT_EQ(dialog.MusicVolume(), 136);
    EXPECT_EQ(music.size(), 2);
}

TEST(VolumeDialog, CancelEscAndTheCloseBoxPutBothBack) {
    const std::pair<const char*, std::function<void(TVolumeDlg&)>> closers[] = {
        {"Cancel",
         [](TVolumeDlg& d) {
             QTest::mouseClick(Child<QPushButton>(d, "CancelBitBtn"), Qt::LeftButton);
         }},
        {"Esc", [](TVolumeDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](TVolumeDlg& d) { d.close(); }},
    };
    TVolumeDlg dialog;
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        dialog.SetVolumes(200, 90);
        QSignalSpy music(&dialog, &TVolumeDlg::MusicVolumeChanged);
        dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        Child<QSlider>(dialog, "TrackBarMusic")->setValue(250);
        Child<QSlider>(dialog, "TrackBarSound")->setValue(10);
        close(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.SoundVolume(), 200);
        EXPECT_EQ(dialog.MusicVolume(), 90);
        // The music went to 250 and back to what played before.
        ASSERT_EQ(music.size(), 2);
        EXPECT_EQ(music[1][0].toInt(), 90);
    }
}

TEST(VolumeDialog, VolumesOutsideTheRangeAreClamped) {
    TVolumeDlg dialog;
    dialog.SetVolumes(300, -5);
    EXPECT_EQ(dialog.SoundVolume(), 255);
    EXPECT_EQ(dialog.MusicVolume(), 0);
    dialog.open();
    dialog.reject();
    EXPECT_EQ(dialog.SoundVolume(), 255);
    EXPECT_EQ(dialog.MusicVolume(), 0);
}

// --- pictures to look at ---

TEST(InformationDialogs, Screenshots) {
    const QString dir = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "set REVERSI_SCREENSHOTS to a folder to keep pictures";
    TDayTipForm tip(true, 1000);
    tip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tip));
    EXPECT_TRUE(tip.grab().save(dir + QStringLiteral("/daytip.png")));
    TDayTipForm tip2(true, 0);
    tip2.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tip2));
    EXPECT_TRUE(tip2.grab().save(dir + QStringLiteral("/daytip2.png")));

    TRulersForm rules(TRulersForm::DefaultPagePath());
    rules.resize(616, 401);
    rules.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rules));
    EXPECT_TRUE(rules.grab().save(dir + QStringLiteral("/rules.png")));
    auto* browser = rules.findChild<QTextBrowser*>();
    browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->maximum() / 2);
    EXPECT_TRUE(rules.grab().save(dir + QStringLiteral("/rules_middle.png")));
    TRulersForm missing(QStringLiteral("/nowhere/DATA/readme.htm"));
    missing.resize(616, 401);
    missing.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&missing));
    EXPECT_TRUE(missing.grab().save(dir + QStringLiteral("/rules_missing.png")));

    TChoiceDlg choice;
    choice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&choice));
    EXPECT_TRUE(choice.grab().save(dir + QStringLiteral("/choice.png")));
    choice.hide();

    TVolumeDlg volume;
    volume.SetVolumes(225, 120);
    volume.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&volume));
    EXPECT_TRUE(volume.grab().save(dir + QStringLiteral("/volume.png")));
}

}  // namespace
}  // namespace reversi

#include "InformationDialogsTest.moc"
