#include "video/BoardFrames.h"

#include "controls/DigitRow.h"
#include "controls/StopNameStrip.h"
#include "shell/BoardWindow.h"

#include <QRegion>

namespace lumina {

namespace {

QRect childRect(QWidget &board, const QWidget *child)
{
    return child ? QRect(child->mapTo(&board, QPoint(0, 0)), child->size()) : QRect();
}

} // namespace

BoardFrames::BoardFrames(BoardWindow &board, QSize canvas, QColor background)
    : m_board(board)
    , m_strip(board.findChild<StopNameStrip *>(QStringLiteral("ChimeiCtl")))
{
    const QSize boardSize = board.size();
    if (canvas.isEmpty())
        canvas = QSize((boardSize.width() + 1) & ~1, (boardSize.height() + 1) & ~1);
    m_fits = canvas.width() >= boardSize.width() && canvas.height() >= boardSize.height();
    m_frame = QImage(canvas, QImage::Format_RGB32);
    m_frame.fill(background);
    // Whole pixels, so the board's dots fall on the canvas's.
    m_origin = QPoint((canvas.width() - boardSize.width()) / 2,
                      (canvas.height() - boardSize.height()) / 2);
}

void BoardFrames::drawBoard(const QRect &boardPart)
{
    // render() keeps to the window's rounded outline: where the window shows
    // the desktop, the canvas keeps its background.
    m_board.render(&m_frame, m_origin + boardPart.topLeft(), QRegion(boardPart),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

QString BoardFrames::clockShown() const
{
    const auto *hours = m_board.findChild<DigitRow *>(QStringLiteral("TimeDegit_0"));
    const auto *minutes = m_board.findChild<DigitRow *>(QStringLiteral("TimeDegit_1"));
    if (!hours || !minutes)
        return {};
    return hours->value().toString() + u':' + minutes->value().toString();
}

QRect BoardFrames::update(quint64 boardSerial)
{
    const QRect whole(QPoint(0, 0), m_board.size());
    const int stripTop = m_strip ? m_strip->layerTop() : 0;
    const QString clock = clockShown();
    QRect changed;
    if (!m_drawn || boardSerial != m_serial) {
        changed = whole;
    } else {
        if (stripTop != m_stripTop)
            changed |= childRect(m_board, m_strip);
        if (clock != m_clock) {
            changed |= childRect(m_board, m_board.findChild<QWidget *>(QStringLiteral("TimeDegit_0")));
            changed |= childRect(m_board, m_board.findChild<QWidget *>(QStringLiteral("TimeDegit_1")));
        }
    }
    m_drawn = true;
    m_serial = boardSerial;
    m_stripTop = stripTop;
    m_clock = clock;
    if (changed.isEmpty())
        return {};
    drawBoard(changed & whole);
    return changed.translated(m_origin);
}

} // namespace lumina
