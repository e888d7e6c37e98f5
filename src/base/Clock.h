#pragma once

#include <QDateTime>
#include <QObject>

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

// Marks, for its lifetime, a stretch in which mouse and keyboard input waits in
// the queue (a pause, a synchronous sound, a paint flush inside a handler).
// Whatever presses buttons in the user's place (a trip being played) holds
// back meanwhile too, so its press lands where a click made then would.
class InputWait
{
public:
    InputWait();
    ~InputWait();
    InputWait(const InputWait &) = delete;
    InputWait &operator=(const InputWait &) = delete;
};

// Whether an InputWait runs, and the moment the last one has ended.
class InputWaits : public QObject
{
    Q_OBJECT

public:
    static InputWaits &instance();
    bool running() const { return m_running > 0; }

signals:
    void allEnded();

private:
    friend class InputWait;
    int m_running = 0;
};

// The process-wide clock; setClock(nullptr) restores the real one. The caller
// keeps ownership of a replacement.
Clock &clock();
void setClock(Clock *replacement);

} // namespace lumina
