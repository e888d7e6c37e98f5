#include "base/PlatformCodePage.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <iterator>
#else
#include <iconv.h>
#endif

namespace lumina::cp932::platform {

#ifdef Q_OS_WIN

namespace {
constexpr UINT kCodePage = 932;
}

bool available()
{
    return IsValidCodePage(kCodePage);
}

QByteArray encodeCharacter(QStringView character)
{
    // No best fit: a character without a form of its own is refused, not
    // turned into a look-alike ("é" into "e").
    char buffer[8];
    BOOL usedDefault = FALSE;
    const auto *wide = reinterpret_cast<const wchar_t *>(character.utf16());
    const int size = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, int(character.size()), buffer,
                                         int(sizeof buffer), nullptr, &usedDefault);
    return size <= 0 || usedDefault ? QByteArray() : QByteArray(buffer, size);
}

QString decodeCharacter(QByteArrayView bytes)
{
    wchar_t buffer[4];
    const int size = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                         buffer, int(std::size(buffer)));
    return size <= 0 ? QString() : QString::fromWCharArray(buffer, size);
}

#else

namespace {

// An iconv descriptor keeps a conversion state: one pair a thread, opened
// once, each call starting from the initial state.
struct Descriptors {
    iconv_t toCodePage = iconv_open("CP932", "UTF-8");
    iconv_t fromCodePage = iconv_open("UTF-8", "CP932");
    Descriptors() = default;
    Q_DISABLE_COPY_MOVE(Descriptors)
    ~Descriptors()
    {
        for (iconv_t cd : {toCodePage, fromCodePage}) {
            if (cd != iconv_t(-1))
                iconv_close(cd);
        }
    }
};

Descriptors &descriptors()
{
    thread_local Descriptors d;
    return d;
}

// The whole of `in` converted, or empty when any of it has no counterpart.
QByteArray convert(iconv_t cd, QByteArrayView in)
{
    if (cd == iconv_t(-1) || in.isEmpty())
        return {};
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char *from = const_cast<char *>(in.data());
    char *to = buffer;
    size_t fromLeft = size_t(in.size());
    size_t toLeft = sizeof buffer;
    // iconv stops with -1 before the end of the input, whatever the reason.
    if (iconv(cd, &from, &fromLeft, &to, &toLeft) == size_t(-1)
        || iconv(cd, nullptr, nullptr, &to, &toLeft) == size_t(-1))
        return {};
    return QByteArray(buffer, qsizetype(to - buffer));
}

} // namespace

bool available()
{
    const Descriptors &d = descriptors();
    return d.toCodePage != iconv_t(-1) && d.fromCodePage != iconv_t(-1);
}

QByteArray encodeCharacter(QStringView character)
{
    return convert(descriptors().toCodePage, character.toUtf8());
}

QString decodeCharacter(QByteArrayView bytes)
{
    return QString::fromUtf8(convert(descriptors().fromCodePage, bytes));
}

#endif

} // namespace lumina::cp932::platform
