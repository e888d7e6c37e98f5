#include "route/RouteSetting.h"

#include "base/Paths.h"

#include "hostlib/HostLib.h"
#include "route/FareFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTime>

#include <algorithm>
#include <limits>

namespace lumina {

QString noRouteDataMessage()
{
    return QCoreApplication::translate("lumina::RouteSetting", "指定した系統のデータがありません...");
}

QString missingRouteMessage(const QString &path)
{
    return QCoreApplication::translate("lumina::RouteSetting",
                                       "指定した系統のデータがありません...\r\n探したファイル：%1\r\n"
                                       "運賃データのあるフォルダーは「設定...」の「運賃データと放送用データ」で変えられます。")
        .arg(QDir::toNativeSeparators(path));
}

QString emptyRouteMessage()
{
    return QCoreApplication::translate("lumina::RouteSetting", "指定した系統はデータの数が0(未登録)の可能性があります...");
}

QString sectionTooLargeMessage()
{
    return QCoreApplication::translate("lumina::RouteSetting", "指定した区間はデータの数よりも多いです...\r\n"
                          "  解決法：正しい区間を入力して下さい.");
}

int entryNumber(QStringView text)
{
    constexpr int limit = std::numeric_limits<int>::max();
    int value = 0;
    for (QChar ch : text) {
        if (ch == u' ' || ch == u'\t')
            continue;
        if (ch < u'0' || ch > u'9')
            break;
        const int digit = ch.unicode() - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return value;
}

QString routeKey(QStringView routeNumber)
{
    // Worked on the digits themselves, so any length of entry gives its key.
    QString digits;
    for (QChar ch : routeNumber) {
        if (ch == u' ' || ch == u'\t')
            continue;
        if (ch < u'0' || ch > u'9')
            break;
        if (digits.isEmpty() && ch == u'0')
            continue;
        digits.append(ch);
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

qint16 clampSection(int section)
{
    return qint16(std::clamp(section, 1, 300));
}

RouteEntry entryFromKeypad(const QString &routeCaption, const QString &sectionCaption)
{
    return {routeCaption, entryNumber(sectionCaption)};
}

namespace {
QString joinDigits(const int *indexes, size_t count)
{
    QString text;
    for (size_t i = 0; i < count; ++i) {
        if (indexes[i] >= 0 && indexes[i] <= 9)
            text.append(QChar(u'0' + indexes[i]));
    }
    return text;
}
} // namespace

RouteEntry entryFromLists(const std::array<int, 5> &routeDigits,
                          const std::array<int, 3> &sectionDigits)
{
    return {joinDigits(routeDigits.data(), routeDigits.size()),
            entryNumber(joinDigits(sectionDigits.data(), sectionDigits.size()))};
}

QString fareFilePath(const QString &fareFolder, QStringView routeNumber)
{
    return joinFolder(fareFolder, routeKey(routeNumber) + QStringLiteral(".hy3"));
}

RouteLoad loadRoute(const QString &fareFolder, const RouteEntry &entry)
{
    return loadRouteFile(fareFilePath(fareFolder, entry.routeNumber), entry);
}

RouteLoad loadRouteFile(const QString &path, const RouteEntry &entry)
{
    RouteLoad load;
    load.routeNumber = entry.routeNumber;
    load.startSection = clampSection(entry.section);
    load.path = path;
    const QString shownPath = QDir::toNativeSeparators(load.path);

    auto fail = [&](RouteLoad::Status status, const QString &message) {
        load.status = status;
        load.message = message;
        return std::move(load);
    };

    const QFileInfo info(load.path);
    if (!info.exists())
        return fail(RouteLoad::Status::FileMissing, missingRouteMessage(load.path));
    if (info.isDir()) {
        return fail(RouteLoad::Status::Failed,
                    QCoreApplication::translate("lumina::RouteSetting", "運賃データ「%1」はフォルダーです。ファイルではないため読み込めません。")
                        .arg(shownPath));
    }

    QFile file(load.path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(RouteLoad::Status::Failed,
                    QCoreApplication::translate("lumina::RouteSetting", "運賃データ「%1」を開けませんでした（%2）。")
                        .arg(shownPath, file.errorString()));
    }

    FareFileReader reader;
    std::vector<FareRecord> records;
    reader.read(&file, records);

    auto failed = [&] {
        return fail(RouteLoad::Status::Failed, reader.errorString() + QStringLiteral("\r\n") + shownPath);
    };
    if (!reader.hasCount())
        return failed();
    load.stopCount = reader.recordCount();
    if (load.stopCount == 0)
        return fail(RouteLoad::Status::NoData, emptyRouteMessage());
    // A negative count is a broken file, not a section question.
    if (reader.error() == FareFileReader::Error::NegativeCount)
        return failed();
    if (load.stopCount - 1 < load.startSection)
        return fail(RouteLoad::Status::SectionTooLarge, sectionTooLargeMessage());
    if (reader.hasError())
        return failed();

    load.table.assign(std::move(records));
    load.status = RouteLoad::Status::Loaded;
    return load;
}

void applyRoute(RouteState &state, RouteLoad &&load)
{
    Q_ASSERT(load.loaded());
    state.routeNumber = load.routeNumber;
    state.startSection = load.startSection;
    state.stopCount = load.stopCount;
    state.currentStop = qint16(load.startSection - 1);
    state.fares.swap(load.table);
}

bool setRoute(RouteState &state, const QString &fareFolder, const RouteEntry &entry,
              QWidget *owner)
{
    RouteLoad load = loadRoute(fareFolder, entry);
    if (!load.loaded()) {
        host().messageBox(owner, load.message, QGuiApplication::applicationDisplayName(),
                          MessageButtons::Ok, MessageIcon::None);
        return false;
    }
    applyRoute(state, std::move(load));
    return true;
}

QString ticketDate(const QDate &date)
{
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}

QString ticketTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString ticketDateAtSetting(int dateMode, const QDate &today, const QString &fixedDate)
{
    return dateMode == 0 || dateMode == 1 ? ticketDate(today) : fixedDate;
}

} // namespace lumina
