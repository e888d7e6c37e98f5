#include "../panel/ProgramFixture.h"

#include "base/Colors.h"
#include "base/Language.h"
#include "controls/DigitRow.h"
#include "controls/StopNameStrip.h"
#include "options/VoiceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPainter>

using namespace lumina;

// Pictures of the same state must not depend on focus, the time of day or a blinking cursor.
static QImage still(QWidget *w)
{
    if (QWidget *f = QApplication::focusWidget())
        f->clearFocus();
    return w->grab().toImage();
}

// A tag ending in "-en" is the English picture of the state before it; the windows are built in its language.
static QString inLanguageOf(const char *tag)
{
    QString state = QString::fromLatin1(tag);
    const bool english = state.endsWith(u"-en");
    Translations::instance().choose(english ? LanguageChoice::English : LanguageChoice::Japanese);
    return english ? state.chopped(3) : state;
}

// Widgets drawn one below the other with a gap, into one picture.
static QImage column(const QList<QWidget *> &widgets)
{
    int width = 0, height = 0;
    for (QWidget *w : widgets) {
        width = qMax(width, w->width());
        height += w->height() + 4;
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    int y = 0;
    for (QWidget *w : widgets) {
        painter.drawImage(0, y, w->grab().toImage());
        y += w->height() + 4;
    }
    return image;
}

// Every window, options page and display state against its stored picture in tests/data/reference
// (LUMINA_UPDATE_REFERENCE=1 rewrites them): one picture catches what dozens of checks would.
class tst_Pictures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void windows_data() { test::fixtureTable("shell/window-pictures.txt", 1); }
    void windows()
    {
        const QString state = inLanguageOf(QTest::currentDataTag());
        test::Program p(false);
        p.speech.readyOnStart = false;
        p.start();
        QVERIFY(p.writeRoute(QStringLiteral("12"), 10));
        p.board->stopClock();
        p.board->showTime();
        QImage lamp;
        p.clock.whilePaused = [&](int) { lamp = still(p.board); };
        if (state.startsWith(u"board-") && state != u"board-start" && state != u"board-style5")
            p.keyRoute(QStringLiteral("12"), QStringLiteral("3"));
        QWidget *shown = state.startsWith(u"panel") ? static_cast<QWidget *>(p.panel) : p.board;
        if (state == u"board-on1" || state == u"board-on2") {
            p.find(state == u"board-on1" ? "Option4_1" : "Option4_2")->click();
        } else if (state == u"board-clear") {
            p.find("Check1")->click();
        } else if (state == u"board-style5") {
            p.cp->runOptionsDialog = [](OptionsDialog &dialog) {
                test::control<QComboBox>(&dialog, "Combo2")->setCurrentIndex(5);
                test::control<QCheckBox>(&dialog, "Check2")->setChecked(true);
                dialog.accept();
            };
            p.find("Command4")->click();
        } else if (state == u"board-options") {
            const std::pair<const char *, OleColor> colours[5] = {
                {"Command8_0", rgb(0, 0, 90)}, {"Command8_1", rgb(0, 60, 0)}, {"Command8_2", rgb(255, 200, 0)},
                {"Command9_0", rgb(40, 0, 0)}, {"Command9_1", rgb(0, 255, 255)}};
            p.cp->runOptionsDialog = [&colours](OptionsDialog &dialog) {
                for (const auto &[name, colour] : colours)
                    setBackColor(test::control(&dialog, name), colour);
                test::control<QCheckBox>(&dialog, "Check4")->setChecked(true);
                test::control<QComboBox>(&dialog, "Combo3")->setCurrentIndex(1);
                dialog.accept();
            };
            p.find("Command4")->click();
        } else if (state == u"panel-lists") {
            QTest::mouseDClick(p.find<QWidget>("Frame1_1"), Qt::LeftButton, {}, QPoint(5, 5));
        } else if (state == u"panel-preview") {
            // Opened, with the ticket of the second stop and the tape group usable.
            p.options->ticketPreview.usePreview = 1;
            p.options->ticketPreview.plugIn = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/barcode.4SP");
            p.program->applySettings();
            QVERIFY(p.writeTape(QStringLiteral("12"), QStringLiteral("a,0,0\n")));
            p.keyRoute(QStringLiteral("12"), QStringLiteral("2"));
            p.speech.setReady(true);
            p.find("Check4")->click();
        }
        QVERIFY(p.host.messages.isEmpty());
        QCOMPARE(p.find("Check4")->toolTip(), PanelWindow::tr(state == u"panel-preview" ? "整理券プレビューを隠します"
                                                                                        : "整理券プレビューを開きます"));
        LUMINA_COMPARE_REFERENCE(state == u"board-lamp" ? lamp : still(shown), QString::fromLatin1(QTest::currentDataTag()));
    }
    // The board's menu and its zoom menu, with the board at ×2 and kept on top.
    void boardMenu()
    {
        Translations::instance().choose(LanguageChoice::Japanese);
        BoardWindow board;
        board.setBoardScale(2);
        board.findChild<QAction *>(QStringLiteral("actStayOnTop"))->setChecked(true);
        QMenu *menu = board.contextMenu();
        QMenu *zoom = menu->actions().constFirst()->menu();
        for (QMenu *m : {menu, zoom})
            m->adjustSize();
        LUMINA_COMPARE_REFERENCE(column({menu, zoom}), QStringLiteral("board-menu"));
    }
    // The voice dialog on an engine with its language and voice chosen, the sliders where they were set.
    void voiceDialog()
    {
        Translations::instance().choose(LanguageChoice::Japanese);
        test::FakeSpeech speech;
        speech.offeredEngines = {"fake", "other"};
        speech.offeredLanguages = {QLocale(u"ja_JP")};
        speech.offeredVoices = {{"Kyoko", {}}};
        speech.start({"fake", "ja_JP", "Kyoko", 0.5, -0.3, 0.7});
        VoiceDialog voice;
        voice.adjustSize();
        LUMINA_COMPARE_REFERENCE(still(&voice), QStringLiteral("voice-dialog"));
    }
    void optionPages_data() { test::fixtureTable("shell/option-pictures.txt", 3); }
    void optionPages()
    {
        QFETCH(QStringList, row); // the page, then the sound page on page 4
        inLanguageOf(QTest::currentDataTag());
        OptionsDialog dlg;
        for (const char *name : {"Check1", "Option3_1", "Check3_0", "Check3_1", "Check3_2", "Check3_3", "chkUseSeiriPrev"})
            test::control(&dlg, name)->setChecked(true);
        test::control<QLabel>(&dlg, "Label10")->setText(QStringLiteral("2026/12/07"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(test::control(&dlg, "Option1_" + row[0]), Qt::LeftButton);
        if (row[0] == u"4")
            QTest::mouseClick(test::control(&dlg, "Option5_" + row[1]), Qt::LeftButton);
        LUMINA_COMPARE_REFERENCE(still(&dlg), QString::fromLatin1(QTest::currentDataTag()));
    }
    // The clock digits in every size and style, lit and unlit positions.
    void digits()
    {
        QWidget owner;
        QList<QWidget *> widgets;
        for (int size = 0; size < 4; ++size)
            for (int style = 0; style < 3; ++style) {
                auto *d = new DigitRow(&owner);
                d->setDigitCount(4);
                d->setDigitSize(qint16(size));
                d->setDigitStyle(qint16(style));
                d->setValue(size == 3 ? QVariant(-1) : QVariant(style * 1000 + 123 + size));
                widgets << d;
            }
        auto *odd = new DigitRow(&owner);
        odd->setDigitCount(6);
        odd->setBackColour(rgb(0, 0, 0));
        odd->setUnlitColour(rgb(40, 0, 0));
        odd->setLitColour(rgb(255, 40, 0));
        odd->setShift(1);
        odd->setValue(QStringLiteral("AbC-"));
        widgets << odd;
        // The fare cells: the zero rules, shift and fill as drawn, styles, widths, colours, lamp test.
        for (const QStringList &row : test::fixtureRows("shell/fare-cell-pictures.txt", 8)) {
            bool number = false;
            const int value = row[1].toInt(&number);
            auto *c = new FareCell(&owner);
            c->resize(row[7].toInt(), 20);
            c->setDigitCount(qint16(row[6].toInt()));
            c->setZeroMode(qint16(row[2].toInt()));
            c->setFillZero(qint16(row[3].toInt()));
            c->setShift(qint16(row[4].toInt()));
            c->setDigitStyle(qint16(row[5].toInt()));
            c->setValue(number ? QVariant(value) : QVariant(row[1]));
            widgets << c;
        }
        auto *lamp = new FareCell(&owner);
        lamp->resize(97, 40);
        lamp->setBackColour(rgb(0, 0, 64));
        lamp->setLitColour(rgb(255, 0, 0));
        lamp->setShift(1);
        lamp->lightAllPositions();
        widgets << lamp;
        LUMINA_COMPARE_REFERENCE(column(widgets), QStringLiteral("digits"));
    }
    void strip_data() { test::fixtureTable("shell/strip-pictures.txt", 5); }
    void strip()
    {
        QFETCH(QStringList, row);
        StopNameStrip strip;
        strip.setAppearance(row[3].toInt());
        strip.setFontMode(row[1].toInt());
        strip.setFontBold(row[2] == u"1");
        if (!row[0].isEmpty())
            strip.setStopName(row[0]);
        QVERIFY(!strip.isScrolling());
        LUMINA_COMPARE_REFERENCE(still(&strip), QString::fromLatin1(QTest::currentDataTag()));
    }
};

LUMINA_TEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
