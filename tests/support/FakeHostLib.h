#pragma once

#include "hostlib/HostLib.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

namespace lumina::test {

// A host library that never shows anything. Every call is recorded; answers come
// from queues the test fills, or from the defaults (cancel, empty, OK; a question
// is answered No). Installs itself as the process-wide host for its lifetime.
class FakeHostLib final : public HostLib
{
public:
    struct Message {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    struct DigitDialogCall {
        qint16 digitCount, zeroMode, shift, fillZero;
    };
    // Ticket drawing calls, as made; the drawing itself is the library's own.
    struct DrawCall {
        QString path, stopName, date, time;
        qint32 routeNumber;
        qint16 ticketNumber, position;
        qint32 company;
    };

    FakeHostLib() { setHost(this); }
    ~FakeHostLib() override { setHost(nullptr); }

    // Answers, consumed in order.
    std::deque<MessageResult> messageAnswers;
    std::deque<QString> fileAnswers;
    std::deque<QString> folderAnswers;
    std::deque<QString> saveAnswers;
    // Dialogs: when set, called with the in/out values and their result returned.
    std::function<int(qint16 &zeroMode, qint16 &shift, qint16 &fillZero)> digitAnswer;
    std::function<int(SystemTime &)> dateDialog;
    std::function<int(OleColor &, CustomColors &)> colorDialog;
    // Called inside every modal call, while the "dialog" is up, so tests can look
    // at the program's state at that moment.
    std::function<void()> whileModal;

    QList<Message> messages;
    QList<DigitDialogCall> digitDialogCalls;
    QList<QString> fileFilters, fileTitles, openedFolders, saveFilters;
    int dateDialogCalls = 0;
    QList<DrawCall> drawCalls;

    int digitDialog(QWidget *, qint16 digitCount, qint16 &zeroMode, qint16 &shift, qint16 &fillZero) override
    {
        digitDialogCalls.append({digitCount, zeroMode, shift, fillZero});
        return modal(digitAnswer ? digitAnswer(zeroMode, shift, fillZero) : 0);
    }
    int versionBox(QWidget *, int, const QString &) override { return modal(1); }
    int datePicker(QWidget *, SystemTime &date) override
    {
        ++dateDialogCalls;
        return modal(dateDialog ? dateDialog(date) : 0);
    }
    QString fileDialog(QWidget *, int, const QString &filter, const QString &, const QString &title) override
    {
        fileFilters.append(filter);
        fileTitles.append(title);
        return modal(next(fileAnswers, QString()));
    }
    QString folderDialog(QWidget *, const QString &) override { return modal(next(folderAnswers, QString())); }
    QString saveFileDialog(QWidget *, const QString &filter, const QString &, const QString &) override
    {
        saveFilters.append(filter);
        return modal(next(saveAnswers, QString()));
    }
    int colourDialog(QWidget *, OleColor &color, CustomColors &custom) override
    {
        return modal(colorDialog ? colorDialog(color, custom) : 0);
    }
    MessageResult messageBox(QWidget *, const QString &text, const QString &title, MessageButtons buttons,
                             MessageIcon icon) override
    {
        messages.append({text, title, buttons, icon});
        const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
        return modal(next(messageAnswers, question ? MessageResult::No : MessageResult::Ok));
    }
    bool openFolder(const QString &path) override
    {
        openedFolders.append(path);
        return true;
    }
    void drawTicket(const QString &path, QImage &picture, QString &stopName, QString &date, const QString &time,
                    qint32 routeNumber, qint16 ticketNumber, qint16 position, qint32 company) override
    {
        drawCalls.append({path, stopName, date, time, routeNumber, ticketNumber, position, company});
        HostLib::drawTicket(path, picture, stopName, date, time, routeNumber, ticketNumber, position, company);
    }

private:
    // whileModal sees the program with the "dialog" up and its answer chosen.
    template <typename T>
    T modal(T answer)
    {
        if (whileModal)
            whileModal();
        return answer;
    }
    template <typename T>
    static T next(std::deque<T> &answers, T otherwise)
    {
        if (answers.empty())
            return otherwise;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace lumina::test
