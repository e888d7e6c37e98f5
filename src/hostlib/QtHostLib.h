#pragma once

#include "hostlib/HostLib.h"
#include "base/Colors.h"

namespace lumina {

// The host library built from Qt's own dialogs.
class QtHostLib final : public HostLib
{
public:
    int digitDialog(QWidget *owner, qint16 digitCount, qint16 &zeroMode, qint16 &shift,
                    qint16 &fillZero) override;
    int versionBox(QWidget *owner, int kind, const QString &text) override;
    int datePicker(QWidget *owner, SystemTime &date) override;
    QString fileDialog(QWidget *owner, int flags, const QString &filter,
                        const QString &initialPath, const QString &title) override;
    QString folderDialog(QWidget *owner, const QString &prompt) override;
    QString saveFileDialog(QWidget *owner, const QString &filter, const QString &initialPath,
                           const QString &title) override;
    int colourDialog(QWidget *owner, OleColor &color, CustomColors &customColors) override;
    MessageResult messageBox(QWidget *owner, const QString &text, const QString &title,
                             MessageButtons buttons, MessageIcon icon) override;
    bool openFolder(const QString &path) override;
};

} // namespace lumina
