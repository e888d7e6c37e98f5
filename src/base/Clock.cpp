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
        const InputWait wait;
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
};

Clock *g_replacement = nullptr;

} // namespace

InputWait::InputWait()
{
    ++InputWaits::instance().m_running;
}

InputWait::~InputWait()
{
    InputWaits &waits = InputWaits::instance();
    if (--waits.m_running == 0)
        emit waits.allEnded();
}

InputWaits &InputWaits::instance()
{
    static InputWaits waits;
    return waits;
}

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
