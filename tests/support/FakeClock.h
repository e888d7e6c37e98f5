#pragma once

#include "base/Clock.h"

#include <QList>

// A clock that stands still at a chosen time and lets every pause pass at
// once, recording how long each one was. Installed for its lifetime.
class FakeClock final : public lumina::Clock
{
public:
    explicit FakeClock(QDateTime at = QDateTime(QDate(2026, 12, 7), QTime(8, 5, 0))) : at(std::move(at))
    {
        lumina::setClock(this);
    }
    ~FakeClock() override { lumina::setClock(nullptr); }
    QDateTime now() const override { return at; }
    void pause(int milliseconds) override
    {
        pauses.append(milliseconds);
        if (whilePaused)
            whilePaused(milliseconds);
    }

    QDateTime at;
    QList<int> pauses;
    // Runs inside each pause, to look at the program while it waits.
    std::function<void(int)> whilePaused;
};
