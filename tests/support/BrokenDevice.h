#pragma once

#include <QBuffer>

namespace lumina::test {

// Hands out the first `good` bytes of `data`, then fails with "disk gone".
class BrokenDevice final : public QBuffer
{
public:
    BrokenDevice(const QByteArray &data, qint64 good) : m_good(good) { setData(data); open(ReadOnly); }
protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (pos() < m_good)
            return QBuffer::readData(out, std::min(max, m_good - pos()));
        setErrorString(QStringLiteral("disk gone"));
        return -1;
    }
private:
    qint64 m_good;
};

} // namespace lumina::test
