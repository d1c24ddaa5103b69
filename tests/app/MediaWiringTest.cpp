// The window's media as a player meets them: the Animation, Sound and Music
// toggles, the music pausing with the minimised window, the volume dialog and
// the music source from the menu, the tray icon, and the window keeping its
// centre when the field size changes.
#include <SDL_mixer.h>

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "DialogPlacement.h"
#include "EngineUnit.h"
#include "FakeMusicOutput.h"
#include "MainWindow.h"
#include "ModalAnswer.h"
#include "MusicSource.h"
#include "PlayTestSupport.h"
#include "SettingsStore.h"
#include "VolumeUnit.h"
#include "WaitUntil.h"
#include "WindowChildren.h"
#include "WindowPlacement.h"

namespace reversi {
namespace {
using test::Child;
using test::ModalAnswer;
using test::WaitUntil;

constexpr const char* kShippedTrack = "evening_board.ogg";

// A shown window whose music goes to a scripted output that "plays" the
// shipped track, and whose tray answers as the test says.
class MediaWindow : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        music.playable = {kShippedTrack};
        form = std::make_unique<TReversiForm>();
        form->SetTrayAvailableQuery([this] { return trayAvailable; });
        form->SetMusicOutput(std::make_unique<test::FakeMusicOutput>(music));
        auto owned = std::make_unique<test::RecordingMessages>();
        messages = owned.get();
        form->SetGameMessages(std::move(owned));
        QObject::connect(form.get(), &TReversiForm::soundPlayed,
                         [this](platform::TSoundEffect effect) { sounds.push_back(effect); });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override { form.reset(); }

    void WaitForMusic() {
        ASSERT_TRUE(WaitUntil([&] { return music.channel >= 0; }, 5000))
            << "the player never started the shipped track";
    }
    QSystemTrayIcon* TrayIcon() const { return form->findChild<QSystemTrayIcon*>(); }
    QAction* Item(const char* name) const { return Child<QAction>(*form, name); }
    // Moves the pointer over two different legal squares: the second sounds "correct".
    void PointAtTwoLegalSquares() {
        const auto legal = test::LegalSquaresOf(Game());
        ASSERT_GE(legal.size(), 2u);
        form->MouseMoveAt(form->SquareCentre(legal[0].first, legal[0].second));
        form->MouseMoveAt(form->SquareCentre(legal[1].first, legal[1].second));
    }

    test::FakeMusicOutput::Script music;  // outlives the window, which plays into it
    bool trayAvailable = true;
    // The game on the window's board.
    GameState& Game() const { return test::GameOf(*form); }

    std::unique_ptr<TReversiForm> form;
    test::RecordingMessages* messages = nullptr;
    std::vector<platform::TSoundEffect> sounds;
};

TEST_F(MediaWindow, EachToggleFlipsItsFlagAndItsCheckMarkAndBackAgain) {
    struct Row {
        const char* item;
        bool Settings::*flag;
    };
    const Row rows[] = {{"Animation1", &Settings::AnimationOn},
                        {"Sound1", &Settings::SoundEffectsOn},
                        {"Music1", &Settings::MusicOn}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.item);
        QAction* item = Item(row.item);
        const Settings before = form->CurrentSettings();
        ASSERT_TRUE(before.*(row.flag));
        ASSERT_TRUE(item->isChecked());
        int flips = 0;
        const auto counter = QObject::connect(item, &QAction::toggled, [&] { ++flips; });

        item->trigger();
        Settings expected = before;
        expected.*(row.flag) = false;
        EXPECT_EQ(form->CurrentSettings(), expected) << "only its own flag changes";
        EXPECT_FALSE(item->isChecked());
        EXPECT_EQ(flips, 1);

        item->trigger();
        EXPECT_EQ(form->CurrentSettings(), before);
        EXPECT_TRUE(item->isChecked());
        EXPECT_EQ(flips, 2);
        QObject::disconnect(counter);
    }
}

TEST_F(MediaWindow, NoCheckMarkFlipsWhenSomethingElseChanges) {
    int flips = 0;
    for (const char* name : {"Animation1", "Sound1", "Music1"})
        QObject::connect(Item(name), &QAction::toggled, [&] { ++flips; });
    Settings s = form->CurrentSettings();
    form->ChangeSettings(s);
    s.MusicVolume = 10;
    s.CursorStyle = 1;
    form->ChangeSettings(s);
    Item("Sound1")->trigger();
    EXPECT_EQ(flips, 1) << "the sound toggle flips its own mark, nothing else flips";
    EXPECT_TRUE(Item("Animation1")->isChecked());
    EXPECT_TRUE(Item("Music1")->isChecked());
}

TEST_F(MediaWindow, TheAnimationToggleSwitchesTheMoveAnimationAndTheMoveSound) {
    Item("Animation1")->trigger();
    EXPECT_FALSE(form->Animations().Options().animationOn);
    const auto legal = test::LegalSquaresOf(Game());
    ASSERT_FALSE(legal.empty());
    sounds.clear();
    QTest::mouseClick(form->BoardWidget(), Qt::LeftButton, Qt::NoModifier,
                      form->SquareCentre(legal[0].first, legal[0].second));
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), platform::TSoundEffect::stmove), sounds.end())
        << "a move without animation sounds stmove";
    EXPECT_EQ(std::find(sounds.begin(), sounds.end(), platform::TSoundEffect::move), sounds.end());

    Item("Animation1")->trigger();
    EXPECT_TRUE(form->Animations().Options().animationOn);
}

TEST_F(MediaWindow, SwitchingAnimationOffEndsAMoveHalfTurnedOver) {
    form->SetAnimationInterval(1000);  // the animation stays in its first frames
    const auto legal = test::LegalSquaresOf(Game());
    ASSERT_FALSE(legal.empty());
    const auto [x, y] = legal[0];
    QTimer::singleShot(0, [&] {
        // The move's animation runs now; the click waits for it.
        EXPECT_TRUE(form->Animations().MoveAnimationEnabled);
        Item("Animation1")->trigger();
        EXPECT_FALSE(form->Animations().MoveAnimationEnabled);
    });
    QTest::mouseClick(form->BoardWidget(), Qt::LeftButton, Qt::NoModifier,
                      form->SquareCentre(x, y));
    ASSERT_TRUE(WaitUntil([&] { return !Game().ThreadRunning && Game().SideToMove == CellWhite; }))
        << "the computer did not answer";
    EXPECT_FALSE(form->Animations().MoveAnimationEnabled) << "the reply is not animated";
}

TEST_F(MediaWindow, TheSoundToggleSilencesTheEffects) {
    Item("Sound1")->trigger();
    PointAtTwoLegalSquares();
    EXPECT_TRUE(sounds.empty());

    Item("Sound1")->trigger();
    PointAtTwoLegalSquares();
    ASSERT_FALSE(sounds.empty());
    for (const auto effect : sounds) EXPECT_EQ(effect, platform::TSoundEffect::correct);
}

TEST_F(MediaWindow, TheMusicTogglePausesAndResumesThePiece) {
    WaitForMusic();
    const int channel = music.channel;
    EXPECT_FALSE(music.paused);
    Item("Music1")->trigger();
    EXPECT_TRUE(music.paused);
    EXPECT_FALSE(form->Music()->IsEnabled());
    Item("Music1")->trigger();
    EXPECT_FALSE(music.paused);
    EXPECT_EQ(music.channel, channel) << "the same piece goes on";
}

TEST_F(MediaWindow, MusicSwitchedOffStartsThePiecePausedAndSilent) {
    Item("Music1")->trigger();
    WaitForMusic();
    EXPECT_TRUE(music.paused);
}

TEST_F(MediaWindow, MinimisingPausesTheMusicAndRestoringResumesIt) {
    trayAvailable = false;
    WaitForMusic();
    form->showMinimized();
    EXPECT_TRUE(music.paused);
    EXPECT_TRUE(form->Music()->IsPaused());
    form->showNormal();
    EXPECT_FALSE(music.paused);

    // Restoring does not switch on music that is off.
    Item("Music1")->trigger();
    form->showMinimized();
    form->showNormal();
    EXPECT_TRUE(music.paused);
}

TEST_F(MediaWindow, MinimisingHidesTheWindowOnlyIntoAnExistingTrayWithTheOptionOn) {
    struct Row {
        bool useSysTray;
        bool trayExists;
        bool hidden;
    };
    for (const Row row : {Row{true, true, true}, Row{true, false, false}, Row{false, true, false},
                          Row{false, false, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "option " << row.useSysTray << ", tray " << row.trayExists);
        Settings s = form->CurrentSettings();
        s.UseSysTray = row.useSysTray;
        form->ChangeSettings(s);
        trayAvailable = row.trayExists;

        form->showMinimized();
        // The hiding follows the minimising as a queued call.
        ASSERT_TRUE(test::PostedEventsHandled());
        EXPECT_TRUE(form->isMinimized());
        EXPECT_EQ(form->isVisible(), !row.hidden);
        EXPECT_EQ(TrayIcon()->isVisible(), row.hidden);
        EXPECT_EQ(TrayIcon()->toolTip().toStdString(), "Zorel Reversi");

        form->showNormal();
        ASSERT_TRUE(WaitUntil([&] { return form->isVisible() && !form->isMinimized(); }, 2000));
        EXPECT_FALSE(TrayIcon()->isVisible());
    }
}

TEST_F(MediaWindow, AClickOnTheTrayIconBringsTheWindowBackAndResumesTheMusic) {
    WaitForMusic();
    form->showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return !form->isVisible(); }, 2000)) << "not hidden into the tray";
    ASSERT_TRUE(TrayIcon()->isVisible());

    emit TrayIcon()->activated(QSystemTrayIcon::Context);  // the right button does nothing
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(music.paused);

    emit TrayIcon()->activated(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(WaitUntil([&] { return form->isVisible(); }, 2000)) << "window not shown again";
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(TrayIcon()->isVisible());
    EXPECT_FALSE(music.paused);
}

TEST_F(MediaWindow, ClosingRemovesTheIconAndStopsTheMusic) {
    WaitForMusic();
    form->showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return !form->isVisible(); }, 2000)) << "not hidden into the tray";
    ASSERT_TRUE(TrayIcon()->isVisible());
    QSystemTrayIcon* icon = TrayIcon();
    music.log.clear();
    form->close();
    EXPECT_FALSE(icon->isVisible());
    EXPECT_EQ(music.log, std::vector<std::string>{"close"});
    EXPECT_EQ(form->Music(), nullptr);
}

// The volume dialog with the music slider moved to `music` and the sound
// slider to `sound`; `live` records the music volume while the dialog is open.
std::unique_ptr<ModalAnswer> AnswerVolumes(int sound, int music, bool ok, int& live,
                                           const test::FakeMusicOutput::Script& output,
                                           QRect& placed) {
    return ModalAnswer::For<TVolumeDlg>(
        [=, &live, &output, &placed](TVolumeDlg* dialog) {
            placed = dialog->frameGeometry();
            Child<QSlider>(*dialog, "TrackBarSound")->setValue(sound);
            Child<QSlider>(*dialog, "TrackBarMusic")->setValue(music);
            live = output.volume;
            Child<QPushButton>(*dialog, ok ? "OkBitBtn" : "CancelBitBtn")->click();
        },
        "the volume dialog");
}

TEST_F(MediaWindow, TheVolumeDialogPreviewsTheMusicAndCancelPutsItBack) {
    WaitForMusic();
    int live = -1;
    QRect placed;
    {
        auto answer = AnswerVolumes(30, 40, false, live, music, placed);
        Item("Soundvolume1")->trigger();
    }
    EXPECT_EQ(live, 40) << "the music follows the slider at once";
    EXPECT_EQ(music.volume, 120) << "Cancel restores the volume that played";
    EXPECT_EQ(form->CurrentSettings().MusicVolume, 120);
    EXPECT_EQ(form->CurrentSettings().SoundVolume, 225);
    EXPECT_EQ(placed.topLeft(), CentredOver(form->frameGeometry(), placed.size()))
        << "centred over the window by the outer frames";

    auto* dialog = form->findChild<TVolumeDlg*>();
    {
        auto answer = AnswerVolumes(100, 200, true, live, music, placed);
        Item("Soundvolume1")->trigger();
    }
    EXPECT_EQ(form->findChild<TVolumeDlg*>(), dialog) << "one dialog, used again";
    EXPECT_EQ(music.volume, 200);
    EXPECT_EQ(form->CurrentSettings().MusicVolume, 200);
    EXPECT_EQ(form->CurrentSettings().SoundVolume, 100);
    EXPECT_EQ(form->Music()->Volume(), 200);

    // The effects take the new volume as the next one plays.
    PointAtTwoLegalSquares();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(Mix_MasterVolume(-1), platform::SoundLayer::toMixerVolume(100));
}

TEST_F(MediaWindow, TheVolumeDialogOpensOnTheVolumesInForce) {
    Settings s = form->CurrentSettings();
    s.SoundVolume = 17;
    s.MusicVolume = 250;
    form->ChangeSettings(s);
    int sound = -1, musicVolume = -1;
    {
        auto answer = ModalAnswer::For<TVolumeDlg>(
            [&](TVolumeDlg* dialog) {
                sound = dialog->SoundVolume();
                musicVolume = dialog->MusicVolume();
                dialog->reject();
            },
            "the volume dialog");
        Item("Soundvolume1")->trigger();
    }
    EXPECT_EQ(sound, 17);
    EXPECT_EQ(musicVolume, 250);
}

// The folder chooser answered: `folder` chosen, or cancelled when empty.
std::unique_ptr<ModalAnswer> AnswerChooser(const QString& folder) {
    return ModalAnswer::For<QFileDialog>(
        [folder](QFileDialog* dialog) {
            if (folder.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(folder);
            dialog->selectFile(folder);
            static_cast<QDialog*>(dialog)->accept();  // the dialog's own accept checks the choice
        },
        "the music folder chooser");
}

TEST_F(MediaWindow, MusicSourceTakesTheChosenFolder) {
    WaitForMusic();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        auto answer = AnswerChooser(dir.path());
        Item("Musicsource1")->trigger();
    }
    EXPECT_EQ(QFileInfo(form->CurrentSettings().MusicFolder), QFileInfo(dir.path()));
    EXPECT_EQ(QFileInfo(form->Music()->Folder()), QFileInfo(dir.path()));
    EXPECT_EQ(music.channel, -1) << "the piece of the old folder stops";
    EXPECT_TRUE(messages->questions.isEmpty());
}

TEST_F(MediaWindow, CancellingTheChooserOffersTheDefaultFolder) {
    WaitForMusic();
    Settings s = form->CurrentSettings();
    const QString defaultFolder = s.MusicFolder;
    QTemporaryDir dir;
    s.MusicFolder = dir.path();
    form->ChangeSettings(s);
    ASSERT_EQ(music.channel, -1);

    messages->answer = false;  // No: nothing changes
    {
        auto answer = AnswerChooser(QString());
        Item("Musicsource1")->trigger();
    }
    EXPECT_EQ(messages->questions, QStringList{DefaultMusicFolderQuestion()});
    EXPECT_EQ(form->CurrentSettings().MusicFolder, dir.path());

    messages->answer = true;  // Yes: the default folder, and its music again
    {
        auto answer = AnswerChooser(QString());
        Item("Musicsource1")->trigger();
    }
    EXPECT_EQ(form->CurrentSettings().MusicFolder, SettingsStore::DefaultMusicFolder());
    EXPECT_EQ(form->CurrentSettings().MusicFolder, defaultFolder);
    WaitForMusic();
}

TEST_F(MediaWindow, TheWindowKeepsItsCentreWhenTheFieldSizeChanges) {
    form->move(300, 200);
    QCoreApplication::processEvents();
    for (int size : {10, 8}) {
        SCOPED_TRACE(size);
        const QRect before = form->frameGeometry();
        Game().BoardSize = size;
        NewGame(Game());
        form->SizeWindowToField();
        QCoreApplication::processEvents();
        ASSERT_NE(form->frameGeometry().size(), before.size());
        EXPECT_EQ(form->frameGeometry(), RecentredGeometry(before, form->frameGeometry().size()));
    }
}

// The real sound output (SDL's dummy driver): with music on, the window
// starts the shipped track by itself.
TEST(MediaWindowAudio, AWindowWithMusicOnPlaysTheShippedTrack) {
    QSettings().clear();
    auto form = std::make_unique<TReversiForm>();
    form->SetGameMessages(std::make_unique<test::RecordingMessages>());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(form->CurrentSettings().MusicOn);
    ASSERT_NE(form->Music(), nullptr) << "no sound output";
    ASSERT_TRUE(WaitUntil([&] { return !form->Music()->CurrentFile().isEmpty(); }, 5000))
        << "the window never started its music";
    EXPECT_EQ(QFileInfo(form->Music()->CurrentFile()).fileName().toStdString(), kShippedTrack);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_FALSE(Mix_PausedMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), platform::SoundLayer::toMixerVolume(120));
    form->close();
    EXPECT_FALSE(Mix_PlayingMusic()) << "closing stops the music";
}

}  // namespace
}  // namespace reversi
