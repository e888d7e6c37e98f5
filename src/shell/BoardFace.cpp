#include "shell/BoardFace.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace lumina {

namespace {

void drawVertical(QPainter &p, const QString &text, int x, int y, int step)
{
    for (int i = 0; i < text.size(); ++i)
        p.drawText(QRect(x, y + i * step, step, step), Qt::AlignCenter, text.mid(i, 1));
}

} // namespace

QImage builtInBoardFace(qreal ratio)
{
    QImage image((QSizeF(825, 366) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(231, 231, 231));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Darker rounded outline of the housing.
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6.5, 6.5, 812, 353), 14, 14);
    p.setPen(QPen(QColor(190, 190, 190), 1));
    p.drawRoundedRect(QRectF(14.5, 13.5, 796, 339), 10, 10);

    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect board(31, 28, 795 - 31 + 1, 339 - 28 + 1);
    p.fillRect(board, Qt::black);

    p.setPen(QPen(Qt::white, 1));
    for (int x : {206, 265, 324, 382, 441, 499, 559, 617, 676, 735})
        p.drawLine(x, 28, x, 294);
    for (int y : {72, 115, 160, 205, 249, 294})
        p.drawLine(206, y, 795, y);

    // Left column: caption with arrow, underline, and the vertical words.
    QFont caption(QStringLiteral("ＭＳ ゴシック"));
    caption.setPixelSize(16);
    caption.setBold(true);
    p.setFont(caption);
    p.drawText(QRect(38, 34, 130, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("整理券番号"));
    QPainterPath arrow;
    arrow.moveTo(170, 40);
    arrow.lineTo(196, 45);
    arrow.lineTo(170, 50);
    arrow.closeSubpath();
    p.fillPath(arrow, Qt::white);
    p.drawLine(34, 61, 204, 61);

    QFont words(QStringLiteral("ＭＳ ゴシック"));
    words.setPixelSize(18);
    words.setBold(true);
    p.setFont(words);
    drawVertical(p, QStringLiteral("運賃は"), 44, 80, 22);
    drawVertical(p, QStringLiteral("まで"), 170, 260, 22);
    p.end();
    return image;
}

} // namespace lumina
