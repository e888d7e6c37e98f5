#pragma once

#include "route/FareTable.h"
#include "settings/SettingsFile.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace lumina {

class BoardWindow;
struct BoardMessage;

// Reads a settings file named on purpose: its options, cells and panel state.
// It must be whole, as a picture or a video would otherwise silently show
// something else. False with the reason, in the program's words, in `why`.
bool readSettingsFile(const QString &path, SettingsFile &settings, QString &why);

// What a picture of the board shows.
struct BoardPictureRequest {
    QString routeFile;    // a fare data file (.hy3)
    int section = 1;      // the section the route is set at
    bool lateNight = false;
    int scale = 1;        // 1, 2 or 3
    QString settingsFile; // empty: the program's defaults
};

// Pictures of the board as the program shows it, drawn from the settings and
// the route alone: the board window, built hidden, takes the options and the
// fares of each stop as the running program hands them over, and is grabbed.
// Messages that the program would show in a box are collected instead.
class BoardPictures
{
public:
    BoardPictures();
    ~BoardPictures();

    // Builds the board, applies the settings file and sets the route. False
    // when anything failed; messages() says what, in the program's words.
    bool prepare(const BoardPictureRequest &request);
    // Stops of the route set.
    int stopCount() const { return m_route.stopCount; }
    // The board at stop `n` (1..stopCount()), reached from the section the
    // route was set at. A name too long for the strip is shown in the frame
    // of its scroll where it has risen to the top. Null for a stop outside
    // the route.
    QImage picture(int n);

    const QStringList &messages() const { return m_messages; }

private:
    void note(const std::optional<BoardMessage> &problem);

    QStringList m_messages;
    SettingsFile m_settings;
    RouteState m_route;
    bool m_lateNight = false;
    std::unique_ptr<BoardWindow> m_board;
    // The stop-name strip's time, in microseconds: a picture moves a long
    // name on by hand until its first characters fill the strip.
    qint64 m_stripTime = 0;
};

} // namespace lumina
