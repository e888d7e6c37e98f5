#include "../panel/ProgramFixture.h"

#include "app/ViewSettings.h"
#include "controls/DigitRow.h"

#include <QAction>
#include <QClipboard>
#include <QScreen>
#include <QSettings>
#include <QTimer>

using namespace lumina;

static QScreen *screenOfRatio(qreal ratio)
{
    for (QScreen *s : QGuiApplication::screens())
        if (s->devicePixelRatio() == ratio)
            return s;
    return nullptr;
}

// A board showing something in every part: fares, captions, the clock, a name.
static void fill(BoardWindow &board)
{
    board.stopClock();
    for (int i = 1; i <= kCellCount; ++i) {
        test::control<FareCell>(&board, "Degit_%1", i)->setValue(i % 7 == 0 ? 0 : 100 + 30 * i);
        test::control<QLabel>(&board, "lblSeiriNum_%1", i)->setText(QString::number(i));
    }
    test::control<DigitRow>(&board, "TimeDegit_%1", 0)->setValue(9);
    test::control<DigitRow>(&board, "TimeDegit_%1", 1)->setValue(45);
    board.setStopName(QStringLiteral("市役所前"));
}

static int differing(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// The board window: its clock and fare cells, and the board at x1, x2 and x3.
class tst_Board : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void clockTick_data() { test::fixtureTable("shell/clock.txt", 4); }
    void clockTick()
    {
        QFETCH(QStringList, row);
        const QTime time = QTime::fromString(row[0]);
        BoardWindow board;
        auto *timer = test::control<QTimer>(&board, "Timer1");
        QVERIFY(timer->interval() == 1000 && timer->isActive());
        FakeClock clock(QDateTime(QDate(2026, 12, 7), time));
        timer->setInterval(1); // no waiting a whole second in a test
        QTRY_COMPARE(test::control<DigitRow>(&board, "TimeDegit_%1", 0)->litText(), row[1]);
        QTRY_COMPARE(test::control<DigitRow>(&board, "TimeDegit_%1", 1)->litText(), row[2]);
    }
    // A double-click on a cell: its digit dialog; on confirmation its settings for all 60 cells.
    void cellDialog()
    {
        for (const auto &[result, userEditable] : {std::pair(1, true), std::pair(0, true), std::pair(1, false)}) {
            test::Program p;
            // The start-up pass sets every cell, the first and the last too.
            for (int i : {1, 60}) {
                auto *cell = test::control<FareCell>(p.board, "Degit_%1", i);
                cell->setDigitStyle(0);
                cell->setValue(5);
                p.program->defaultSeams().initFareCells();
                QVERIFY(cell->digitStyle() == 1 && cell->litText() == QStringLiteral("    "));
            }
            BoardWindow *board = p.board;
            for (int i = 1; i <= kCellCount; ++i)
                test::control<FareCell>(board, "Degit_%1", i)->setValue(i * 10);
            test::control<FareCell>(board, "Degit_%1", 9)->setShift(2);
            test::control<FareCell>(board, "Degit_%1", 60)->setUserEditable(userEditable);
            p.host.digitAnswer = [result = result](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
                zeroMode = 1;
                shift = 1;
                fillZero = 3;
                return result;
            };
            bool panelEnabledMeanwhile = true;
            p.host.whileModal = [&] { panelEnabledMeanwhile = p.panel->isEnabled(); };
            QTest::mouseDClick(test::control<FareCell>(board, "Degit_%1", 60), Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(p.host.digitDialogCalls.size(), userEditable ? 1 : 0);
            QVERIFY(!userEditable || !panelEnabledMeanwhile);
            QVERIFY(p.panel->isEnabled());
            const bool spread = result == 1 && userEditable;
            QCOMPARE(test::control<FareCell>(board, "Degit_%1", 5)->zeroMode(), spread ? 1 : 0);
            QCOMPARE(test::control<FareCell>(board, "Degit_%1", 1)->litText(), spread ? QStringLiteral("010 ") : QStringLiteral("  10"));
            QCOMPARE(test::control<FareCell>(board, "Degit_%1", 9)->litText(), spread ? QStringLiteral("090 ") : QStringLiteral("90  "));
        }
    }
    // Laid out and drawn at size: pixel for pixel the x1 board drawn for a screen of that pixel
    // ratio (its layout is in the reference pictures), not an enlarged x1 board with blocky digits.
    void scaled()
    {
        for (const int scale : {1, 2, 3}) {
            BoardWindow board;
            board.applyRoundRegion();
            board.setBoardScale(3);
            board.setBoardScale(scale);
            QCOMPARE(board.size(), QSize(826, 367) * scale);
            const QRegion mask = board.mask();
            QCOMPARE(mask.boundingRect(), board.rect());
            // The corner ellipse grows: a point just inside an unscaled corner lies outside the scaled one.
            for (const QPoint corner : {QPoint(0, 0), QPoint(826 * scale - 1, 367 * scale - 1)}) {
                const QPoint inward(corner.x() ? -1 : 1, corner.y() ? -1 : 1);
                QVERIFY(!mask.contains(corner + inward * 3 * scale));
                QVERIFY(mask.contains(corner + inward * 5 * scale));
            }
            QCOMPARE(test::control<QWidget>(&board, "ChimeiCtl")->mask().boundingRect(), QRect(0, 0, 41 * scale, 193 * scale));
            if (scale == 1)
                continue;
            QScreen *dense = screenOfRatio(scale);
            QScreen *plain = screenOfRatio(1);
            QVERIFY2(dense && plain, "no screens of pixel ratio 1, 2 and 3");
            BoardWindow denseX1, plainX1;
            for (const auto &[shown, screen] : {std::pair{&denseX1, dense}, {&board, plain}, {&plainX1, plain}}) {
                shown->setScreen(screen);
                fill(*shown);
                // The strip's corners are finer when scaled than a dense screen's x1 outline (checked above).
                test::control<QWidget>(shown, "ChimeiCtl")->clearMask();
            }
            const QImage scaled = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QImage onDense = denseX1.grab().toImage().convertToFormat(QImage::Format_RGB32);
            onDense.setDevicePixelRatio(1);
            QCOMPARE(scaled, onDense);
            const QImage enlarged = plainX1.grab().toImage().convertToFormat(QImage::Format_RGB32).scaled(
                scaled.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            const int blocky = differing(enlarged, scaled);
            QVERIFY2(blocky > scaled.width() * scaled.height() / 100,
                     qPrintable(QStringLiteral("only %1 pixels differ from an enlargement").arg(blocky)));
        }
    }
    // A user's panel picture grows as solid squares with the board; one smaller than the board
    // leaves the rest in the window's grey, at every scale.
    void userPictureScaled()
    {
        QImage picture(800, 300, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, (x + y) % 2 ? qRgb(200, 30, 30) : qRgb(20, 20, 160));
        for (const int scale : {1, 2}) {
            BoardWindow board;
            board.setBoardScale(scale);
            board.setPicture(QPixmap::fromImage(picture));
            QImage drawn(board.size(), QImage::Format_RGB32);
            board.render(&drawn, QPoint(), QRegion(), QWidget::DrawWindowBackground); // the face alone
            const QImage expected = picture.scaled(picture.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            QCOMPARE(drawn.copy(QRect(QPoint(0, 0), expected.size())), expected);
            QCOMPARE(drawn.pixel(810 * scale, 350 * scale), board.palette().color(QPalette::Window).rgb());
            board.setPicture(QPixmap()); // none at all: the window's grey
            board.render(&drawn, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            QCOMPARE(drawn.pixel(10 * scale, 10 * scale), board.palette().color(QPalette::Window).rgb());
        }
    }
    // A new panel picture reaches the screen by itself, not with the next repaint of something else.
    void pictureReachesTheScreen()
    {
        BoardWindow board;
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        QPoint bare(-1, -1); // a point of the face that no child covers
        for (int y = 40; y < board.height() && bare.x() < 0; y += 7)
            for (int x = 40; x < board.width() && bare.x() < 0; x += 7)
                bare = board.childAt(x, y) ? bare : QPoint(x, y);
        QImage red(board.size(), QImage::Format_RGB32);
        red.fill(Qt::red);
        board.setPicture(QPixmap::fromImage(red));
        QTRY_COMPARE(board.screen()->grabWindow(board.winId()).toImage().pixel(bare), QColor(Qt::red).rgb());
    }
    void remembered_data() { test::fixtureTable("shell/board-scale.txt", 3); }
    void remembered()
    {
        QFETCH(QStringList, row);
        const int restored = row[1].toInt();
        QFile::remove(viewSettingsPath());
        if (!row[0].isEmpty())
            QSettings(viewSettingsPath(), QSettings::IniFormat).setValue("Board/Scale", row[0]);
        const int chosen = restored % 3 + 1;
        {
            test::Program p;
            QCOMPARE(p.board->boardScale(), restored);
            QVERIFY(p.board->findChild<QAction *>(QStringLiteral("actScale%1").arg(restored))->isChecked());
            QCOMPARE(p.board->mask().boundingRect().width(), 826 * restored);
            p.board->findChild<QAction *>(QStringLiteral("actScale%1").arg(chosen))->trigger();
            QVERIFY(!p.board->staysOnTop());
            p.board->findChild<QAction *>(QStringLiteral("actStayOnTop"))->trigger();
        }
        QCOMPARE(storedBoardScale(), chosen);
        test::Program again;
        QVERIFY(again.board->boardScale() == chosen && again.board->staysOnTop());
        QVERIFY(again.board->findChild<QAction *>(QStringLiteral("actStayOnTop"))->isChecked());
    }
    // Windows never placed from a settings file (a first start) save where they stand. Opened at the
    // right edge of the last screen, the panel moves left just enough to stay whole.
    void windowPlaces()
    {
        BoardWindow board;
        PanelWindow panel;
        board.move(120, 90);
        panel.move(300, 45);
        BoardPosition b;
        ControlPanelState c;
        board.savePosition(b);
        panel.saveState(c);
        QCOMPARE(QList<int>({b.left, b.top, c.left, c.top}), QList<int>({1800, 1350, 4500, 675}));
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QRect area = screenOfRatio(3)->availableGeometry();
        panel.move(area.right() + 1 - panel.frameGeometry().width(), area.top() + 40);
        const int closedWidth = panel.width();
        test::control(&panel, "Check4")->click();
        QVERIFY(panel.width() > closedWidth);
        QCOMPARE(panel.frameGeometry().right(), area.right());
    }
    // What the panel shows of its state is what it saves again.
    void panelStateRoundTrip()
    {
        PanelWindow panel;
        const ControlPanelState stored{1, 3, 7, 1, 1, 1500, 900};
        QVERIFY(!panel.restoreState(stored));
        ControlPanelState saved;
        panel.saveState(saved);
        QCOMPARE(saved, stored);
    }
    void menu()
    {
        test::FakeHostLib host;
        QTemporaryDir dir;
        BoardWindow board;
        fill(board);
        board.move(40, 30);
        board.show();
        board.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        QVERIFY(!board.close()); // only the panel ends the program
        for (const int scale : {3, 1, 2}) {
            QTest::keyClick(&board, Qt::Key(Qt::Key_0 + scale), Qt::ControlModifier);
            QCOMPARE(board.boardScale(), scale);
            QVERIFY(board.findChild<QAction *>(QStringLiteral("actScale%1").arg(scale))->isChecked());
        }
        const QPoint where = board.pos();
        QAction *top = board.findChild<QAction *>(QStringLiteral("actStayOnTop"));
        for (const bool on : {true, false}) {
            top->trigger();
            QCOMPARE(board.windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
            QVERIFY(board.isVisible());
            QCOMPARE(board.pos(), where);
        }
        const QImage shown = board.boardPicture().convertToFormat(QImage::Format_ARGB32);
        board.findChild<QAction *>(QStringLiteral("actCopyPicture"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(shown.format()), shown);
        const QString saved = dir.filePath(QStringLiteral("board.png"));
        const QString unwritable = dir.filePath(QStringLiteral("no such folder/board.png"));
        host.saveAnswers = {QString(), saved, unwritable};
        QAction *save = board.findChild<QAction *>(QStringLiteral("actSavePicture"));
        save->trigger(); // cancelled
        save->trigger();
        QVERIFY(host.saveFilters.constLast().contains(QLatin1String("*.png")));
        QCOMPARE(QImage(saved, "PNG").convertToFormat(shown.format()), shown);
        QVERIFY(host.messages.isEmpty());
        save->trigger();
        QCOMPARE(host.messages.size(), 1);
        QVERIFY(host.messages.constFirst().text.contains(unwritable));
    }
};

#define main boardMain
LUMINA_TEST_MAIN(tst_Board)
#undef main

// Screens of pixel ratio 1, 2 and 3, to compare the scaled board with the board drawn for a dense screen.
int main(int argc, char **argv)
{
    QTemporaryDir screens;
    const QString config = screens.filePath(QStringLiteral("screens.json"));
    if (!test::writeFile(config, R"({"screens": [{"name": "plain", "x": 0, "y": 0, "width": 2600, "height": 1200,
        "logicalDpi": 96, "logicalBaseDpi": 96}, {"name": "dense", "x": 2600, "y": 0, "width": 2600,
        "height": 1200, "logicalDpi": 192, "logicalBaseDpi": 96}, {"name": "denser", "x": 5200, "y": 0,
        "width": 2600, "height": 1200, "logicalDpi": 288, "logicalBaseDpi": 96}]})"))
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    return boardMain(argc, argv);
}

#include "tst_board.moc"
