#pragma once

#include "base/Colors.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstdint>

class QComboBox;
class QImage;
class QPlainTextEdit;
class QWidget;

namespace lumina {

struct PlugInInfo;

// The date record of the date picker, laid out like the platform's SYSTEMTIME.
struct SystemTime {
    qint16 year = 0;
    qint16 month = 0;
    qint16 dayOfWeek = 0;
    qint16 day = 0;
    qint16 hour = 0;
    qint16 minute = 0;
    qint16 second = 0;
    qint16 milliseconds = 0;
};

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// Everything the program asks of the host suite and of the user through a modal
// box: the common dialogs of the resource library and every message box. The
// program holds one instance (see host()); tests install a scripted double.
class HostLib
{
public:
    virtual ~HostLib() = default;

    // Digit settings dialog of a segment display. The three in/out values come
    // back unchanged when the user cancels. Returns nonzero when confirmed.
    virtual int digitDialog(QWidget *owner, qint16 digitCount, qint16 &zeroMode, qint16 &shift,
                            qint16 &fillZero) = 0;
    // Version box; `text` holds lines joined by CR LF.
    virtual int versionBox(QWidget *owner, int kind, const QString &text) = 0;
    // Date picker: nonzero when confirmed, with year, month and day filled in.
    virtual int datePicker(QWidget *owner, SystemTime &date) = 0;
    // Open-file dialog. `filter` is pairs of description and pattern, each ended
    // by a NUL, the list ended by one more NUL. Empty result when cancelled.
    virtual QString fileDialog(QWidget *owner, int flags, const QString &filter,
                                const QString &initialPath, const QString &title) = 0;
    virtual QString folderDialog(QWidget *owner, const QString &prompt) = 0;
    // Save-file dialog. `filter` is a Qt filter ("PNG (*.png)"); the first
    // pattern's suffix is added to a name typed without one. Empty when cancelled.
    virtual QString saveFileDialog(QWidget *owner, const QString &filter,
                                   const QString &initialPath, const QString &title) = 0;
    // Colour chooser; `customColors` goes in and comes back with the user's edits.
    virtual int colourDialog(QWidget *owner, OleColor &color, CustomColors &customColors) = 0;

    // A modal message box.
    virtual MessageResult messageBox(QWidget *owner, const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    // Opens a folder in the platform's file manager.
    virtual bool openFolder(const QString &path) = 0;

    // The ticket plug-in service (hostlib/TicketPlugin.h). The plug-ins are
    // declarative files read by the library itself, so these four have one
    // implementation for every host; a double may still watch them.
    // Fills `info` from the plug-in; 0 when the file is no valid plug-in.
    virtual int plugInInfo(const QString &path, PlugInInfo &info);
    // Writes the remarks of a plug-in that can be read into `box`.
    virtual void showPlugInRemarks(const QString &path, QPlainTextEdit *box);
    // Adds the company names of a plug-in that can be read to `box`.
    virtual void addPlugInCompanies(const QString &path, QComboBox *box);
    // Draws the ticket into `picture`; `stopName` comes back as the plug-in
    // hands it back. `company` is -1 for no company.
    virtual void drawTicket(const QString &path, QImage &picture, QString &stopName,
                            QString &date, const QString &time, qint32 routeNumber,
                            qint16 ticketNumber, qint16 position, qint32 company);
};

// The process-wide host. Defaults to the Qt implementation; setHost() swaps it
// (the caller keeps ownership) and setHost(nullptr) restores the default.
HostLib &host();
void setHost(HostLib *replacement);

// Byte-wise string functions of the host library over code page 932.
int byteLength(const QString &text);
QString byteSlice(const QString &text, int start, int count);

// Turns the host's NUL-separated description/pattern list into a Qt file
// dialog filter ("Description (*.wav *.mp3);;All (*.*)").
QString fileDialogFilter(const QString &nulSeparated);

} // namespace lumina
