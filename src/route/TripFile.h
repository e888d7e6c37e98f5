#pragma once

#include <QList>
#include <QString>

class QIODevice;

namespace lumina {

// What one line of a trip presses on the panel.
enum class TripAction {
    Route,        // route R and section S on the keypad, then "リセット"
    Next,         // "データ送り"
    Back,         // "データ戻し"
    TapeNext,     // the tape's "送り"
    TapeBack,     // the tape's "戻し"
    TapeStop,     // the tape's "■"
    ClearOn,      // "表示消去" down
    ClearOff,     // "表示消去" up
    NightOn,      // "深夜料金" down
    NightOff,     // "深夜料金" up
    BacklightOff, // "OFF"
    BacklightOn1, // "ON1"
    BacklightOn2, // "ON2"
    End,          // the trip's last moment
};

struct TripStep {
    qint64 atMs = 0; // from the start of the trip
    TripAction action = TripAction::End;
    QString route, section; // the digits of a Route step
    int line = 0;           // where the step stands in its file

    friend bool operator==(const TripStep &, const TripStep &) = default;
};

// A trip: its steps in time order, the End step last.
struct Trip {
    QList<TripStep> steps;
    // The End step's time: how long the trip runs.
    qint64 lengthMs() const;
};

// The words of each action as a trip file writes them ("tape next", "route").
QString tripActionWords(TripAction action);
// A time as a trip file writes it: m:ss, with the fraction of a second if any.
QString tripTime(qint64 ms);

// Reads a trip file: UTF-8 text, one step a line (a time, then the action's
// words), "#" starting a comment. Times are m:ss, m:ss.s or seconds and never
// go back; "end" is required and last. A file with any fault gives no steps.
class TripReader
{
public:
    // Files beyond this size are refused instead of being read into memory.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    bool read(QIODevice *device, Trip &trip);
    QString errorString() const { return m_errorString; }
    // The line at fault, 0 for a fault of the whole file.
    int errorLine() const { return m_errorLine; }

private:
    bool fail(int line, const QString &why);
    bool readSteps(QIODevice *device, Trip &trip);
    bool readLine(QStringView text, int line, Trip &trip);

    QString m_errorString;
    int m_errorLine = 0;
};

} // namespace lumina
