#pragma once

#include "FakeClock.h"
#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "FakeSpeech.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "app/Lumina.h"
#include "base/CodePage.h"
#include "controls/FareCell.h"
#include "options/OptionsDialog.h"
#include "panel/PanelController.h"
#include "route/FareFile.h"
#include "route/FareTable.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace lumina::test {

// Fare of ticket t at stop s of the test routes: tickets not yet issued have no fare.
inline qint16 fareAt(int stop, int ticket)
{
    return ticket <= stop ? qint16(170 + 10 * (stop - ticket)) : qint16(-1);
}

// The whole program with every outside effect faked, no settings file, the data in a temporary folder.
struct Program {
    FakeHostLib host;
    FakeSoundPlayer sound;
    FakeSpeech speech;
    FakeClock clock;
    QTemporaryDir dir;
    std::unique_ptr<Lumina> program;
    BoardWindow *board = nullptr;
    PanelWindow *panel = nullptr;
    SettingsFile *options = nullptr;
    PanelController *cp = nullptr;
    // Not started yet when the test sets the fakes up first.
    explicit Program(bool startNow = true)
    {
        routeState() = RouteState();
        if (startNow)
            start();
    }
    ~Program() { routeState() = RouteState(); }
    // With the settings file, it is read at start-up and written by SaveIni().
    void start(bool withSettingsFile = false)
    {
        program = std::make_unique<Lumina>();
        if (!withSettingsFile) {
            program->seams().loadIni = [] {};
            program->seams().saveIni = [] {};
        }
        program->startUp();
        board = program->board();
        panel = program->panel();
        options = &program->settings();
        cp = program->controlPanel();
        options->folders = {dir.path(), dir.path()};
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    bool writeFile(const QString &name, const QByteArray &bytes) const { return test::writeFile(path(name), bytes); }
    // Route `key`: stop s "停留所<s>" (7 a name that scrolls), ticket s, fares by fareAt, column 61 s % 4.
    bool writeRoute(const QString &key, int stops) const
    {
        std::vector<FareRecord> records;
        for (int s = 1; s <= stops; ++s) {
            FareRecord r;
            r.stopName = s == 7 ? QStringLiteral("星見台ニュータウン入口") : QStringLiteral("停留所%1").arg(s);
            r.ticketNumber = qint16(s);
            for (int t = 1; t <= 60; ++t)
                r.values[size_t(t - 1)] = fareAt(s, t);
            r.values[60] = qint16(s % 4);
            records.push_back(r);
        }
        return writeFile(key + QStringLiteral(".hy3"), FareFileWriter().toBytes(records));
    }
    // Announcements of route `key`, in the code page of the files.
    bool writeTape(const QString &key, const QString &text) const { return writeFile(key + QStringLiteral("tp.csv"), cp932::encode(text)); }
    // A control of the panel by its old designer name.
    template<typename T = QAbstractButton>
    T *find(const QString &name, int index = -1) const { return control<T>(panel, name, index); }
    // Keypad keys: the digits, R "系統", S "区間", = its "リセット".
    void press(const QString &keys) const
    {
        for (QChar c : keys)
            (c == u'=' ? find("Command1_1") : find("CommandButton1_%1", c == u'R' ? 10 : c == u'S' ? 11 : c.digitValue()))->click();
    }
    // Route and section keyed in on the keypad, then "リセット".
    void keyRoute(const QString &route, const QString &section) const { press(u'R' + route + u'S' + section + u'='); }
    QStringList played() const
    {
        QStringList paths;
        for (const auto &play : sound.plays)
            paths << play.path;
        return paths;
    }
    qint16 cell(int t) const { return qint16(control<FareCell>(board, "Degit_%1", t)->value().toInt()); }
};

} // namespace lumina::test
