#pragma once

#include <QPoint>
#include <QtGlobal>

class QWidget;

namespace lumina {

// A window's position in whole twips, as the settings keep it.
qint32 twipsFromPixels(int pixels);

// Where a window goes when restored to (left, top) in twips. A position that
// would leave the window entirely off every screen (a monitor unplugged since,
// or a damaged file) keeps the window where it is: the board has no title bar,
// so a window out of sight could not be brought back.
QPoint restoredPosition(const QWidget *window, qint32 leftTwips, qint32 topTwips);

} // namespace lumina
