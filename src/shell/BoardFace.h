#pragma once

#include <QImage>

namespace lumina {

// The built-in face of the fare board (825 × 366 px): grey surround, black board,
// the ticket-number caption and the grid of 10 × 6 cells. Drawn once, at the
// reference density.
QImage builtInBoardFace();

} // namespace lumina
