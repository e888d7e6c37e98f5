#pragma once

#include "hostlib/HostLib.h"
#include "settings/SettingsFile.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace lumina {

// The options dialog. It edits a copy of the program's settings: setSettings()
// shows them, settings() hands them back with the edits, and "OK" (or closing
// it, which means the same) asks for them to be taken. Indexed controls sit in
// arrays sized to the highest index + 1; indices that have no control hold
// nullptr.
class DigitRow;

class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OptionsDialog(QWidget *parent = nullptr);

    // --- Tab strip and pages -------------------------------------------------
    std::array<QRadioButton *, 6> Option1{}; // push-button tabs
    std::array<QGroupBox *, 6> Frame1{};     // the six pages
    QPushButton *Command4 = nullptr;         // "OK"

    // --- Page 0: data folders -------------------------------------------------
    std::array<QLabel *, 2> Label3{};
    std::array<QLineEdit *, 2> Text2{};        // 0 fare data folder, 1 announcement folder
    std::array<QPushButton *, 2> Command3{};   // "..." folder choosers
    std::array<QPushButton *, 2> Command10{};  // open the folder in the file manager

    // --- Page 1: panel and ticket numbers -------------------------------------
    QCheckBox *Check1 = nullptr;               // "整理券番号自動表示機能を使用"
    QGroupBox *Frame4 = nullptr;               // "本体パネル"
    // Panel mode (Frame4), then per backlight state the built-in / user panel.
    std::array<QRadioButton *, 8> Option3{};
    static constexpr size_t kPanelsAutomatic = 0;
    static constexpr size_t kPanelsIndividual = 1;
    // Indexed by backlight state 0 OFF, 1 ON1, 2 ON2.
    static constexpr std::array<size_t, 3> kBuiltInPanel = {7, 3, 4};
    static constexpr std::array<size_t, 3> kUserPanel = {6, 2, 5};
    std::array<QGroupBox *, 3> Frame6{};       // per-state image groups: 0 OFF, 1 ON1, 2 ON2
    std::array<QLineEdit *, 3> txtSelectPanel{};
    std::array<QPushButton *, 3> Command6{};   // "..." user panel image choosers
    QFrame *Frame3 = nullptr;                  // ticket-number settings, no caption
    // Ticket-number colours for backlight OFF, ON1, ON2; the colour is the
    // button's background (shell/Colors.h backColor).
    std::array<QPushButton *, 3> Command5{};
    QComboBox *Combo2 = nullptr;               // twelve ticket-number styles
    QCheckBox *Check2 = nullptr;               // leading zero
    std::array<QLabel *, 2> Label5{};          // [1] user panel note

    // --- Page 2: digit colours and information digits -------------------------
    std::array<QGroupBox *, 2> Frame5{};
    std::array<QPushButton *, 3> Command8{};   // background, unlit, lit segment colours
    // Colour preview: background, four unlit eights and a lit zero.
    DigitRow *M_Digit1 = nullptr;
    // 0 stop order, 1 ticket number, 2 route number, 3 data column, 4 count from zero.
    std::array<QCheckBox *, 5> Check3{};
    // 0..3 cell ("1".."60") of Check3 line 0..3; 4 data column ("1".."150").
    std::array<QComboBox *, 5> Combo4{};
    QLabel *Label7 = nullptr;

    // --- Page 3: stop name ------------------------------------------------------
    std::array<QPushButton *, 2> Command9{};   // background, text colour
    QComboBox *Combo3 = nullptr;               // five font options, none chosen
    QCheckBox *Check4 = nullptr;               // bold

    // --- Page 4: sounds ---------------------------------------------------------
    // 0 route set, 1 reset, 3 pre-announcement always, 4..6 pre-announcement
    // flag 1..3, 7 step always, 8..10 step column value 1..3; [2] is empty.
    std::array<QLineEdit *, 11> txtSelectSound{};
    std::array<QPushButton *, 11> cmdSelectSound{}; // "..." beside each sound field
    std::array<QRadioButton *, 2> Option5{};   // sub-page buttons: 1 step sound, 0 pre-announcement
    std::array<QGroupBox *, 2> Frame2{};       // sound sub-pages, same indices
    std::array<QRadioButton *, 4> Option2{};   // 0/1 step sound mode, 2/3 pre-announcement mode
    QComboBox *Combo1 = nullptr;               // step sound data column "1".."150"
    std::array<QRadioButton *, 2> Option6{};   // step sound: 0 synchronous, 1 asynchronous
    std::array<QRadioButton *, 2> Option7{};   // pre-announcement: 0 synchronous, 1 asynchronous
    std::array<QLabel *, 8> Label1{};          // [7] scrolling note

    // --- Page 5: ticket preview -------------------------------------------------
    QCheckBox *chkUseSeiriPrev = nullptr;
    QGroupBox *Frame10 = nullptr;              // plug-in settings
    QLineEdit *txtSeiriPlgDir = nullptr;
    QPushButton *Command1 = nullptr;           // "..." choose the plug-in
    QPushButton *Command11 = nullptr;          // forget the plug-in
    QListWidget *List1 = nullptr;              // plug-in properties
    QPlainTextEdit *txtPlginComment = nullptr; // plug-in remarks
    QGroupBox *Frame7 = nullptr;               // date settings
    std::array<QRadioButton *, 3> Option4{};   // date mode
    QPushButton *Command7 = nullptr;           // "日付選択..."
    QLabel *Label10 = nullptr;                 // fixed date "yyyy/mm/dd"

    // Shows the options of `settings` (and keeps the rest of it for settings()).
    void setSettings(const SettingsFile &settings);
    // The settings given last, with the options as the dialog shows them now.
    SettingsFile settings() const;

    // Loads the plug-in at `path` into the page: property list and remarks.
    // False when it is no usable plug-in (nothing changes then).
    bool showPlugIn(const QString &path);
    // "...": choosing the plug-in file.
    void Command1_Click();
    // Whether the plug-in loaded last prints the date.
    bool pluginPrintsDate() const { return m_pluginPrintsDate; }

    // Shows the folder chooser; the chosen folder or an empty string.
    QString GetPathString(const QString &defaultPath = QString());
    // Lets the operator pick the colour of a colour button; false when cancelled.
    bool GetBtnColor(QPushButton *button);
    // Fills Combo2 with the twelve ticket-number styles.
    void AddComboItem();

    // Dialog-only handlers, also run by the clicks of their controls.
    void showPage(int index);
    void showSoundPage(int index);
    void chooseFolder(int index);
    void openFolder(int index);
    void chooseColor(QPushButton *button);
    void choosePreviewColor(int index);
    void choosePanelImage(int index);
    void chooseSound(int index);
    void chooseFixedDate();
    void forgetPlugin();

    // "OK": asks for the options to be taken, then closes the dialog.
    void accept() override;
    // Closing from the title bar or with Esc is the same as "OK": the dialog
    // has no cancel, so what the operator sees set is what the board shows.
    void reject() override;

signals:
    // Take settings() into the program; emitted by "OK" before the dialog closes.
    void applyRequested();

private:
    void buildTabs();
    void buildFolderPage(QWidget *page);
    void buildPanelPage(QWidget *page);
    void buildDigitPage(QWidget *page);
    void buildStopNamePage(QWidget *page);
    void buildSoundPage(QWidget *page);
    void buildStepSoundPage(QWidget *page);
    void buildPreSoundPage(QWidget *page);
    void addSoundRow(QWidget *parent, int index, int textLeft, int top, int textWidth);
    void buildTicketPage(QWidget *page);
    void fillLists();
    void groupOptionButtons();
    void connectHandlers();

    void updateTicketNumberGroup();
    void updateInfoDigitLine(int index);
    void updatePanelImageGroups();
    void updatePluginGroups();
    void updatePreviewDigit();
    void forgetPluginPage();
    // The controls that show the options, in the order of visitOptionFields().
    std::vector<QWidget *> fieldControls() const;

    SettingsFile m_settings;
    bool m_pluginPrintsDate = false;
};

struct PlugInInfo;
// The lines of the plug-in property list for an information record.
QStringList plugInInfoLines(const PlugInInfo &info);

// Sets an option button's value the way a stored setting does: choosing it
// unchooses the others of its group; unchoosing it may leave the group with no
// member chosen (which a plain setChecked(false) refuses).
void setOptionValue(QRadioButton *button, bool chosen);

} // namespace lumina
