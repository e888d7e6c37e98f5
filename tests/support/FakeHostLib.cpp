#include "FakeHostLib.h"

namespace lumina::test {

FakeHostLib::FakeHostLib()
{
    setHost(this);
}

FakeHostLib::~FakeHostLib()
{
    setHost(nullptr);
}

void FakeHostLib::modal()
{
    if (whileModal)
        whileModal();
}

int FakeHostLib::Call_dlg100(QWidget *, qint16 keta, qint16 &zeroMode, qint16 &shift,
                             qint16 &fillZero)
{
    digitDialogCalls.append({keta, zeroMode, shift, fillZero});
    modal();
    return digitDialog ? digitDialog(zeroMode, shift, fillZero) : 0;
}

int FakeHostLib::Call_dlg110(QWidget *, int, const QString &text)
{
    versionTexts.append(text);
    modal();
    return 1;
}

int FakeHostLib::Call_dlg111(QWidget *, SystemTime &date)
{
    ++dateDialogCalls;
    modal();
    return dateDialog ? dateDialog(date) : 0;
}

QString FakeHostLib::GetOsInfo()
{
    return osName;
}

QString FakeHostLib::KiroFileDlg(QWidget *, int, const QString &filter, const QString &,
                                 const QString &title)
{
    fileFilters.append(filter);
    fileTitles.append(title);
    modal();
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString FakeHostLib::KiroFolderDlg(QWidget *, const QString &prompt)
{
    folderPrompts.append(prompt);
    modal();
    if (folderAnswers.empty())
        return {};
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

int FakeHostLib::KiroChooseColor(QWidget *, OleColor &color, CustomColors &customColors)
{
    ++colorDialogCalls;
    modal();
    return colorDialog ? colorDialog(color, customColors) : 0;
}

MsgResult FakeHostLib::messageBox(QWidget *, const QString &text, const QString &title,
                                  MsgButtons buttons, MsgIcon icon)
{
    messages.append({text, title, buttons, icon});
    modal();
    if (!messageAnswers.empty()) {
        MsgResult answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::No
                                                                              : MsgResult::Ok;
}

bool FakeHostLib::openFolder(const QString &path)
{
    openedFolders.append(path);
    return true;
}

void FakeHostLib::Kiro_DrawSeiriken(const QString &path, QImage &picture, QString &stopName,
                                    QString &date, const QString &time, qint32 routeNo,
                                    qint16 ticketNo, qint16 position, qint32 corpIndex)
{
    drawCalls.append({path, stopName, date, time, routeNo, ticketNo, position, corpIndex});
    HostLib::Kiro_DrawSeiriken(path, picture, stopName, date, time, routeNo, ticketNo, position,
                               corpIndex);
}

} // namespace lumina::test
