#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QTime>

#include <functional>

namespace lumina {

struct Trip;
struct TripSetup;

// What `lumina-fare video` makes.
struct VideoRequest {
    QString tripFile;
    QString output;       // .mp4, .webm or .mkv
    QString settingsFile; // empty: the program's defaults on the bundled samples
    int scale = 1;
    QSize canvas;         // empty: the board's own size
    QColor background = Qt::black;
    int fps = 30;
    // The board's clock at the trip's start. A fixed day, so a video never
    // depends on when it was made.
    QTime clock{10, 0};
    bool lateNight = false;
};

// The date the video's clock runs on.
QDate videoDate();

// A trip turned into a video file: played on the program's board in the
// trip's own time, each frame drawn and each sound mixed as it comes, and
// encoded. The file appears only when it is complete; a refused input or a
// failure leaves nothing behind.
class TripVideo
{
public:
    // Frames done of all, after each frame.
    using Progress = std::function<void(qint64 done, qint64 total)>;
    // Every frame as drawn, and the sound of each frame, for checks.
    using FrameTap = std::function<void(const class QImage &frame, const std::vector<qint16> &sound)>;

    bool make(const VideoRequest &request, const Progress &progress, const FrameTap &tap = {});
    QString errorString() const { return m_error; }
    // The file the failure is about: the trip, the settings file or the video.
    QString blamedFile() const { return m_blamed; }

private:
    bool prepare(const VideoRequest &request, Trip &trip, TripSetup &setup);

    QString m_error;
    QString m_blamed;
};

} // namespace lumina
