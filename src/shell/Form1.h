#pragma once

#include <QPixmap>
#include <QTime>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QTimer;

namespace lumina {

class WindowPlace;

struct BoardPosition;
class ChimeiCtl_P;
class M_Degit;
class M_DegitEmNB;

// The fare board: a borderless window with rounded corners holding the 60 fare
// cells with their ticket-number labels, the clock and the stop-name strip.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kCells = 60;

    explicit Form1(QWidget *parent = nullptr);

    // Fare cells and their labels, 1..60 (index 0 exists and is never addressed).
    std::array<M_DegitEmNB *, kCells + 1> Degit{};
    std::array<QLabel *, kCells + 1> lblSeiriNum{};
    // Clock: 0 hours, 1 minutes.
    std::array<M_Degit *, 2> TimeDegit{};
    ChimeiCtl_P *ChimeiCtl = nullptr;
    // Built-in panel pictures for the backlight states OFF, ON1, ON2.
    std::array<QPixmap, 3> imgRes;
    QTimer *Timer1 = nullptr;
    // Where the clock takes the time of day from; tests set a fixed time.
    std::function<QTime()> clock = [] { return QTime::currentTime(); };

    // The picture the board shows, at natural size from the top-left corner.
    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }

    // Cell grid positions, in twips, relative to the client area.
    static QRect cellRectTwips(int index);
    static QRect labelRectTwips(int index);

    // The region applied at start-up belongs to the window from then on.
    void DeleteRgn() {}

    // The board's position to and from the settings, in twips.
    void GetFormInfo(BoardPosition &position) const;
    void SetFormInfo(const BoardPosition &position);

    // Clock tick of Timer1: hours and minutes onto TimeDegit 0 and 1.
    void Timer1_Timer();
    // A double-click on fare cell `index` (1..60): the digit settings dialog of
    // that cell, and on confirmation its shift, fill and zero mode for all 60.
    void Degit_DblClick(int index);

signals:
    void cellDoubleClicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    // Where the settings put the board (made at the first restore).
    WindowPlace *m_place = nullptr;
};

} // namespace lumina
