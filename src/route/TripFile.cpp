#include "route/TripFile.h"

#include "base/DeviceRead.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>

#include <array>

namespace lumina {

namespace {

struct ActionWords {
    TripAction action;
    QLatin1StringView words;
};

constexpr std::array<ActionWords, 14> kActions{{
    {TripAction::Route, QLatin1StringView("route")},
    {TripAction::Next, QLatin1StringView("next")},
    {TripAction::Back, QLatin1StringView("back")},
    {TripAction::TapeNext, QLatin1StringView("tape next")},
    {TripAction::TapeBack, QLatin1StringView("tape back")},
    {TripAction::TapeStop, QLatin1StringView("tape stop")},
    {TripAction::ClearOn, QLatin1StringView("clear on")},
    {TripAction::ClearOff, QLatin1StringView("clear off")},
    {TripAction::NightOn, QLatin1StringView("night on")},
    {TripAction::NightOff, QLatin1StringView("night off")},
    {TripAction::BacklightOff, QLatin1StringView("backlight off")},
    {TripAction::BacklightOn1, QLatin1StringView("backlight on1")},
    {TripAction::BacklightOn2, QLatin1StringView("backlight on2")},
    {TripAction::End, QLatin1StringView("end")},
}};

// The keypad holds five route digits and three section digits.
constexpr int kRouteDigits = 5;
constexpr int kSectionDigits = 3;

// A time in milliseconds, or -1 when `text` is none of m:ss, m:ss.s, seconds.
qint64 parseTime(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^(?:([0-9]{1,6}):([0-5][0-9])|([0-9]{1,8}))(?:\.([0-9]{1,3}))?$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return -1;
    const qint64 seconds = match.hasCaptured(3)
        ? match.captured(3).toLongLong()
        : match.captured(1).toLongLong() * 60 + match.captured(2).toLongLong();
    const QString fraction = match.captured(4).leftJustified(3, u'0');
    return seconds * 1000 + fraction.toLongLong();
}

bool allDigits(const QString &text, int most)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return text.size() <= most && digits.match(text).hasMatch();
}

} // namespace

qint64 Trip::lengthMs() const
{
    return steps.isEmpty() ? 0 : steps.last().atMs;
}

QString tripActionWords(TripAction action)
{
    for (const ActionWords &entry : kActions) {
        if (entry.action == action)
            return entry.words;
    }
    return {};
}

QString tripTime(qint64 ms)
{
    QString text = QStringLiteral("%1:%2").arg(ms / 60000).arg(ms / 1000 % 60, 2, 10, QChar(u'0'));
    if (ms % 1000 != 0) {
        QString fraction = QStringLiteral("%1").arg(ms % 1000, 3, 10, QChar(u'0'));
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
        text += u'.' + fraction;
    }
    return text;
}

bool TripReader::fail(int line, const QString &why)
{
    m_errorLine = line;
    m_errorString = line > 0 ? QCoreApplication::translate("lumina::TripReader", "%1行目: %2").arg(line).arg(why) : why;
    return false;
}

bool TripReader::read(QIODevice *device, Trip &trip)
{
    trip.steps.clear();
    m_errorString.clear();
    m_errorLine = 0;
    // A trip with a fault plays nothing at all, not the lines before it.
    if (!readSteps(device, trip)) {
        trip.steps.clear();
        return false;
    }
    return true;
}

bool TripReader::readSteps(QIODevice *device, Trip &trip)
{
    if (!device || !device->isReadable())
        return fail(0, QCoreApplication::translate("lumina::TripReader", "運行ファイルが読み込み用に開かれていません。"));
    QByteArray bytes;
    switch (readWhole(device, bytes, kMaxFileSize)) {
    case ReadStatus::Failed:
        return fail(0, QCoreApplication::translate("lumina::TripReader", "運行ファイルを最後まで読めませんでした: %1").arg(device->errorString()));
    case ReadStatus::TooLarge:
        return fail(0, QCoreApplication::translate("lumina::TripReader", "運行ファイルが%1バイトを超えています。").arg(kMaxFileSize));
    case ReadStatus::Whole:
        break;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray raw = lines[n];
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(raw);
        const int line = int(n + 1);
        if (utf8.hasError())
            return fail(line, QCoreApplication::translate("lumina::TripReader", "UTF-8の文字として読めないバイトがあります。"));
        if (!readLine(text, line, trip))
            return false;
    }
    if (trip.steps.isEmpty() || trip.steps.last().action != TripAction::End)
        return fail(0, QCoreApplication::translate("lumina::TripReader", "最後の行に end がありません。運行の終わる時刻に end を書いてください。"));
    return true;
}

bool TripReader::readLine(QStringView text, int line, Trip &trip)
{
    const qsizetype hash = text.indexOf(u'#');
    const QStringView content = (hash < 0 ? text : text.first(hash)).trimmed();
    if (content.isEmpty())
        return true;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = content.toString().split(blanks);
    const QString time = words.takeFirst();
    TripStep step;
    step.line = line;
    step.atMs = parseTime(time);
    if (step.atMs < 0)
        return fail(line, QCoreApplication::translate("lumina::TripReader", "「%1」は時刻ではありません。m:ss、m:ss.s または秒数で書いてください。").arg(time));
    if (!trip.steps.isEmpty() && trip.steps.last().action == TripAction::End)
        return fail(line, QCoreApplication::translate("lumina::TripReader", "end の後ろに行があります。end は最後の行です。"));
    if (!trip.steps.isEmpty() && step.atMs < trip.steps.last().atMs) {
        return fail(line, QCoreApplication::translate("lumina::TripReader", "時刻 %1 が前の行の時刻 %2 より前です。")
                              .arg(time, tripTime(trip.steps.last().atMs)));
    }
    if (words.isEmpty())
        return fail(line, QCoreApplication::translate("lumina::TripReader", "時刻 %1 の後ろに動作がありません。").arg(time));
    if (words.first() == QLatin1String("route")) {
        if (words.size() != 3 || !allDigits(words[1], kRouteDigits) || !allDigits(words[2], kSectionDigits)) {
            return fail(line, QCoreApplication::translate("lumina::TripReader", "route の後ろには系統番号（%1桁まで）と区間番号（%2桁まで）を書いてください。")
                                  .arg(kRouteDigits).arg(kSectionDigits));
        }
        step.action = TripAction::Route;
        step.route = words[1];
        step.section = words[2];
        trip.steps.append(step);
        return true;
    }
    const QString action = words.join(u' ');
    for (const ActionWords &entry : kActions) {
        if (entry.action != TripAction::Route && entry.words == action) {
            step.action = entry.action;
            trip.steps.append(step);
            return true;
        }
    }
    return fail(line, QCoreApplication::translate("lumina::TripReader", "「%1」という動作はありません。").arg(action));
}

} // namespace lumina
