#pragma once

#include "base/Geometry.h"

#include "hostlib/HostLib.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The records that carry the options, the panel state and the window positions
// between the live controls and the settings file. Every member starts at the
// value the program has when no settings file exists.
namespace lumina {

// Option button values as stored: chosen is -1, not chosen 0.
constexpr qint16 kChosen = -1;
constexpr qint16 kNotChosen = 0;

struct FolderSettings {
    QString fareDataFolder;         // Text2(0)
    QString announcementDataFolder; // Text2(1)

    bool operator==(const FolderSettings &) const = default;
};

struct PanelSettings {
    qint16 autoTicketNumbers = 1;              // Check1
    std::array<OleColor, 3> ticketNumberColours = {0x00FFFFFF, 0x00C0FFC0, 0x0080C0FF}; // Command5(0..2)
    qint16 ticketNumberStyle = 0;              // Combo2
    qint16 leadingZero = 0;                    // Check2
    qint16 panelsAutomatic = kChosen;          // Option3(0)
    qint16 panelsIndividual = kNotChosen;      // Option3(1)
    qint16 offBuiltIn = kChosen;               // Option3(7)
    qint16 offUserPanel = kNotChosen;          // Option3(6)
    qint16 on1BuiltIn = kChosen;               // Option3(3)
    qint16 on1UserPanel = kNotChosen;          // Option3(2)
    qint16 on2BuiltIn = kChosen;               // Option3(4)
    qint16 on2UserPanel = kNotChosen;          // Option3(5)
    std::array<QString, 3> userPanelImages;    // txtSelectPanel(0..2): OFF, ON1, ON2

    bool operator==(const PanelSettings &) const = default;
};

struct InfoDigitSettings {
    OleColor backColour = kDigitBackColour;   // Command8(0)
    OleColor unlitColour = kDigitUnlitColour; // Command8(1)
    OleColor litColour = kDigitLitColour;     // Command8(2)
    qint16 showStopOrder = 0;             // Check3(0)
    qint16 stopOrderCell = 0;             // Combo4(0)
    qint16 countFromZero = 0;             // Check3(4)
    qint16 showTicketNumber = 0;          // Check3(1)
    qint16 ticketNumberCell = 0;          // Combo4(1)
    qint16 showRouteNumber = 0;           // Check3(2)
    qint16 routeNumberCell = 0;           // Combo4(2)
    qint16 showDataColumn = 0;            // Check3(3)
    qint16 dataColumn = 0;                // Combo4(4)
    qint16 dataColumnCell = 0;            // Combo4(3)

    bool operator==(const InfoDigitSettings &) const = default;
};

struct StopNameSettings {
    OleColor backColour = 0x00808080;     // Command9(0)
    OleColor textColour = 0x0000FFFF;     // Command9(1)
    qint16 font = -1;                     // Combo3
    qint16 bold = 0;                      // Check4

    bool operator==(const StopNameSettings &) const = default;
};

struct SoundSettings {
    QString routeSetSound;                // txtSelectSound(0)
    QString resetSound;                   // txtSelectSound(1)
    qint16 stepAlways = kChosen;          // Option2(0)
    qint16 stepByColumn = kNotChosen;     // Option2(1)
    qint16 stepSynchronous = kNotChosen;  // Option6(0)
    qint16 stepAsynchronous = kChosen;    // Option6(1)
    QString stepSound;                    // txtSelectSound(7)
    qint16 stepColumn = 0;                // Combo1
    std::array<QString, 3> stepSoundByValue; // txtSelectSound(8..10)
    qint16 preAlways = kChosen;           // Option2(2)
    qint16 preByFlag = kNotChosen;        // Option2(3)
    qint16 preSynchronous = kChosen;      // Option7(0)
    qint16 preAsynchronous = kNotChosen;  // Option7(1)
    QString preSound;                     // txtSelectSound(3)
    std::array<QString, 3> preSoundByFlag; // txtSelectSound(4..6)

    bool operator==(const SoundSettings &) const = default;
};

struct TicketPreviewSettings {
    qint16 usePreview = 0;                // chkUseSeiriPrev
    QString plugIn;                       // txtSeiriPlgDir
    qint16 dateRenewed = kChosen;         // Option4(0)
    qint16 dateKept = kNotChosen;         // Option4(1)
    qint16 dateFixed = kNotChosen;        // Option4(2)
    QString fixedDate;                    // Label10; the dialog starts it at today's date

    bool operator==(const TicketPreviewSettings &) const = default;
};

struct ControlPanelState {
    qint16 panelSentBack = 0;
    qint32 scrollSpeed = 0;               // HScroll1(0)
    qint32 scrollWait = 0;                // HScroll1(1)
    qint16 lateNight = 0;                 // Check2
    qint16 preview = 0;                   // Check4
    qint32 left = 0;                      // twips
    qint32 top = 0;                       // twips

    bool operator==(const ControlPanelState &) const = default;
};

struct BoardPosition {
    qint32 left = 0;                      // twips
    qint32 top = 0;                       // twips

    bool operator==(const BoardPosition &) const = default;
};

// The settings of one fare cell, made by double-clicking it.
struct CellDigitSetting {
    qint16 shift = 0;
    qint16 zeroMode = 0;
    qint16 fillZero = 0;

    bool operator==(const CellDigitSetting &) const = default;
};


struct SettingsFile {
    FolderSettings folders;
    PanelSettings panel;
    InfoDigitSettings infoDigits;
    StopNameSettings stopName;
    SoundSettings sounds;
    TicketPreviewSettings ticketPreview;
    ControlPanelState controlPanel;
    BoardPosition board;
    CustomColors customColours{};
    // Entry i - 1 belongs to fare cell i.
    std::array<CellDigitSetting, kCellCount> cells{};

    bool operator==(const SettingsFile &) const = default;
};

// Today's date as the fixed ticket date shows it: "yyyy/mm/dd".
QString fixedDateText(int year, int month, int day);

} // namespace lumina
