#include "base/Clock.h"

#include <QEventLoop>
#include <QTimer>

namespace lumina {

namespace {

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    void pause(int milliseconds) override
    {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
};

Clock *g_replacement = nullptr;

} // namespace

Clock &clock()
{
    static SystemClock system;
    return g_replacement ? *g_replacement : system;
}

void setClock(Clock *replacement)
{
    g_replacement = replacement;
}

} // namespace lumina
