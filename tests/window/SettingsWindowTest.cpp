// The settings window in the real program's shell, under the offscreen platform: each control
// writes its option and CLOSE writes lm2.ini; the locks by level, by a game in progress and by a
// connection; Match points kept in range; the score resets; a new skin during a game.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include "persistence/SettingsFile.h"
#include "support/Positions.h"
#include "support/ProgramShell.h"
#include "support/TurnSetup.h"
#include "ui/BoardPlaces.h"
#include "ui/BoardWindow.h"
#include "ui/MenuPanel.h"
#include "ui/SettingsWindow.h"
#include "ui/Shell.h"

using namespace lumaro;
using lumaro::testing::positionOf;
using Program = lumaro::testing::ProgramShell;

namespace {

// A control of the window by its caption, accelerator marks left out.
template <class Control>
Control* control(QWidget* window, const QString& caption) {
    for (Control* c : window->findChildren<Control*>())
        if (c->text().remove(QLatin1Char('&')) == caption) return c;
    qWarning() << "no control" << caption;
    return nullptr;
}

void click(QAbstractButton* button) {
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), qPrintable(button->text()));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir windowSettings_;

private slots:
    // The window's own settings go to a folder of the test's, never the user's.
    void initTestCase() {
        QVERIFY(windowSettings_.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, windowSettings_.path());
    }

    void eachControlWritesItsOptionAndCloseWritesTheFile() {
        Program p(QStringLiteral("lumaro-settings-controls"));
        QVERIFY(p.withNetworks());
        QVERIFY(p.start());
        p.tune();
        SettingsWindow* w = p.settings;
        QVERIFY(w->isVisible());
        QVERIFY(!p.shell.board().isEnabled());
        const Options& o = p.shell.game().options();

        click(control<QRadioButton>(w, QStringLiteral("Level 3 - Expert")));
        QCOMPARE(int(o.computerLevel), 3);
        click(control<QRadioButton>(w, QStringLiteral("Aggressive")));
        QCOMPARE(int(o.normalNet), 0);
        click(control<QRadioButton>(w, QStringLiteral("Level 2 - Intermediate")));
        click(control<QRadioButton>(w, QStringLiteral("Slow (best)")));
        QCOMPARE(int(o.slowThinking), 1);
        click(control<QRadioButton>(w, QStringLiteral("Level 1 - Beginner")));
        auto sliders = w->findChildren<QSlider*>();
        QCOMPARE(sliders.size(), 3);
        sliders[0]->setValue(2);
        sliders[1]->setValue(-1);
        sliders[2]->setValue(-2);
        QCOMPARE(int(o.attackSlider), 2);
        QCOMPARE(int(o.riskSlider), -1);
        QCOMPARE(int(o.strategySlider), -2);
        click(control<QRadioButton>(w, QStringLiteral("Modern")));
        click(control<QRadioButton>(w, QStringLiteral("Slow")));
        click(control<QRadioButton>(w, QStringLiteral("Manual")));
        click(control<QRadioButton>(w, QStringLiteral("Alternate")));
        click(control<QRadioButton>(w, QStringLiteral("Match")));
        click(control<QRadioButton>(w, QStringLiteral("Human")));
        click(control<QRadioButton>(w, QStringLiteral("Network")));
        for (const char* caption : {"Local time", "Game duration", "Chat lines - C key", "Autohide chat lines", "Jacoby rule",
                                    "Doubles always accepted", "No backgammon scoring"})
            click(control<QCheckBox>(w, QString::fromLatin1(caption)));
        for (const char* caption : {"Bar dots", "Bar numbers", "Borne off", "Pips count", "Doubling cube", "Crawford rule", "FX"})
            click(control<QCheckBox>(w, QString::fromLatin1(caption)));
        w->nameField().setText(QStringLiteral("Ana"));
        w->addressField().setText(QStringLiteral("127.0.0.1"));

        w->closeButton().click();
        QVERIFY(!w->isVisible());
        QVERIFY(p.shell.board().isEnabled());
        const QByteArray bytes = fileBytes(p.ini());
        QCOMPARE(bytes.size(), 61 - 6 + 3 + 9);  // "Ana" and "127.0.0.1" in place of "Master" and nothing
        auto at = [&](int offset) { return int(static_cast<unsigned char>(bytes[offset])); };
        QCOMPARE(at(0) | at(1) << 8, 4);  // Slow
        for (int offset : {4, 5, 6, 7, 35, 36, 37}) QVERIFY2(at(offset) == 0, qPrintable(QString::number(offset)));  // the ticks cleared
        for (int offset : {8, 9, 31, 32, 38, 42, 43, 44, 45, 50, 51, 52}) QCOMPARE(at(offset), 1);
        QCOMPARE(at(34), 0);   // Aggressive
        QCOMPARE(at(39), 0);   // Network
        QCOMPARE(at(41), 0);   // Manual
        QCOMPARE(at(46), 2);   // Attack
        QCOMPARE(at(47), 255); // Risk -1
        QCOMPARE(at(48), 254); // Strategy -2
        QCOMPARE(at(49), 1);   // Level 1
        QCOMPARE(bytes.mid(53, 4), QByteArray("\x03" "Ana", 4));
        QCOMPARE(bytes.mid(57), QByteArray("\x09" "127.0.0.1", 10));
        // What the file says is what the game reads back.
        Options read;
        Scores scores;
        loadSettings(p.ini().toStdString(), read, scores);
        QCOMPARE(int(read.modernSkin), 1);
        QCOMPARE(read.playerName, std::string("Ana"));
    }

    void theLocksFollowTheLevelTheGameAndTheConnection() {
        Program p(QStringLiteral("lumaro-settings-locks"));
        QVERIFY(p.withNetworks());
        QVERIFY(p.start());
        Game& g = p.shell.game();
        p.tune();
        SettingsWindow* w = p.settings;
        QRadioButton* attackLevel = control<QRadioButton>(w, QStringLiteral("Level 1 - Beginner"));
        QSlider* attack = w->findChildren<QSlider*>().value(0);
        QRadioButton* fast = control<QRadioButton>(w, QStringLiteral("Slow (best)"));
        QRadioButton* normal = control<QRadioButton>(w, QStringLiteral("Normal"));
        QVERIFY(attackLevel && attack && fast && normal);
        const struct {
            const char* level;
            bool sliders, thinking, net;
        } levels[] = {{"Level 1 - Beginner", true, false, false},
                      {"Level 2 - Intermediate", false, true, false},
                      {"Level 3 - Expert", false, false, true},
                      {"Master", false, false, false}};
        for (const auto& l : levels) {
            click(control<QRadioButton>(w, QString::fromLatin1(l.level)));
            QCOMPARE(attack->isEnabled(), l.sliders);
            QCOMPARE(fast->isEnabled(), l.thinking);
            QCOMPARE(normal->isEnabled(), l.net);
        }
        w->closeButton().click();

        // A game in progress: the rules, the opponent and the scores stay as they are.
        lumaro::testing::startTurnOn(g, startingPosition(), 3, 1, 1);
        p.tune();
        for (const char* caption : {"Game", "Human", "Automatic", "Level 1 - Beginner"})
            QVERIFY2(!control<QRadioButton>(w, QString::fromLatin1(caption))->isEnabled(), caption);
        for (const char* caption : {"Doubling cube", "Jacoby rule", "Crawford rule", "Doubles always accepted"})
            QVERIFY2(!control<QCheckBox>(w, QString::fromLatin1(caption))->isEnabled(), caption);
        QVERIFY(!control<QAbstractButton>(w, QStringLiteral("Games"))->isEnabled());
        QVERIFY(!w->matchPointsField().isEnabled());
        for (const char* caption : {"Modern", "Alternate", "Slow"})
            QVERIFY2(control<QRadioButton>(w, QString::fromLatin1(caption))->isEnabled(), caption);
        QVERIFY(control<QCheckBox>(w, QStringLiteral("Bar dots"))->isEnabled());
        w->closeButton().click();

        // Connected, no game: what both programs must agree on is fixed.
        g.stopGameUnscored();
        g.changeOptions([&](Options& o) { o.humanOpponent = true; });
        g.changeOptions([&](Options& o) { o.localPlay = false; });
        g.connectionMade(false);
        p.tune();
        for (const char* caption : {"Game", "Human", "Network", "Automatic", "Alternate"})
            QVERIFY2(!control<QRadioButton>(w, QString::fromLatin1(caption))->isEnabled(), caption);
        QVERIFY(!control<QCheckBox>(w, QStringLiteral("Doubling cube"))->isEnabled());
        QVERIFY(w->matchPointsField().isEnabled());
        QVERIFY(control<QAbstractButton>(w, QStringLiteral("Games"))->isEnabled());
        w->closeButton().click();
    }

    void matchPointsStayInRangeAndEachResetClearsItsOwnTotals() {
        Program p(QStringLiteral("lumaro-settings-points"));
        QVERIFY(p.start());
        Game& g = p.shell.game();
        g.restoreScores(Scores{2, 1, 3, 4, 17, 12, 5, 6});
        g.arrangeMatchBoards(g.state().gameNumber(), 3);
        p.tune();
        SettingsWindow* w = p.settings;
        QSpinBox& points = w->matchPointsField();
        for (const auto& [typed, kept] : {std::pair{"300", 255}, std::pair{"0", 1}, std::pair{"7", 7}}) {
            QLineEdit* field = points.findChild<QLineEdit*>();
            QVERIFY(field);
            points.setFocus();
            field->selectAll();
            QTest::keyClicks(field, QString::fromLatin1(typed));
            QTest::keyClick(field, Qt::Key_Return);  // done with the field
            QCOMPARE(int(g.options().matchLength), kept);
            QCOMPARE(points.value(), kept);
        }
        // An emptied field keeps the points it had.
        points.findChild<QLineEdit*>()->selectAll();
        QTest::keyClick(points.findChild<QLineEdit*>(), Qt::Key_Backspace);
        QTest::keyClick(points.findChild<QLineEdit*>(), Qt::Key_Return);
        QCOMPARE(points.value(), 7);
        QCOMPARE(int(g.options().matchLength), 7);
        // The arrows stop at the ends of the range.
        points.setValue(255);
        points.stepUp();
        QCOMPARE(points.value(), 255);
        points.setValue(1);
        points.stepDown();
        QCOMPARE(points.value(), 1);
        QCOMPARE(int(g.options().matchLength), 1);
        click(control<QAbstractButton>(w, QStringLiteral("Games")));
        QCOMPARE(g.state().scores().whitePointsTotal + g.state().scores().blackPointsTotal + g.state().scores().whiteGamesWon + g.state().scores().blackGamesWon, 0u);
        QCOMPARE(int(g.state().scores().whiteMatchScore), 2);
        QCOMPARE(int(g.state().crawfordGameNumber()), 3);
        click(control<QAbstractButton>(w, QStringLiteral("Matches")));
        QCOMPARE(g.state().scores().whiteMatchScore + g.state().scores().blackMatchScore + g.state().scores().whiteMatchesWon + g.state().scores().blackMatchesWon, 0);
        QCOMPARE(int(g.state().crawfordGameNumber()), 0);
        w->closeButton().click();
    }

    void aNameBeingTypedSurvivesARefreshAndTwentyWideLettersShowWhole() {
        Program p(QStringLiteral("lumaro-settings-name"));
        QVERIFY(p.start());
        const Options& o = p.shell.game().options();
        p.tune();
        SettingsWindow* w = p.settings;
        QLineEdit& name = w->nameField();
        name.setFocus();
        name.selectAll();
        QTest::keyClicks(&name, QStringLiteral("WWWWWWWWWWWWWWWWWWWWW"));  // one more than fits
        QTest::keyClicks(&w->addressField(), QStringLiteral("10.0.0.7"));
        QCOMPARE(o.playerName, std::string(20, 'W'));
        QCOMPARE(o.remoteAddress, std::string("10.0.0.7"));
        w->refresh();  // what a connection coming up does while the window is open
        QCOMPARE(name.text(), QString(20, QLatin1Char('W')));
        QCOMPARE(w->addressField().text(), QStringLiteral("10.0.0.7"));

        // Scrolled to its start, the field shows the end of the name too: nothing is cut off.
        name.home(false);
        QCOMPARE(name.cursorPositionAt(QPoint(name.width() - 4, name.height() / 2)), 20);
        QVERIFY(QFontMetrics(name.font()).horizontalAdvance(name.text()) < name.width());
        w->closeButton().click();
    }

    void volumeIsGreyWithoutAMixerAndOpensTheFirstOneInstalled() {
        Program p(QStringLiteral("lumaro-settings-volume"));
        QVERIFY(p.start());
        SettingsWindow* w = p.settings;
        QStringList installed;
        QStringList started;
        w->findExecutable = [&installed](const QString& name) {
            return installed.contains(name) ? QStringLiteral("/opt/bin/") + name : QString();
        };
        w->startProgram = [&started](const QString& program, const QStringList& arguments) {
            started << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return true;
        };
        p.tune();
        QAbstractButton* volume = control<QAbstractButton>(w, QStringLiteral("Volume"));
        QVERIFY(volume);
        QVERIFY(!volume->isEnabled());
        QVERIFY(volume->toolTip().contains(QStringLiteral("No mixer")));
        w->closeButton().click();

        // Plasma's two: the first of the list that is installed opens.
        installed = QStringList{QStringLiteral("systemsettings"), QStringLiteral("kcmshell6")};
        p.tune();
        QVERIFY(volume->isEnabled());
        QVERIFY(volume->toolTip().isEmpty());
        click(volume);
        QCOMPARE(started, QStringList{QStringLiteral("/opt/bin/kcmshell6 kcm_pulseaudio")});
        w->closeButton().click();
    }

    void theExpertIsUnavailableWithoutItsNetworksAndSaysWhy() {
        Program p(QStringLiteral("lumaro-settings-expert"));
        QVERIFY(p.start());  // no networks in the program's folder
        Game& g = p.shell.game();
        g.changeOptions([&](Options& o) { o.computerLevel = Level::Expert; });
        p.tune();
        QRadioButton* expert = control<QRadioButton>(p.settings, QStringLiteral("Level 3 - Expert"));
        QVERIFY(expert);
        QVERIFY(!expert->isEnabled());
        QVERIFY(expert->isChecked());  // the choice stays for when the networks are back
        QVERIFY2(expert->toolTip().contains(p.folder + QStringLiteral("/nn1.bin: No such file or directory")),
                 qPrintable(expert->toolTip()));
        QVERIFY(control<QRadioButton>(p.settings, QStringLiteral("Level 2 - Intermediate"))->isEnabled());
        p.settings->closeButton().click();
        QCOMPARE(int(g.options().computerLevel), 3);
        QCOMPARE(g.playingLevel(), Level::Intermediate);
    }

    void theMasterSurvivesARestartWhileTheFileKeepsLevelThree() {
        Program p(QStringLiteral("lumaro-settings-master"));
        QVERIFY(p.withNetworks());
        QVERIFY(p.start());
        p.tune();
        click(control<QRadioButton>(p.settings, QStringLiteral("Master")));
        QVERIFY(p.shell.game().options().master);
        p.settings->closeButton().click();
        QByteArray bytes = fileBytes(p.ini());
        QCOMPARE(int(bytes.at(49)), 3);  // a reader of the file sees level 3
        Options read;
        Scores scores;
        QCOMPARE(loadSettings(p.ini().toStdString(), read, scores), SettingsIo::ok);
        QCOMPARE(int(read.computerLevel), 3);

        auto restarted = [&p] {
            auto again = std::make_unique<Shell>(p.folder);
            if (!again->start()) return std::unique_ptr<Shell>();
            again->board().startupPending = false;
            return again;
        };
        {
            const std::unique_ptr<Shell> again = restarted();
            QVERIFY(again);
            QVERIFY(again->game().options().master);
            QCOMPARE(int(again->game().options().computerLevel), 3);
            QVERIFY(control<QRadioButton>(&again->settings(), QStringLiteral("Master"))->isChecked());
        }
        // Another program set level 1 in the file since: that level plays.
        bytes[49] = 1;
        QFile file(p.ini());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const std::unique_ptr<Shell> again = restarted();
        QVERIFY(again);
        QVERIFY(!again->game().options().master);
        QCOMPARE(int(again->game().options().computerLevel), 1);
    }

    void aNewSkinDuringAGameLaysEveryCheckerOutWhereItStood() {
        Program p(QStringLiteral("lumaro-settings-skin"));
        QVERIFY(p.start());
        Game& g = p.shell.game();
        const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -3}, {6, -4}}, 0, 1);
        lumaro::testing::startTurnOn(g, pos, 3, 1, 1);
        BoardWindow& board = p.shell.board();
        p.tune();
        click(control<QRadioButton>(p.settings, QStringLiteral("Modern")));
        QCOMPARE(int(g.options().modernSkin), 1);
        p.settings->closeButton().click();
        QVERIFY(g.state().position().sameCheckersAs(pos));
        QVERIFY(g.state().gameOn());
        const QImage shot = board.grab().toImage();
        const QImage& modern = board.boardPicture();
        // An empty point shows the new board; a checker's rim stands where each stack says.
        const int empty = board.scene().screenPositionOf(3);
        const QPoint spot(places::pointX(empty) + 25, empty <= 12 ? 200 : 400);
        QCOMPARE(shot.pixelColor(spot), modern.pixelColor(spot));
        for (int q = 1; q <= 24; ++q) {
            if (g.state().position().count[q] == 0) continue;
            const int s = board.scene().screenPositionOf(q);
            const QPoint middle(places::pointX(s) + 25, places::stackY(s, g.state().position().count[q]) + 25);
            QVERIFY2(shot.pixelColor(middle) != modern.pixelColor(middle), qPrintable(QString::number(q)));
        }
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
