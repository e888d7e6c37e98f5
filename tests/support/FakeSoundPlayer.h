#pragma once

#include "sound/SoundPlayer.h"

#include <QList>

namespace lumina::test {

// Records every sound request instead of playing it; installs itself as the process-wide player for its lifetime.
class FakeSoundPlayer final : public SoundPlayer
{
public:
    struct Play {
        QString path, slot;
        bool synchronous;
    };
    FakeSoundPlayer() { setSoundPlayer(this); }
    ~FakeSoundPlayer() override { setSoundPlayer(nullptr); }
    void play(const QString &path, const QString &slot, bool sync) override { plays.append({path, slot, sync}); }
    void stop(const QString &slot) override { stopped.append(slot); }
    void stopAll() override { ++stopAllCalls; }

    QList<Play> plays;
    QStringList stopped;
    int stopAllCalls = 0;
};

} // namespace lumina::test
