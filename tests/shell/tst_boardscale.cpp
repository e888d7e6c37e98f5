#include "../panel/ProgramFixture.h"

#include "app/ViewSettings.h"
#include "controls/ChimeiCtl_P.h"
#include "controls/M_Degit.h"

#include <QAction>
#include <QClipboard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

using namespace lumina;

// The board at x1, x2 and x3: laid out and drawn at that size, not enlarged.
class tst_BoardScale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void layout_data();
    void layout();
    void drawnAtSize();
    void remembered_data();
    void remembered();
    void copyAndSave();
    void shortcutsAndStayOnTop();
};

namespace {

// A board showing something in every part: fares, captions, the clock, a name.
void fill(Form1 &board)
{
    board.Timer1->stop();
    for (int i = 1; i <= kCellCount; ++i) {
        board.Degit[size_t(i)]->setValue(i % 7 == 0 ? 0 : 100 + 30 * i);
        board.lblSeiriNum[size_t(i)]->setText(QString::number(i));
    }
    board.TimeDegit[0]->setValue(9);
    board.TimeDegit[1]->setValue(45);
    board.ChimeiCtl->SetChimei(QStringLiteral("市役所前"));
}

} // namespace

void tst_BoardScale::layout_data()
{
    QTest::addColumn<int>("scale");
    for (const int scale : {1, 2, 3})
        QTest::addRow("x%d", scale) << scale;
}

void tst_BoardScale::layout()
{
    QFETCH(int, scale);
    Form1 board;
    board.applyRoundRegion();
    board.setBoardScale(3);
    board.setBoardScale(scale);
    QCOMPARE(board.boardScale(), scale);
    // Where each part sits at x2 is the reference picture "board-x2".
    QCOMPARE(board.Degit[60]->geometry(), QRect(QPoint(739, 272) * scale, QSize(52, 20) * scale));
    QCOMPARE(board.ChimeiCtl->geometry(), QRect(QPoint(100, 96) * scale, QSize(41, 192) * scale));
    QCOMPARE(board.size(), QSize(826, 367) * scale);

    const QRegion mask = board.mask();
    QCOMPARE(mask.boundingRect(), board.rect());
    // The corner ellipse grows with the board: a point just inside an unscaled
    // corner lies outside the scaled one.
    for (const QPoint corner : {QPoint(0, 0), QPoint(826 * scale - 1, 367 * scale - 1)}) {
        const QPoint inward(corner.x() ? -1 : 1, corner.y() ? -1 : 1);
        QVERIFY(!mask.contains(corner + inward * 3 * scale));
        QVERIFY(mask.contains(corner + inward * 5 * scale));
    }
    QCOMPARE(board.ChimeiCtl->mask().boundingRect(), QRect(0, 0, 41 * scale, 193 * scale));
}

// Drawn at size: an enlarged x1 board would show blocky digits and text. The
// picture was checked equal to the x1 board drawn for a screen of pixel ratio 2,
// but for the strip's rounded corners, finer at x2.
void tst_BoardScale::drawnAtSize()
{
    Form1 board;
    fill(board);
    board.setBoardScale(2);
    LUMINA_COMPARE_REFERENCE(board.grab().toImage(), QStringLiteral("board-x2"));
}

void tst_BoardScale::remembered_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("restored");
    QTest::newRow("none") << QVariant() << 1;
    QTest::newRow("x3") << QVariant(3) << 3;
    QTest::newRow("too large") << QVariant(7) << 1;
    QTest::newRow("zero") << QVariant(0) << 1;
    QTest::newRow("not a number") << QVariant(QStringLiteral("big")) << 1;
}

void tst_BoardScale::remembered()
{
    QFETCH(QVariant, stored);
    QFETCH(int, restored);
    QFile::remove(viewSettingsPath());
    if (stored.isValid())
        QSettings(viewSettingsPath(), QSettings::IniFormat).setValue("Board/Scale", stored);
    const int chosen = restored % 3 + 1;
    {
        test::Program p;
        QCOMPARE(p.board->boardScale(), restored);
        QCOMPARE(p.board->mask().boundingRect().width(), 826 * restored);
        p.board->findChild<QAction *>(QStringLiteral("actScale%1").arg(chosen))->trigger();
    }
    QCOMPARE(storedBoardScale(), chosen);
    test::Program again;
    QCOMPARE(again.board->boardScale(), chosen);
}

void tst_BoardScale::copyAndSave()
{
    test::FakeHostLib host;
    QTemporaryDir dir;
    Form1 board;
    fill(board);
    board.setBoardScale(3);
    const QImage shown = board.grab().toImage();
    QCOMPARE(shown.size(), QSize(2478, 1101));

    board.findChild<QAction *>(QStringLiteral("actCopyPicture"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(shown.format()), shown);

    const QString saved = dir.filePath(QStringLiteral("board.png"));
    const QString unwritable = dir.filePath(QStringLiteral("no such folder/board.png"));
    host.saveAnswers = {QString(), saved, unwritable};
    QAction *save = board.findChild<QAction *>(QStringLiteral("actSavePicture"));
    save->trigger(); // cancelled
    QVERIFY(!QFile::exists(saved));
    save->trigger();
    QVERIFY(host.saveFilters.constLast().contains(QLatin1String("*.png")));
    QCOMPARE(QImage(saved, "PNG").convertToFormat(shown.format()), shown);
    QVERIFY(host.messages.isEmpty());
    save->trigger();
    QCOMPARE(host.messages.size(), 1);
    QVERIFY(host.messages.constFirst().text.contains(unwritable));
}

void tst_BoardScale::shortcutsAndStayOnTop()
{
    Form1 board;
    board.move(40, 30);
    board.show();
    board.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&board));
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
        QCOMPARE(top->isChecked(), on);
        QVERIFY(board.isVisible());
        QCOMPARE(board.pos(), where);
    }
}

LUMINA_TEST_MAIN(tst_BoardScale)
#include "tst_boardscale.moc"
