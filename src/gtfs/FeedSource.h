#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <memory>

struct zip;

namespace lumina::gtfs {

// Where a feed's tables come from: a folder, or a zip file read through
// libzip. A feed comes from the internet, so a zip is checked before any
// table is read: an entry named with "..", an absolute path or a backslash
// refuses the whole file, and no more than the limit is ever inflated (counted
// while inflating, never taken from the zip's own directory). Only the known
// tables at the top are ever read.
class FeedSource
{
    Q_DECLARE_TR_FUNCTIONS(FeedSource)

public:
    // The most the tables read from one feed may hold together once inflated:
    // each is held in memory whole.
    static constexpr qint64 kDefaultLimit = qint64(256) * 1024 * 1024;

    FeedSource();
    ~FeedSource();
    FeedSource(const FeedSource &) = delete;
    FeedSource &operator=(const FeedSource &) = delete;

    // A folder or a zip file.
    bool open(const QString &path);
    // A zip file in memory; `bytes` must outlive the source.
    bool openZip(const QByteArray &bytes);
    void setLimit(qint64 bytes) { m_limit = bytes; }

    // Whether the feed holds the table ("stops.txt").
    bool contains(const QString &table) const;
    // The table's bytes; false (errorString() set) when it cannot be read whole.
    bool read(const QString &table, QByteArray &bytes);
    QString errorString() const { return m_errorString; }

    // Whether a zip entry's name could reach outside the place it is unpacked to.
    static bool isUnsafeName(const QString &name);

private:
    void close();
    bool adoptZip(zip *archive);
    bool readZip(const QString &table, QByteArray &bytes);
    bool readFile(const QString &table, QByteArray &bytes);
    bool fail(const QString &text);

    struct ZipCloser {
        void operator()(zip *archive) const;
    };
    std::unique_ptr<zip, ZipCloser> m_zip;
    QString m_folder;
    qint64 m_limit = kDefaultLimit;
    qint64 m_taken = 0; // bytes of the tables read so far
    QString m_errorString;
};

} // namespace lumina::gtfs
