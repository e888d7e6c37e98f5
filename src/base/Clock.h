#pragma once

#include <QDateTime>

namespace lumina {

// Time of day and waiting, the two ways the program depends on the passing of
// time. The program holds one clock (see clock()); tests install one that
// stands still and lets a pause pass at once.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Waits `milliseconds` while the windows keep painting and timers keep
    // running; mouse and keyboard input waits in the queue until afterwards.
    virtual void pause(int milliseconds) = 0;
};

// The process-wide clock; setClock(nullptr) restores the real one. The caller
// keeps ownership of a replacement.
Clock &clock();
void setClock(Clock *replacement);

} // namespace lumina
