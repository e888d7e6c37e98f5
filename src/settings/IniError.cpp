#include "settings/IniError.h"

namespace lumina {

IniFailure iniFailure(int code)
{
    using namespace iniError;
    const char16_t *text = u"アプリケーション定義またはオブジェクト定義のエラーです。";
    switch (code) {
    case kBadFileName: text = u"ファイル名または番号が不正です。"; break;
    case kFileNotFound: text = u"ファイルが見つかりません。"; break;
    case kDeviceIo: text = u"デバイス I/O エラーです。"; break;
    case kDiskFull: text = u"ディスクの空き容量が不足しています。"; break;
    case kPermissionDenied: text = u"書き込みできません。"; break;
    case kPathFileAccess: text = u"パス名が無効です。"; break;
    case kPathNotFound: text = u"パスが見つかりません。"; break;
    case kInvalidPropertyValue: text = u"プロパティの値が不正です。"; break;
    default: break;
    }
    return {code, QString::fromUtf16(text)};
}

IniFailure iniFailureFor(QFileDevice::FileError error, bool writing)
{
    using namespace iniError;
    switch (error) {
    case QFileDevice::PermissionsError:
        return iniFailure(writing ? kPermissionDenied : kPathFileAccess);
    case QFileDevice::ResourceError:
        return iniFailure(kDiskFull);
    case QFileDevice::OpenError:
        return iniFailure(kPathFileAccess);
    default:
        return iniFailure(kDeviceIo);
    }
}

QString iniFailureMessage(const IniFailure &failure, const QString &moduleLine)
{
    QString text = QStringLiteral("エラー Code:") + QString::number(failure.code)
                   + QStringLiteral("\r\n内容:") + failure.description;
    if (!moduleLine.isEmpty())
        text += QStringLiteral("\r\n") + moduleLine;
    return text;
}

} // namespace lumina
