#include "FakeHostLib.h"
#include "TestMain.h"

#include "controls/M_Degit.h"
#include "options/frmOption.h"
#include "base/Colors.h"

#include <QPushButton>

using namespace lumina;

// The colour preview of the options dialog is a real segment display.
class tst_PreviewDigit : public QObject
{
    Q_OBJECT

private slots:
    void showsThreeColours();
    void followsChosenColours();
};

namespace {

bool hasColour(const QImage &image, const QColor &colour)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

} // namespace

void tst_PreviewDigit::showsThreeColours()
{
    frmOption dlg;
    M_Degit *preview = dlg.M_Degit1;
    QVERIFY(preview);
    QCOMPARE(preview->size(), QSize(52, 20));
    QCOMPARE(preview->DegitSize(), 0);
    const QImage face = preview->face();
    QVERIFY(hasColour(face, toQColor(preview->BackColor())));
    QVERIFY(hasColour(face, toQColor(preview->BaseForeColor())));
    QVERIFY(hasColour(face, toQColor(preview->DegitForeColor())));
    QCOMPARE(preview->litText(), QStringLiteral("0"));
}

void tst_PreviewDigit::followsChosenColours()
{
    test::FakeHostLib fake;
    frmOption dlg;
    fake.colorDialog = [](OleColor &color, CustomColors &) {
        color = rgb(255, 0, 0);
        return 1;
    };
    dlg.Command8[2]->click();
    QVERIFY(hasColour(dlg.M_Degit1->face(), QColor(255, 0, 0)));
    fake.colorDialog = [](OleColor &color, CustomColors &) {
        color = rgb(0, 0, 64);
        return 1;
    };
    dlg.Command8[0]->click();
    const QImage face = dlg.M_Degit1->face();
    QCOMPARE(face.pixelColor(0, 0), QColor(0, 0, 64));
    QVERIFY(hasColour(face, QColor(255, 0, 0)));
}

LUMINA_TEST_MAIN(tst_PreviewDigit)
#include "tst_previewdigit.moc"
