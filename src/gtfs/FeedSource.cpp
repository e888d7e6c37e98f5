#include "gtfs/FeedSource.h"

#include "base/DeviceRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <zip.h>

namespace lumina::gtfs {

namespace {

constexpr qint64 kChunk = 64 * 1024;

QString zipMessage(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

} // namespace

void FeedSource::ZipCloser::operator()(zip *archive) const
{
    zip_discard(archive);
}

FeedSource::FeedSource() = default;
FeedSource::~FeedSource() = default;

bool FeedSource::isUnsafeName(const QString &name)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    return name.startsWith(u'/') || name.contains(u'\\') || name.contains(drive)
        || name.split(u'/').contains(QStringLiteral(".."));
}

// Whatever was open before is let go, and the bound counts afresh.
void FeedSource::close()
{
    m_zip.reset();
    m_folder.clear();
    m_taken = 0;
}

bool FeedSource::open(const QString &path)
{
    close();
    const QFileInfo info(path);
    if (info.isDir()) {
        m_folder = info.absoluteFilePath();
        return true;
    }
    if (!info.exists())
        return fail(tr("フィードがありません。"));
    int code = 0;
    zip *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return fail(tr("ZIP ファイルとして読めません: %1").arg(zipMessage(code)));
    return adoptZip(archive);
}

bool FeedSource::openZip(const QByteArray &bytes)
{
    close();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        const int code = zip_error_code_zip(&error);
        zip_error_fini(&error);
        if (source)
            zip_source_free(source);
        return fail(tr("ZIP ファイルとして読めません: %1").arg(zipMessage(code)));
    }
    zip_error_fini(&error);
    return adoptZip(archive);
}

bool FeedSource::adoptZip(zip *archive)
{
    m_zip.reset(archive);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *raw = zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        if (!raw || isUnsafeName(name)) {
            m_zip.reset();
            return fail(tr("ZIP の中の名前「%1」はフォルダーの外を指しうるので、このファイルは読みません。")
                            .arg(name));
        }
    }
    return true;
}

bool FeedSource::contains(const QString &table) const
{
    if (m_zip)
        return zip_name_locate(m_zip.get(), table.toUtf8().constData(), ZIP_FL_ENC_GUESS) >= 0;
    return !m_folder.isEmpty() && QFileInfo(QDir(m_folder).filePath(table)).isFile();
}

bool FeedSource::read(const QString &table, QByteArray &bytes)
{
    bytes.clear();
    if (!contains(table))
        return fail(tr("%1 がありません。").arg(table));
    return m_zip ? readZip(table, bytes) : readFile(table, bytes);
}

bool FeedSource::readZip(const QString &table, QByteArray &bytes)
{
    const zip_int64_t index = zip_name_locate(m_zip.get(), table.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    zip_file_t *file = zip_fopen_index(m_zip.get(), zip_uint64_t(index), 0);
    if (!file)
        return fail(
            tr("%1: ZIP から取り出せません: %2").arg(table, QString::fromUtf8(zip_strerror(m_zip.get()))));
    QByteArray chunk(kChunk, Qt::Uninitialized);
    bool ok = true;
    while (true) {
        const zip_int64_t got = zip_fread(file, chunk.data(), zip_uint64_t(chunk.size()));
        if (got < 0) {
            ok = fail(
                tr("%1: ZIP から取り出せません: %2").arg(table, QString::fromUtf8(zip_file_strerror(file))));
            break;
        }
        if (got == 0)
            break;
        if (m_taken + bytes.size() + got > m_limit) {
            ok = fail(tr("%1: 展開すると表の合計が %2 バイトを超えます。").arg(table).arg(m_limit));
            break;
        }
        bytes.append(chunk.constData(), qsizetype(got));
    }
    zip_fclose(file);
    if (!ok)
        bytes.clear();
    m_taken += bytes.size();
    return ok;
}

bool FeedSource::readFile(const QString &table, QByteArray &bytes)
{
    QFile file(QDir(m_folder).filePath(table));
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("%1: 読めません: %2").arg(table, file.errorString()));
    switch (readWhole(&file, bytes, m_limit - m_taken)) {
    case ReadStatus::TooLarge:
        bytes.clear();
        return fail(tr("%1: 表の合計が %2 バイトを超えます。").arg(table).arg(m_limit));
    case ReadStatus::Failed:
        bytes.clear();
        return fail(tr("%1: 最後まで読めません: %2").arg(table, file.errorString()));
    case ReadStatus::Whole:
        break;
    }
    m_taken += bytes.size();
    return true;
}

bool FeedSource::fail(const QString &text)
{
    m_errorString = text;
    return false;
}

} // namespace lumina::gtfs
