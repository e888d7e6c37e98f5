#pragma once

#include <QBuffer>

namespace lumina::test {

// A buffer open for reading over its own copy of `data`.
struct ReadBuffer : QBuffer {
    explicit ReadBuffer(const QByteArray &data)
    {
        setData(data);
        open(ReadOnly);
    }
};

// A buffer that gives or takes its first `limit` bytes and then fails; or, as a
// pipe that has nothing more yet, hands over or takes nothing without reaching its end.
class FailingDevice : public QBuffer
{
public:
    FailingDevice(const QByteArray &data, qint64 limit, bool pipe = false, OpenMode mode = ReadOnly)
        : m_limit(limit), m_pipe(pipe)
    {
        setData(data);
        open(mode);
    }
    bool atEnd() const override { return !m_pipe && QBuffer::atEnd(); }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (pos() < m_limit)
            return QBuffer::readData(out, std::min(max, m_limit - pos()));
        return m_pipe ? 0 : fail("medium error");
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        return pos() < m_limit ? QBuffer::writeData(in, std::min(size, m_limit - pos())) : fail("no space left", m_pipe ? 0 : -1);
    }

private:
    qint64 fail(const char *why, qint64 result = -1)
    {
        setErrorString(QLatin1String(why));
        return result;
    }
    qint64 m_limit;
    bool m_pipe;
};

} // namespace lumina::test
