#include "settings/IniError.h"

#include <QCoreApplication>

namespace lumina {

IniFailure iniFailure(int code)
{
    using namespace iniError;
    const char *text = QT_TRANSLATE_NOOP("lumina::IniError", "アプリケーション定義またはオブジェクト定義のエラーです。");
    switch (code) {
    case kBadFileName: text = QT_TRANSLATE_NOOP("lumina::IniError", "ファイル名または番号が不正です。"); break;
    case kFileNotFound: text = QT_TRANSLATE_NOOP("lumina::IniError", "ファイルが見つかりません。"); break;
    case kDeviceIo: text = QT_TRANSLATE_NOOP("lumina::IniError", "デバイス I/O エラーです。"); break;
    case kDiskFull: text = QT_TRANSLATE_NOOP("lumina::IniError", "ディスクの空き容量が不足しています。"); break;
    case kPermissionDenied: text = QT_TRANSLATE_NOOP("lumina::IniError", "書き込みできません。"); break;
    case kPathFileAccess: text = QT_TRANSLATE_NOOP("lumina::IniError", "パス名が無効です。"); break;
    case kPathNotFound: text = QT_TRANSLATE_NOOP("lumina::IniError", "パスが見つかりません。"); break;
    case kInvalidPropertyValue: text = QT_TRANSLATE_NOOP("lumina::IniError", "プロパティの値が不正です。"); break;
    default: break;
    }
    return {code, QCoreApplication::translate("lumina::IniError", text)};
}

IniFailure iniFailureFor(QFileDevice::FileError error)
{
    using namespace iniError;
    switch (error) {
    // Qt reports a refused open as OpenError; PermissionsError comes only from
    // setting a file's permissions, which is part of writing it.
    case QFileDevice::PermissionsError:
        return iniFailure(kPermissionDenied);
    case QFileDevice::ResourceError:
        return iniFailure(kDiskFull);
    case QFileDevice::OpenError:
        return iniFailure(kPathFileAccess);
    // Also a write cut short with no error Qt names.
    default:
        return iniFailure(kDeviceIo);
    }
}

QString iniFailureMessage(const IniFailure &failure, const QString &moduleLine)
{
    QString text = QCoreApplication::translate("lumina::IniError", "エラー Code:%1\r\n内容:%2")
                       .arg(failure.code)
                       .arg(failure.description);
    if (!moduleLine.isEmpty())
        text += QStringLiteral("\r\n") + moduleLine;
    return text;
}

} // namespace lumina
