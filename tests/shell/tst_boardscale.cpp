#include "../panel/ProgramFixture.h"

#include "app/ViewSettings.h"
#include "controls/ChimeiCtl_P.h"
#include "controls/M_Degit.h"

#include <QAction>
#include <QClipboard>
#include <QScreen>
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
    void sharpLikeADenseScreen();
    void remembered_data();
    void remembered();
    void copyAndSave();
    void shortcutsAndStayOnTop();
};

namespace {

QScreen *screenOfRatio(qreal ratio)
{
    for (QScreen *s : QGuiApplication::screens())
        if (s->devicePixelRatio() == ratio)
            return s;
    return nullptr;
}

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

int differing(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
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
void tst_BoardScale::sharpLikeADenseScreen()
{
    QScreen *dense = screenOfRatio(2);
    QScreen *plain = screenOfRatio(1);
    QVERIFY2(dense && plain, "no screens of pixel ratio 1 and 2");
    Form1 dpr2, x2, x1;
    x2.setBoardScale(2);
    for (const auto &[board, screen] : {std::pair{&dpr2, dense}, {&x2, plain}, {&x1, plain}}) {
        board->setScreen(screen);
        fill(*board);
        // The strip's rounded corners are finer at x2 than a dense screen's
        // enlarged x1 outline (layout() checks them): compare the rest.
        board->ChimeiCtl->clearMask();
    }
    const QImage dense1 = dpr2.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage scaled2 = x2.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(dense1.size(), QSize(1652, 734));
    QCOMPARE(scaled2.size(), dense1.size());
    QCOMPARE(differing(dense1, scaled2), 0);

    const QImage enlarged = x1.grab().toImage().convertToFormat(QImage::Format_RGB32).scaled(
        scaled2.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int blocky = differing(enlarged, scaled2);
    QVERIFY2(blocky > scaled2.width() * scaled2.height() / 100,
             qPrintable(QStringLiteral("only %1 pixels differ from an enlargement").arg(blocky)));
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

#define main boardScaleMain
LUMINA_TEST_MAIN(tst_BoardScale)
#undef main

// Two screens, the second of pixel ratio 2, so one run can compare the scaled
// board with the board drawn for a dense screen.
int main(int argc, char **argv)
{
    QTemporaryDir screens;
    const QString config = screens.filePath(QStringLiteral("screens.json"));
    QFile json(config);
    if (!json.open(QIODevice::WriteOnly))
        return 2;
    json.write(R"({"screens": [{"name": "plain", "x": 0, "y": 0, "width": 2600, "height": 1200,
        "logicalDpi": 96, "logicalBaseDpi": 96}, {"name": "dense", "x": 2600, "y": 0, "width": 2600,
        "height": 1200, "logicalDpi": 192, "logicalBaseDpi": 96}]})");
    json.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    return boardScaleMain(argc, argv);
}

#include "tst_boardscale.moc"
