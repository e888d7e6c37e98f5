#include "shell/Form1.h"

#include "base/Clock.h"

#include "controls/ChimeiCtl_P.h"
#include "controls/M_Degit.h"
#include "controls/M_DegitEmNB.h"
#include "shell/BoardFace.h"
#include "base/Geometry.h"
#include "shell/frmCtl.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace lumina {

namespace {

constexpr int kColumnLefts[10] = {3150, 4035, 4905, 5790, 6660, 7545, 8430, 9315, 10200, 11085};
constexpr int kLabelTops[6] = {450, 1110, 1785, 2460, 3120, 3795};
constexpr int kCellBelowLabel = 285;
constexpr int kBoardWidth = 12390;
constexpr int kBoardHeight = 5505;

} // namespace

QRect Form1::labelRectTwips(int index)
{
    const int i = std::clamp(index, 1, kCellCount) - 1;
    return QRect(kColumnLefts[i % 10], kLabelTops[i / 10], 780, 270);
}

QRect Form1::cellRectTwips(int index)
{
    const int i = std::clamp(index, 1, kCellCount) - 1;
    return QRect(kColumnLefts[i % 10], kLabelTops[i / 10] + kCellBelowLabel, 780, 300);
}

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(px(kBoardWidth), px(kBoardHeight));
    setAttribute(Qt::WA_OpaquePaintEvent);

    imgRes[0] = QPixmap::fromImage(builtInBoardFace());

    for (int i = 0; i <= kCellCount; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblSeiriNum_%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        // The ticket-number face of the layout; only label 1 ever changes it.
        QFont numberFace(QStringLiteral("M_NumP1"));
        numberFace.setPointSizeF(15);
        label->setFont(numberFace);
        const QRect r = labelRectTwips(std::max(i, 1));
        label->setGeometry(twipRect(r.x(), r.y(), r.width(), r.height()));
        lblSeiriNum[size_t(i)] = label;

        auto *cell = new M_DegitEmNB(this);
        cell->setObjectName(QStringLiteral("Degit_%1").arg(i));
        const QRect c = cellRectTwips(std::max(i, 1));
        cell->setGeometry(twipRect(c.x(), c.y(), c.width(), c.height()));
        cell->setDegitStyle(1);
        connect(cell, &M_DegitEmNB::DblClick, this, [this, i] {
            emit cellDoubleClicked(i);
            Degit_DblClick(i);
        });
        Degit[size_t(i)] = cell;
        if (i == 0) {
            label->hide();
            cell->hide();
        }
    }

    for (int i = 0; i < 2; ++i) {
        auto *digit = new M_Degit(this);
        digit->setObjectName(QStringLiteral("TimeDegit_%1").arg(i));
        digit->setKeta(2);
        digit->move(px(i == 0 ? 5445 : 5850), px(30));
        TimeDegit[size_t(i)] = digit;
    }

    ChimeiCtl = new ChimeiCtl_P(this);
    ChimeiCtl->setObjectName(QStringLiteral("ChimeiCtl"));
    ChimeiCtl->setGeometry(twipRect(1500, 1440, 615, 2880));
    // As laid out on the board: flat, orange dots; the rest stays at its defaults.
    ChimeiCtl->readProperties({{QStringLiteral("Appearance"), 0},
                               {QStringLiteral("ForeColor"), 8438015}});

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer1->start();
}

void Form1::Timer1_Timer()
{
    const QString now = clock().now().time().toString(QStringLiteral("hh:mm:ss"));
    TimeDegit[0]->setValue(now.mid(0, 2).toInt());
    TimeDegit[1]->setValue(now.mid(3, 2).toInt());
}

void Form1::Degit_DblClick(int index)
{
    if (index < 1 || index > kCellCount)
        return;
    M_DegitEmNB *source = Degit[size_t(index)];
    if (!source->UserSet())
        return;
    QWidget *panel = m_panelWindow;
    if (panel)
        panel->setEnabled(false);
    if (source->ShowSetDlg() == 1) {
        const qint16 zeroMode = source->ZeroMode();
        const qint16 shift = source->Shift();
        const qint16 fillZero = source->FillZero();
        for (int i = 1; i <= kCellCount; ++i) {
            M_DegitEmNB *cell = Degit[size_t(i)];
            const QVariant value = cell->Value();
            cell->setShift(shift);
            cell->setFillZero(fillZero);
            cell->setZeroMode(zeroMode);
            // Assigning the fare again shows it with the new settings.
            cell->setValue(value);
        }
    }
    if (panel)
        panel->setEnabled(true);
}

void Form1::setPicture(const QPixmap &picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    update();
}

void Form1::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // A picture smaller than the board leaves the rest grey; a larger one is cut.
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_picture.isNull())
        p.drawPixmap(0, 0, m_picture);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The program ends only through the control panel.
    event->ignore();
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    // No title bar: the board is moved by dragging its own surface. A press that
    // a label or cell let through to us still does not start a move.
    if (event->button() == Qt::LeftButton && windowHandle()
        && !childAt(event->position().toPoint())) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace lumina
