#include "TestMain.h"
#include "base/Geometry.h"

#include "controls/M_DegitEmNB.h"
#include "shell/Form1.h"

using namespace lumina;

// Redrawing the 60 fare cells of the board after each is given a new fare: what
// a step to the next stop costs the display.
class bench_Digits : public QObject
{
    Q_OBJECT

private slots:
    void redrawSixtyCells();
    void redrawSixtyCellsFirstUse();
};

void bench_Digits::redrawSixtyCells()
{
    Form1 board;
    for (int i = 1; i <= kCellCount; ++i)
        board.Degit[size_t(i)]->face(); // glyph outlines cached, images allocated
    int fare = 100;
    QBENCHMARK {
        fare += 10;
        for (int i = 1; i <= kCellCount; ++i) {
            M_DegitEmNB *cell = board.Degit[size_t(i)];
            cell->setValue(fare + i * 10);
            cell->face();
        }
    }
}

void bench_Digits::redrawSixtyCellsFirstUse()
{
    // Every cell fully lit, as in the lamp test of a route setting.
    Form1 board;
    bool lit = false;
    QBENCHMARK {
        lit = !lit;
        for (int i = 1; i <= kCellCount; ++i) {
            M_DegitEmNB *cell = board.Degit[size_t(i)];
            cell->ResetDegit(lit);
            cell->face();
        }
    }
}

LUMINA_TEST_MAIN(bench_Digits)
#include "bench_digits.moc"
