#pragma once

#include <QFileDevice>
#include <QString>

namespace lumina {

// A failure of the settings file as the operator sees it: the platform's error
// number and its description.
struct IniFailure {
    int code = 0;
    QString description;
};

namespace iniError {
constexpr int kBadFileName = 52;
constexpr int kFileNotFound = 53;
constexpr int kDeviceIo = 57;
constexpr int kDiskFull = 61;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
constexpr int kInvalidPropertyValue = 380;
} // namespace iniError

// The failure with its standard description.
IniFailure iniFailure(int code);

// The failure that a file error stands for.
IniFailure iniFailureFor(QFileDevice::FileError error);

// The text of the message box: "エラー Code:" number, "内容:" description and,
// when given, the module line.
QString iniFailureMessage(const IniFailure &failure, const QString &moduleLine = QString());

} // namespace lumina
