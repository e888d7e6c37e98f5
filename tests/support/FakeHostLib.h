#pragma once

#include "hostlib/HostLib.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

namespace lumina::test {

// A host library that never shows anything. Every call is recorded; answers come
// from queues the test fills, or from the defaults (cancel, empty, OK).
// Installs itself as the process-wide host for its lifetime.
class FakeHostLib final : public HostLib
{
public:
    struct Message {
        QString text;
        QString title;
        MsgButtons buttons;
        MsgIcon icon;
    };
    struct DigitDialogCall {
        qint16 keta, zeroMode, shift, fillZero;
    };

    FakeHostLib();
    ~FakeHostLib() override;

    // Answers, consumed in order.
    std::deque<MsgResult> messageAnswers;
    std::deque<QString> fileAnswers;
    std::deque<QString> folderAnswers;
    // Digit dialog: when set, called with the in/out values and its result returned.
    std::function<int(qint16 &zeroMode, qint16 &shift, qint16 &fillZero)> digitDialog;
    std::function<int(SystemTime &)> dateDialog;
    std::function<int(OleColor &, CustomColors &)> colorDialog;
    QString osName = QStringLiteral("Linux");

    // What happened.
    QList<Message> messages;
    QList<DigitDialogCall> digitDialogCalls;
    QList<QString> versionTexts;
    QList<QString> fileFilters;
    QList<QString> fileTitles;
    QList<QString> folderPrompts;
    QList<QString> openedFolders;
    int dateDialogCalls = 0;
    int colorDialogCalls = 0;
    // Called inside every modal call, while the "dialog" is up, so tests can
    // look at the program's state at that moment.
    std::function<void()> whileModal;

    int Call_dlg100(QWidget *owner, qint16 keta, qint16 &zeroMode, qint16 &shift,
                    qint16 &fillZero) override;
    int Call_dlg110(QWidget *owner, int kind, const QString &text) override;
    int Call_dlg111(QWidget *owner, SystemTime &date) override;
    QString GetOsInfo() override;
    QString KiroFileDlg(QWidget *owner, int flags, const QString &filter,
                        const QString &initialPath, const QString &title) override;
    QString KiroFolderDlg(QWidget *owner, const QString &prompt) override;
    int KiroChooseColor(QWidget *owner, OleColor &color, CustomColors &customColors) override;
    MsgResult messageBox(QWidget *owner, const QString &text, const QString &title,
                         MsgButtons buttons, MsgIcon icon) override;
    bool openFolder(const QString &path) override;

    // Ticket drawing calls, as made; the drawing itself is the library's own.
    struct DrawCall {
        QString path, stopName, date, time;
        qint32 routeNo;
        qint16 ticketNo, position;
        qint32 corpIndex;
    };
    QList<DrawCall> drawCalls;
    void Kiro_DrawSeiriken(const QString &path, QImage &picture, QString &stopName, QString &date,
                           const QString &time, qint32 routeNo, qint16 ticketNo, qint16 position,
                           qint32 corpIndex) override;

private:
    void modal();
};

} // namespace lumina::test
