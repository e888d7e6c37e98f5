#include "TestMain.h"

#include "hostlib/HostLib.h"
#include "base/Colors.h"
#include "hostlib/QtHostLib.h"

#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

using namespace lumina;

class tst_HostLib : public QObject
{
    Q_OBJECT

private slots:
    void fileFilter_data();
    void fileFilter();
    void colours_data();
    void colours();
    void digitDialog_data();
    void digitDialog();
};

void tst_HostLib::fileFilter_data()
{
    QTest::addColumn<QString>("nulList");
    QTest::addColumn<QString>("filter");
    const QChar nul(0);
    QTest::newRow("one pair")
        << (QStringLiteral("運賃データ") + nul + QStringLiteral("*.hy3") + nul + nul)
        << QStringLiteral("運賃データ (*.hy3)");
    QTest::newRow("pattern list with semicolons")
        << (QStringLiteral("サウンド") + nul + QStringLiteral("*.wav;*.mp3;*.mid") + nul + nul)
        << QStringLiteral("サウンド (*.wav *.mp3 *.mid)");
    QTest::newRow("two pairs")
        << (QStringLiteral("BMP") + nul + QStringLiteral("*.bmp") + nul + QStringLiteral("All")
            + nul + QStringLiteral("*.*") + nul + nul)
        << QStringLiteral("BMP (*.bmp);;All (*.*)");
    QTest::newRow("description already shows the pattern")
        << (QStringLiteral("画像 (*.gif)") + nul + QStringLiteral("*.gif") + nul + nul)
        << QStringLiteral("画像 (*.gif)");
    QTest::newRow("missing final NUL") << (QStringLiteral("X") + nul + QStringLiteral("*.x"))
                                       << QStringLiteral("X (*.x)");
    QTest::newRow("empty") << QString() << QString();
}

void tst_HostLib::fileFilter()
{
    QFETCH(QString, nulList);
    QFETCH(QString, filter);
    QCOMPARE(fileDialogFilter(nulList), filter);
}

void tst_HostLib::colours_data()
{
    QTest::addColumn<uint>("ole");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red in low byte") << uint(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in high byte") << uint(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("default unlit") << uint(9868950) << QColor(150, 150, 150);
    QTest::newRow("default lit") << uint(7525112) << QColor(248, 210, 114);
}

void tst_HostLib::colours()
{
    QFETCH(uint, ole);
    QFETCH(QColor, color);
    QCOMPARE(toQColor(ole), color);
    QCOMPARE(fromQColor(color), OleColor(ole));
    QPushButton button;
    setBackColor(&button, ole);
    QCOMPARE(backColor(&button), OleColor(ole));
}

// The real digit settings dialog, answered by the test as soon as it is up.
void tst_HostLib::digitDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void tst_HostLib::digitDialog()
{
    QFETCH(bool, accept);
    LUMINA_REQUIRE_FONTS();
    qint16 zero = 1, shift = 2, fill = 9;
    QImage face;
    QList<int> ranges;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        face = dialog->grab().toImage();
        const QList<QSpinBox *> spins = dialog->findChildren<QSpinBox *>();
        const QList<QRadioButton *> modes = dialog->findChildren<QRadioButton *>();
        for (QSpinBox *spin : spins)
            ranges << spin->minimum() << spin->maximum() << spin->value();
        if (spins.size() == 2 && modes.size() == 4) {
            modes[3]->setChecked(true);
            spins[0]->setValue(1);
            spins[1]->setValue(2);
        }
        dialog->done(accept ? QDialog::Accepted : QDialog::Rejected);
    });
    answer.start(0);
    QtHostLib lib;
    QCOMPARE(lib.Call_dlg100(nullptr, 4, zero, shift, fill), accept ? 1 : 0);
    // Shift 0..3 and fill 0..4 for four positions, the values clamped into them.
    QCOMPARE(ranges, (QList<int>{0, 3, 2, 0, 4, 4}));
    const QList<int> expected = accept ? QList<int>{3, 1, 2} : QList<int>{1, 2, 9};
    QCOMPARE((QList<int>{zero, shift, fill}), expected);
    if (accept)
        LUMINA_COMPARE_REFERENCE(face, QStringLiteral("digit-dialog"));
}

LUMINA_TEST_MAIN(tst_HostLib)
#include "tst_hostlib.moc"
