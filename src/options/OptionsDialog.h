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

class DigitRow;

// The options dialog. It edits a copy of the program's settings: setSettings()
// shows them, settings() hands them back with the edits, and "OK" (or closing
// it, which means the same) asks for them to be taken. Every control carries
// its form designer name as object name ("Option3_2" for index 2 of a control
// array), by which tests find it.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OptionsDialog(QWidget *parent = nullptr);

    // Shows the options of `settings` (and keeps the rest of it for settings()).
    void setSettings(const SettingsFile &settings);
    // The settings given last, with the options as the dialog shows them now.
    SettingsFile settings() const;

    // "OK": asks for the options to be taken, then closes the dialog.
    void accept() override;
    // Closing from the title bar or with Esc is the same as "OK": the dialog
    // has no cancel, so what the operator sees set is what the board shows.
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

signals:
    // Take settings() into the program; emitted by "OK" before the dialog closes.
    void applyRequested();

private:
    // Indices of the control arrays.
    enum Page { FolderPage, PanelPage, DigitPage, StopNamePage, SoundPage, TicketPage, PageCount };
    enum SoundSubPage { PreSoundPage, StepSoundPage };
    enum Backlight { BacklightOff, BacklightOn1, BacklightOn2, BacklightCount };
    enum DigitColour { DigitBack, DigitUnlit, DigitLit };
    enum StripColour { StripBack, StripText };
    // Index 2 has no sound field.
    enum SoundField {
        RouteSetSound = 0,
        ResetSound = 1,
        PreSound = 3,
        PreSoundByFlag = 4,   // flag 1..3
        StepSound = 7,
        StepSoundByValue = 8, // column value 1..3
        SoundFieldCount = 11,
    };
    // Both sub-pages' sound modes sit in one array.
    enum SoundMode { StepAlways, StepByColumn, PreAlways, PreByFlag };
    enum PlayMode { Synchronous, Asynchronous };
    enum DateMode { DateRenewed, DateKept, DateFixed };
    // After the cell lists, indexed like infoDigitBoxes by InfoNumber.
    static constexpr size_t kDataColumnList = 4;
    // Panel mode, then per backlight state the built-in and the user panel.
    static constexpr size_t kPanelsAutomatic = 0;
    static constexpr size_t kPanelsIndividual = 1;
    static constexpr std::array<size_t, BacklightCount> kBuiltInPanel = {7, 3, 4};
    static constexpr std::array<size_t, BacklightCount> kUserPanel = {6, 2, 5};

    // --- Tab strip and pages
    std::array<QRadioButton *, PageCount> pageTabs{}; // push buttons
    std::array<QGroupBox *, PageCount> pages{};
    QPushButton *okButton = nullptr;
    // The interface language, indexed by LanguageChoice; kept per user, not in the settings.
    QComboBox *languageList = nullptr;

    // --- Data folders: fare data, announcement data
    std::array<QLineEdit *, 2> folderFields{};
    std::array<QPushButton *, 2> folderChoosers{};    // "..."
    std::array<QPushButton *, 2> openFolderButtons{}; // in the file manager

    // --- Panel and ticket numbers
    QCheckBox *autoTicketNumbersBox = nullptr;
    std::array<QRadioButton *, 8> panelOptions{};
    std::array<QGroupBox *, BacklightCount> panelImageGroups{};
    std::array<QLineEdit *, BacklightCount> panelImageFields{};
    std::array<QPushButton *, BacklightCount> panelImageChoosers{}; // "..."
    QFrame *ticketNumberGroup = nullptr;
    // The colour is the button's background (base/Colors.h backColor).
    std::array<QPushButton *, BacklightCount> ticketNumberColourButtons{};
    QComboBox *ticketStyleList = nullptr;
    QCheckBox *leadingZeroBox = nullptr;

    // --- Digit colours and information digits
    std::array<QPushButton *, 3> digitColourButtons{};
    // Colour preview: background, four unlit eights and a lit zero.
    DigitRow *previewDigit = nullptr;
    std::array<QCheckBox *, 5> infoDigitBoxes{};
    // The cell ("1".."60") of each line, then the data column ("1".."150").
    std::array<QComboBox *, 5> infoDigitLists{};

    // --- Stop name
    std::array<QPushButton *, 2> stripColourButtons{};
    QComboBox *stripFontList = nullptr; // none chosen at first
    QCheckBox *boldBox = nullptr;

    // --- Sounds
    std::array<QLineEdit *, SoundFieldCount> soundFields{};
    std::array<QPushButton *, SoundFieldCount> soundChoosers{}; // "..."
    std::array<QRadioButton *, 2> soundPageTabs{};
    std::array<QGroupBox *, 2> soundPages{};
    std::array<QRadioButton *, 4> soundModeOptions{};
    QComboBox *stepColumnList = nullptr; // "1".."150"
    std::array<QRadioButton *, 2> stepPlayOptions{};
    std::array<QRadioButton *, 2> prePlayOptions{};

    // --- Ticket preview
    QCheckBox *usePreviewBox = nullptr;
    QGroupBox *plugInGroup = nullptr;
    QLineEdit *plugInField = nullptr;
    QPushButton *choosePlugInButton = nullptr; // "..."
    QPushButton *forgetPlugInButton = nullptr; // "×"
    QListWidget *plugInProperties = nullptr;
    QPlainTextEdit *plugInRemarks = nullptr;
    QGroupBox *dateGroup = nullptr;
    std::array<QRadioButton *, 3> dateModeOptions{};
    QPushButton *chooseDateButton = nullptr;
    QLabel *fixedDateLabel = nullptr; // "yyyy/mm/dd"

    void buildTabs();
    void buildFolderPage(QWidget *page);
    void buildPanelPage(QWidget *page);
    void buildTicketNumberGroup(QWidget *page);
    void buildDigitPage(QWidget *page);
    void buildStopNamePage(QWidget *page);
    void buildSoundPage(QWidget *page);
    QGroupBox *buildSoundChoice(QWidget *page, int pageIndex, const char *title, int always,
                                int alwaysField, int byValue, const char *byValueCaption);
    void buildStepSoundPage(QWidget *page);
    void buildPreSoundPage(QWidget *page);
    void addSoundRow(QWidget *parent, int index, int textLeft, int top, int textWidth);
    void addValueRows(QWidget *parent, int firstField);
    void addPlayGroup(QWidget *parent, std::array<QRadioButton *, 2> &options, const char *name,
                      const std::array<const char *, 2> &captions);
    void buildTicketPage(QWidget *page);
    void buildDateGroup(QWidget *page);
    void layOutInfoDigitLines();
    void fillLists();
    void fillWordedLists();
    // Every text again, in the language installed now.
    void retranslate();
    void groupOptionButtons();
    void connectHandlers();

    // What the controls run.
    void showPage(int index);
    void showSoundPage(int index);
    // A chosen path the settings file can hold; otherwise says which character
    // it cannot, and the field keeps its text.
    bool storable(const QString &path);
    void chooseFolder(int index);
    void openFolder(int index);
    // Lets the operator pick the colour of a colour button.
    void chooseColour(QPushButton *button);
    void chooseDigitColour(int index);
    void choosePanelImage(int index);
    void chooseSound(int index);
    void chooseFixedDate();
    void choosePlugIn();
    void forgetPlugIn();

    void updateTicketNumberGroup();
    void updateInfoDigitLine(int index);
    void updatePanelImageGroups();
    void updatePlugInGroups();
    void updatePreviewDigit();
    // Loads the plug-in at `path` into the page: property list and remarks.
    // False when it is no usable plug-in (nothing changes then).
    bool showPlugIn(const QString &path);
    void clearPlugInPage();
    // The controls that show the options, in the order of visitOptionFields().
    std::vector<QWidget *> fieldControls() const;

    SettingsFile m_settings;
    bool m_plugInPrintsDate = false;
};

struct PlugInInfo;
// The lines of the plug-in property list for an information record.
QStringList plugInInfoLines(const PlugInInfo &info);

// Sets an option button's value the way a stored setting does: choosing it
// unchooses the others of its group; unchoosing it may leave the group with no
// member chosen (which a plain setChecked(false) refuses).
void setOptionValue(QRadioButton *button, bool chosen);

} // namespace lumina
