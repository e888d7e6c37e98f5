#pragma once

#include <QImage>

namespace lumina {

// The built-in face of the fare board (825 × 366 px): grey surround, black board,
// the ticket-number caption and the grid of 10 × 6 cells. Drawn at `ratio`
// device pixels per board pixel (the image carries that ratio).
QImage builtInBoardFace(qreal ratio = 1);

} // namespace lumina
