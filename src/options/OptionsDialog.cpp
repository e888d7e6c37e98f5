#include "options/OptionsDialog.h"

#include "controls/DigitRow.h"
#include "hostlib/TicketPlugin.h"
#include "options/OptionButton.h"
#include "route/BoardUpdate.h"
#include "base/CodePage.h"
#include "base/Colors.h"
#include "base/Geometry.h"
#include "base/Language.h"
#include "settings/OptionFields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace lumina {

namespace {

constexpr OleColor kDialogGrey = rgb(192, 192, 192);
// Greyed captions on the dialog's grey at a contrast of about 3.5:1, so a
// group out of use still says what it holds.
constexpr OleColor kGreyedText = rgb(96, 96, 96);

const QChar kNul(u'\0');

// The information lines whose check box turns on a list of cells.
constexpr int kInfoDigitLines[] = {InfoPosition, InfoTicketNumber, InfoRouteNumber, InfoColumn};

// A button that shows its background colour as it is: the style's shading
// would show the operator a lighter colour than the one chosen.
class ColorButton : public QPushButton
{
public:
    explicit ColorButton(QWidget *parent)
        : QPushButton(parent)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
        const int inset = isDown() ? 4 : 3;
        painter.fillRect(rect().adjusted(inset, inset, -3, -3), palette().color(QPalette::Button));
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(2, 2, -2, -2);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
};

// Gives a control the form designer's name (with its index in a control
// array), which tests find it by.
template<typename Widget>
Widget *named(Widget *widget, const char *name, int index = -1)
{
    const QString text = QString::fromLatin1(name);
    widget->setObjectName(index < 0 ? text : QStringLiteral("%1_%2").arg(text).arg(index));
    return widget;
}

// The context of the dialog's texts, as tr() in OptionsDialog has it.
constexpr char kContext[] = "lumina::OptionsDialog";

// A control of the dialog showing the translation of `source`, set again at
// each change of language.
template<typename Widget>
Widget *translated(Widget *widget, const char *source, const char *property = "text")
{
    setTranslated(widget, property, kContext, source);
    return widget;
}

QLabel *caption(QWidget *parent, const char *source, int left, int top, int width, int height,
                bool wrap = false)
{
    auto *label = translated(new QLabel(parent), source);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | (wrap ? Qt::AlignTop : Qt::AlignVCenter));
    return place(label, left, top, width, height);
}

QGroupBox *group(QWidget *parent, const char *title, int left, int top, int width, int height)
{
    return place(translated(new QGroupBox(parent), title, "title"), left, top, width, height);
}

QPushButton *button(QWidget *parent, const char *text, int left, int top, int width,
                    int height)
{
    auto *b = place(translated(new QPushButton(parent), text), left, top, width, height);
    // Enter in a text box means "OK", not whichever button had focus last.
    b->setAutoDefault(false);
    return b;
}

QPushButton *colorButton(QWidget *parent, int left, int top)
{
    auto *b = place(new ColorButton(parent), left, top, 555, 315);
    b->setAutoDefault(false);
    return b;
}

QRadioButton *option(QWidget *parent, const char *text, int left, int top, int width,
                     int height = 255)
{
    auto *b = new OptionButton(QString(), OptionButton::Look::Standard, parent);
    return place(translated(b, text), left, top, width, height);
}

QCheckBox *check(QWidget *parent, const char *text, int left, int top, int width = 0)
{
    auto *box = translated(new QCheckBox(parent), text);
    const int w = width > 0 ? px(width) : box->sizeHint().width();
    box->setGeometry(px(left), px(top), w, px(255));
    return box;
}

QLineEdit *textBox(QWidget *parent, int left, int top, int width)
{
    return place(new QLineEdit(parent), left, top, width, 300);
}

QComboBox *dropDownList(QWidget *parent)
{
    return new QComboBox(parent);
}

void fillNumbers(QComboBox *combo, int last)
{
    QStringList items;
    for (int n = 1; n <= last; ++n)
        items << QString::number(n);
    combo->addItems(items);
}

// Lays a list over the run-th gap (two blanks or more, so that the single
// spaces between English words are no gap) in a check box caption, so that the
// caption reads as a sentence with the list as its gap.
void placeInBlank(QCheckBox *box, int run, QWidget *list)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const int textLeft =
        box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
    const QString text = box->text();
    const QFontMetrics metrics = box->fontMetrics();

    static const QRegularExpression gap(QStringLiteral("[ \\x{3000}]{2,}"));
    QRegularExpressionMatchIterator gaps = gap.globalMatch(text);
    for (int seen = 0; seen < run && gaps.hasNext(); ++seen)
        gaps.next();
    Q_ASSERT(gaps.hasNext());
    const QRegularExpressionMatch found = gaps.next();
    const int start = int(found.capturedStart());
    const int end = int(found.capturedEnd());
    const int x0 = textLeft + metrics.horizontalAdvance(text.left(start));
    const int x1 = textLeft + metrics.horizontalAdvance(text.left(end));
    const int width = qMax(44, x1 - x0 - 4);
    const int height = px(300);
    const QPoint origin = box->pos();
    list->setGeometry(origin.x() + (x0 + x1 - width) / 2,
                      origin.y() + (box->height() - height) / 2, width, height);
    list->raise();
}

const char *const kValueCaptions[3] = {QT_TRANSLATE_NOOP("lumina::OptionsDialog", "「1」の場合"),
                                       QT_TRANSLATE_NOOP("lumina::OptionsDialog", "「2」の場合"),
                                       QT_TRANSLATE_NOOP("lumina::OptionsDialog", "「3」の場合")};

// A file dialog's filter: each name (translated) with its pattern.
QString nulList(std::initializer_list<const char *> parts)
{
    QString list;
    for (const char *part : parts) {
        list += QCoreApplication::translate(kContext, part);
        list += kNul;
    }
    list += kNul;
    return list;
}

} // namespace

void setOptionValue(QRadioButton *button, bool chosen)
{
    if (button->isChecked() == chosen)
        return;
    if (chosen) {
        button->setChecked(true);
        return;
    }
    QButtonGroup *group = button->group();
    const bool exclusive = group ? group->exclusive() : button->autoExclusive();
    if (group)
        group->setExclusive(false);
    else
        button->setAutoExclusive(false);
    button->setChecked(false);
    if (group)
        group->setExclusive(exclusive);
    else
        button->setAutoExclusive(exclusive);
}

OptionsDialog::OptionsDialog(QWidget *parent)
    : QDialog(parent)
{
    setTranslated(this, "windowTitle", kContext, QT_TR_NOOP("オプション"));
    setFixedSize(px(9570), px(5610));
    setSizeGripEnabled(false);
    QFont dialogFont(QStringLiteral("ＭＳ Ｐゴシック"));
    dialogFont.setPointSize(9);
    setFont(dialogFont);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, toQColor(kDialogGrey));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        grey.setColor(QPalette::Disabled, role, toQColor(kGreyedText));
    setPalette(grey);

    buildTabs();
    buildFolderPage(pages[FolderPage]);
    buildPanelPage(pages[PanelPage]);
    buildDigitPage(pages[DigitPage]);
    buildStopNamePage(pages[StopNamePage]);
    buildSoundPage(pages[SoundPage]);
    buildTicketPage(pages[TicketPage]);

    okButton = named(button(this, "OK", 7995, 5145, 1380, 375), "Command4");
    // The one button that takes Enter: shown, the dialog makes it the default.
    okButton->setAutoDefault(true);

    groupOptionButtons();
    connectHandlers();
    fillLists();
    // Chosen once the handlers listen, so that the pages and the controls that
    // follow a choice start in step with it.
    pageTabs[FolderPage]->setChecked(true);
    soundPageTabs[StepSoundPage]->setChecked(true);
    updateTicketNumberGroup();
    for (int line : kInfoDigitLines)
        updateInfoDigitLine(line);
    updatePanelImageGroups();
    updatePlugInGroups();
}

// ---------------------------------------------------------------------------
// Layout

void OptionsDialog::buildTabs()
{
    static const char *const tabs[PageCount] = {
        QT_TR_NOOP("運賃データと　放送用データ"), QT_TR_NOOP("パネルと整理券番号表示"),   QT_TR_NOOP("デジタル部品と情報用数字"),
        QT_TR_NOOP("停名の設定"),                 QT_TR_NOOP("サウンド"),                 QT_TR_NOOP("　　整理券　　　プレビュー"),
    };
    static const char *const titles[PageCount] = {
        QT_TR_NOOP("運賃データと放送用データ"),
        QT_TR_NOOP("パネルと整理券番号表示"),
        QT_TR_NOOP("デジタル部品と情報用数字"),
        QT_TR_NOOP("停名の設定"),
        QT_TR_NOOP("サウンド（鳴らさなくてもいい項目にはファイル名を入れないで下さい）"),
        QT_TR_NOOP("整理券プレビュー"),
    };
    static constexpr int tops[PageCount] = {45, 900, 1740, 2580, 3420, 4260};
    for (int k = 0; k < PageCount; ++k) {
        auto *tab = translated(new OptionButton(QString(), OptionButton::Look::Graphical, this), tabs[k]);
        pageTabs[k] = named(place(tab, 90, tops[k], 1250, 833), "Option1", k);
        pages[k] = named(group(this, (titles[k]), 1455, 75, 8000, 5000), "Frame1", k);
    }
}

void OptionsDialog::buildFolderPage(QWidget *page)
{
    static const char *const captions[2][2] = {
        {QT_TR_NOOP("運賃データ(*.hy3)のあるフォルダー："), QT_TR_NOOP("上記運賃データの場所をエクスプローラで開く")},
        {QT_TR_NOOP("放送用データ(*****Tp.csv)のあるフォルダー："),
         QT_TR_NOOP("上記放送用データの場所をエクスプローラで開く")},
    };
    for (int k = 0; k < 2; ++k) {
        const int top = 390 + k * 1440;
        named(caption(page, (captions[k][0]), 240, top, 7500, 255), "Label3", k);
        folderFields[k] = named(textBox(page, 240, top + 285, 6960), "Text2", k);
        folderChoosers[k] =
            named(button(page, "...", 7260, top + 270, 495, 330), "Command3", k);
        openFolderButtons[k] = named(
            button(page, (captions[k][1]), 3720, top + 675, 4035, 375),
            "Command10", k);
    }
    caption(page, QT_TR_NOOP("表示言語"), 240, 3315, 3000, 255);
    languageList = named(place(dropDownList(page), 240, 3600, 3000, 315), "cboDisplayLanguage");
}

void OptionsDialog::buildPanelPage(QWidget *page)
{
    autoTicketNumbersBox =
        named(check(page, QT_TR_NOOP("整理券番号自動表示機能を使用"), 240, 300), "Check1");

    auto *panelGroup = named(group(page, QT_TR_NOOP("本体パネル"), 120, 645, 3855, 4245), "Frame4");
    panelOptions[kPanelsAutomatic] = named(
        option(panelGroup, QT_TR_NOOP("内蔵しているパネルを自動で割り当てる"), 150, 285, 3600),
        "Option3", kPanelsAutomatic);
    panelOptions[kPanelsIndividual] = named(
        option(panelGroup, QT_TR_NOOP("個別に設定する"), 150, 570, 3600), "Option3", kPanelsIndividual);
    panelOptions[kPanelsAutomatic]->setChecked(true);

    // One group per backlight state, OFF at the top: which image the board shows
    // for that state, and the user image file.
    static const char *const titles[BacklightCount] = {QT_TR_NOOP("バックライトOFF時の画像："),
                                                           QT_TR_NOOP("ON1の画像："), QT_TR_NOOP("ON2の画像：")};
    for (int state = 0; state < BacklightCount; ++state) {
        const size_t builtIn = kBuiltInPanel[state], user = kUserPanel[state];
        QGroupBox *frame = named(
            group(panelGroup, (titles[state]), 150, 900 + state * 1110, 3555, 1065),
            "Frame6", state);
        panelImageGroups[state] = frame;
        panelOptions[builtIn] =
            named(option(frame, QT_TR_NOOP("内蔵"), 150, 270, 1050), "Option3", int(builtIn));
        panelOptions[user] =
            named(option(frame, QT_TR_NOOP("ユーザーパネル"), 1260, 270, 2100), "Option3", int(user));
        panelOptions[builtIn]->setChecked(true);
        panelImageFields[state] = named(textBox(frame, 150, 630, 2805), "txtSelectPanel", state);
        panelImageChoosers[state] =
            named(button(frame, "...", 3015, 615, 420, 330), "Command6", state);
    }

    buildTicketNumberGroup(page);

    named(caption(page,
                  QT_TR_NOOP("※ユーザーパネルには、現在の機種に対応の画像をご使用ください。大きいパネルの場合、はみ出た部分（右・下）が切り取られます。逆に小さいパネルの場合は左上から表示され、余白部分はグレーになりますのでご注意ください。"),
                  4095, 3225, 3780, 1665, true),
          "Label5", 1);
}

void OptionsDialog::buildTicketNumberGroup(QWidget *page)
{
    QFrame *frame = named(place(new QFrame(page), 4095, 300, 3780, 2805), "Frame3");
    ticketNumberGroup = frame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    caption(frame, QT_TR_NOOP("整理券番号のバックライトカラー(文字色)"), 120, 105, 3540, 255);
    static const char *const stateCaptions[BacklightCount] = {QT_TR_NOOP("OFF："), QT_TR_NOOP("ON1："), QT_TR_NOOP("ON2：")};
    for (int i = 0; i < BacklightCount; ++i) {
        caption(frame, (stateCaptions[i]), 120 + i * 1200, 435, 570, 255);
        ticketNumberColourButtons[i] = named(colorButton(frame, 690 + i * 1200, 405), "Command5", i);
    }
    caption(frame, QT_TR_NOOP("整理券番号表示設定"), 120, 900, 3540, 255);
    ticketStyleList = named(place(dropDownList(frame), 120, 1170, 3540, 315), "Combo2");
    leadingZeroBox = named(
        check(frame, QT_TR_NOOP("数字が1桁の番号は頭に0を付け足す"), 120, 1620, 3540), "Check2");
    caption(frame,
            QT_TR_NOOP("※ユーザーパネルに直接番号をデザインしている場合には上記チェックをOFFにしてください。"),
            120, 1935, 3540, 750, true);
}

void OptionsDialog::buildDigitPage(QWidget *page)
{
    QGroupBox *colours = named(
        group(page,
              QT_TR_NOOP("デジタル部品の背景色と文字色（時計つきの場合はこの部分も同色となります）"),
              120, 300, 7755, 1110),
        "Frame5", 0);
    caption(colours, QT_TR_NOOP("背景色："), 180, 480, 780, 255);
    digitColourButtons[DigitBack] = named(colorButton(colours, 960, 450), "Command8", DigitBack);
    caption(colours, QT_TR_NOOP("未発光時の文字色："), 1710, 480, 1680, 255);
    digitColourButtons[DigitUnlit] = named(colorButton(colours, 3390, 450), "Command8", DigitUnlit);
    caption(colours, QT_TR_NOOP("発光時の文字色："), 4140, 480, 1560, 255);
    digitColourButtons[DigitLit] = named(colorButton(colours, 5700, 450), "Command8", DigitLit);
    caption(colours, QT_TR_NOOP("プレビュー"), 6480, 240, 1080, 255);
    previewDigit = named(place(new DigitRow(colours), 6480, 510, 780, 300), "M_Degit1");
    // A single lit 0 shows the lit colour beside the unlit eights.
    previewDigit->setZeroMode(1);
    setBackColor(digitColourButtons[DigitBack], kDigitBackColour);
    setBackColor(digitColourButtons[DigitUnlit], kDigitUnlitColour);
    setBackColor(digitColourButtons[DigitLit], kDigitLitColour);

    QGroupBox *f =
        named(group(page, QT_TR_NOOP("情報用数字の設定"), 120, 1530, 7755, 3360), "Frame5", 1);
    infoDigitBoxes[InfoPosition] = check(
        f, QT_TR_NOOP("停留所の順番（区間・個数）を、　　　　　　  コマ目に表示する。"), 240, 345);
    infoDigitBoxes[InfoTicketNumber] =
        check(f, QT_TR_NOOP("整理券番号を、  　　　　　　コマ目に表示する。"), 240, 765);
    infoDigitBoxes[InfoRouteNumber] =
        check(f, QT_TR_NOOP("系統番号を、  　　　　　　コマ目に表示する。"), 240, 1185);
    infoDigitBoxes[InfoColumn] = check(
        f, QT_TR_NOOP("データの　　　  　　　　　列目の値を、  　　　　　　コマ目に表示する。"), 240,
        1605);
    infoDigitBoxes[InfoFromZero] = check(f, QT_TR_NOOP("0から数える"), 0, 345);
    for (int k = 0; k < int(infoDigitBoxes.size()); ++k)
        named(infoDigitBoxes[k], "Check3", k);
    for (int k = 0; k < int(infoDigitLists.size()); ++k)
        infoDigitLists[k] = named(dropDownList(f), "Combo4", k);
    layOutInfoDigitLines();

    named(caption(f,
                  QT_TR_NOOP("デジタル数字の桁ずらし、ゼロ埋めの設定は各部品をダブルクリックして設定してください。また、これら情報用数字は運賃の表示よりも優先されます。"),
                  240, 2160, 7275, 900, true),
          "Label7");
}

// The lists sit in the gaps of their lines' captions and "0から数える" follows
// the first line, so all of them move with the captions' wording.
void OptionsDialog::layOutInfoDigitLines()
{
    for (QCheckBox *box : infoDigitBoxes)
        box->resize(box->sizeHint().width(), box->height());
    const QRect line0 = infoDigitBoxes[InfoPosition]->geometry();
    infoDigitBoxes[InfoFromZero]->move(line0.right() + px(180), line0.top());
    for (int line : {InfoPosition, InfoTicketNumber, InfoRouteNumber})
        placeInBlank(infoDigitBoxes[line], 0, infoDigitLists[line]);
    placeInBlank(infoDigitBoxes[InfoColumn], 0, infoDigitLists[kDataColumnList]);
    placeInBlank(infoDigitBoxes[InfoColumn], 1, infoDigitLists[InfoColumn]);
}

void OptionsDialog::buildStopNamePage(QWidget *page)
{
    caption(page, QT_TR_NOOP("背景色："), 300, 465, 780, 255);
    stripColourButtons[StripBack] = named(colorButton(page, 1080, 435), "Command9", StripBack);
    caption(page, QT_TR_NOOP("文字色："), 1980, 465, 780, 255);
    stripColourButtons[StripText] = named(colorButton(page, 2760, 435), "Command9", StripText);

    // Grey background, yellow text until the settings say otherwise.
    setBackColor(stripColourButtons[StripBack], rgb(128, 128, 128));
    setBackColor(stripColourButtons[StripText], rgb(255, 255, 0));

    caption(page, QT_TR_NOOP("フォントオプション："), 300, 1080, 3000, 255);
    stripFontList = named(place(dropDownList(page), 300, 1365, 4500, 315), "Combo3");
    stripFontList->setCurrentIndex(-1);
    boldBox = named(check(page, QT_TR_NOOP("太字（表示の不具合はサポート対象外）"), 300, 1875),
                    "Check4");
}

void OptionsDialog::buildSoundPage(QWidget *page)
{
    caption(page, QT_TR_NOOP("系統設定時のサウンド："), 150, 285, 2250, 255);
    addSoundRow(page, RouteSetSound, 2400, 270, 4920);
    caption(page, QT_TR_NOOP("リセット時のサウンド："), 150, 645, 2250, 255);
    addSoundRow(page, ResetSound, 2400, 630, 4920);

    auto *stepTab = translated(new OptionButton(QString(), OptionButton::Look::Graphical, page),
                               QT_TR_NOOP("送り・戻し時のサウンド..."));
    soundPageTabs[StepSoundPage] =
        named(place(stepTab, 150, 1005, 2400, 345), "Option5", StepSoundPage);
    auto *preTab = translated(new OptionButton(QString(), OptionButton::Look::Graphical, page),
                              QT_TR_NOOP("放送前のサウンド..."));
    soundPageTabs[PreSoundPage] = named(place(preTab, 2610, 1005, 2400, 345), "Option5", PreSoundPage);

    buildStepSoundPage(page);
    buildPreSoundPage(page);

    named(caption(page,
                  QT_TR_NOOP("「放送前のサウンド」再生時は、停名のスクロールが停止することがありますので、あらかじめご了承ください。"),
                  150, 4440, 7605, 480, true),
          "Label1", 7);
}

void OptionsDialog::addSoundRow(QWidget *parent, int index, int textLeft, int top, int textWidth)
{
    soundFields[size_t(index)] =
        named(textBox(parent, textLeft, top, textWidth), "txtSelectSound", index);
    soundChoosers[size_t(index)] = named(
        button(parent, "...", textLeft + textWidth + 60, top - 15, 420, 330),
        "cmdSelectSound", index);
}

// The frame both sound pages share: one sound always, or one of three chosen by a
// value (`byValue` says where the value comes from). The caller adds what lies between
// that choice and the rows of the three sounds.
QGroupBox *OptionsDialog::buildSoundChoice(QWidget *page, int pageIndex, const char *title,
                                           int always, int alwaysField, int byValue,
                                           const char *byValueCaption)
{
    QGroupBox *frame = named(group(page, title, 120, 1380, 7755, 3000), "Frame2", pageIndex);
    soundPages[size_t(pageIndex)] = frame;
    soundModeOptions[size_t(always)] = named(
        option(frame, QT_TR_NOOP("常に右記のサウンドを鳴らす"), 120, 270, 2880), "Option2", always);
    addSoundRow(frame, alwaysField, 3060, 240, 4080);
    soundModeOptions[size_t(byValue)] =
        named(option(frame, byValueCaption, 120, 555, 7515, 480), "Option2", byValue);
    soundModeOptions[size_t(always)]->setChecked(true);
    return frame;
}

void OptionsDialog::buildStepSoundPage(QWidget *page)
{
    QGroupBox *step = buildSoundChoice(
        page, StepSoundPage, QT_TR_NOOP("送り・戻し時のサウンド"), StepAlways, StepSound, StepByColumn,
        QT_TR_NOOP("運賃データ(*.hy3)の特定の列のデータから判断して、以下の指定したサウンドを鳴らす（指定した列のデータの内容が1～3以外の場合はサウンドは鳴りません）"));
    stepColumnList = named(place(dropDownList(step), 420, 1065, 855, 315), "Combo1");
    caption(step, QT_TR_NOOP("列目"), 1320, 1095, 720, 255);
    addValueRows(step, StepSoundByValue);
    addPlayGroup(step, stepPlayOptions, "Option6",
                 {QT_TR_NOOP("同期再生(サウンドが完全に再生された後で運賃切り替え)"),
                  QT_TR_NOOP("非同期再生(サウンドを再生しながら運賃切り替え)")});
    stepPlayOptions[Asynchronous]->setChecked(true);
}

// The sounds for the values 1..3, one row each from `firstField` on.
void OptionsDialog::addValueRows(QWidget *parent, int firstField)
{
    for (int i = 0; i < 3; ++i) {
        caption(parent, kValueCaptions[i], 2040, 1095 + i * 345, 1020, 255);
        addSoundRow(parent, firstField + i, 3060, 1065 + i * 345, 4080);
    }
}

// "再生方法": whether what follows the sound waits for it (`captions`[0]) or
// goes on while it plays (`captions`[1]).
void OptionsDialog::addPlayGroup(QWidget *parent, std::array<QRadioButton *, 2> &options,
                                 const char *name, const std::array<const char *, 2> &captions)
{
    QGroupBox *play = group(parent, QT_TR_NOOP("再生方法"), 120, 2130, 7515, 810);
    options[Synchronous] = named(option(play, captions[0], 150, 240, 7215), name, Synchronous);
    options[Asynchronous] = named(option(play, captions[1], 150, 510, 7215), name, Asynchronous);
}

void OptionsDialog::buildPreSoundPage(QWidget *page)
{
    QGroupBox *before = buildSoundChoice(
        page, PreSoundPage,
        QT_TR_NOOP("放送前のサウンド：※音声合成放送機能が有効でない場合は以下の設定は意味を持ちません。"),
        PreAlways, PreSound, PreByFlag,
        QT_TR_NOOP("放送データ(*****Tp.csv)内のフラグから判断して、以下の指定したサウンドを鳴らす（フラグの内容が1～3以外の場合はサウンドは鳴りません）"));
    addValueRows(before, PreSoundByFlag);
    addPlayGroup(before, prePlayOptions, "Option7",
                 {QT_TR_NOOP("同期再生(サウンドが完全に再生された後で放送開始)"),
                  QT_TR_NOOP("非同期再生(サウンドを再生しながら放送開始)")});
    prePlayOptions[Synchronous]->setChecked(true);
}

void OptionsDialog::buildTicketPage(QWidget *page)
{
    usePreviewBox = named(check(page, QT_TR_NOOP("整理券プレビュー機能を使用する"), 240, 285),
                          "chkUseSeiriPrev");

    QGroupBox *plugIn =
        named(group(page, QT_TR_NOOP("整理券プラグイン設定"), 120, 600, 7755, 2565), "Frame10");
    plugInGroup = plugIn;
    caption(plugIn,
            QT_TR_NOOP("整理券プラグイン（整理券プレビューを使用しない場合は、何も入れないでください）："),
            120, 270, 7515, 255);
    plugInField = named(textBox(plugIn, 120, 555, 6555), "txtSeiriPlgDir");
    choosePlugInButton = named(button(plugIn, "...", 6735, 540, 420, 330), "Command1");
    forgetPlugInButton = named(button(plugIn, QT_TR_NOOP("×"), 7215, 540, 420, 330), "Command11");
    translated(forgetPlugInButton, QT_TR_NOOP("プラグインの指定を解除します"), "toolTip");
    caption(plugIn, QT_TR_NOOP("上記プラグインのプロパティ："), 120, 945, 3600, 255);
    plugInProperties = named(place(new QListWidget(plugIn), 120, 1200, 3600, 1230), "List1");
    caption(plugIn, QT_TR_NOOP("上記プラグインの特記事項："), 3855, 945, 3780, 255);
    plugInRemarks =
        named(place(new QPlainTextEdit(plugIn), 3855, 1200, 3780, 1230), "txtPlginComment");
    plugInRemarks->setReadOnly(true);
    plugInRemarks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette remarksPalette = plugInRemarks->palette();
    remarksPalette.setColor(QPalette::Base, toQColor(kDialogGrey));
    plugInRemarks->setPalette(remarksPalette);

    buildDateGroup(page);
}

void OptionsDialog::buildDateGroup(QWidget *page)
{
    QGroupBox *date = named(
        group(page, QT_TR_NOOP("日付の設定（整理券プラグインが日付の印字をサポートしているときに有効）"),
              120, 3240, 7755, 1710),
        "Frame7");
    dateGroup = date;
    dateModeOptions[DateRenewed] = named(
        option(date, QT_TR_NOOP("システムの日付を使用（整理券印字と同時に日付を更新、デフォルト）"), 150,
               270, 7455),
        "Option4", DateRenewed);
    dateModeOptions[DateKept] = named(
        option(date, QT_TR_NOOP("システムの日付を使用（系統設定した時点の日付を保持）"), 150, 555, 7455),
        "Option4", DateKept);
    caption(date,
            QT_TR_NOOP("系統設定した際の日付が保持され、日付が途中で変わっても次回系統設定するまで整理券の日付変更を行いません。"),
            450, 825, 7155, 405, true);
    dateModeOptions[DateFixed] =
        named(option(date, QT_TR_NOOP("右記の日付に固定"), 150, 1305, 2205), "Option4", DateFixed);
    chooseDateButton =
        named(button(date, QT_TR_NOOP("日付選択..."), 2415, 1260, 1230, 345), "Command7");
    fixedDateLabel = named(place(new QLabel(date), 3765, 1275, 1470, 315), "Label10");
    fixedDateLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The date comes from the settings file: its characters as they stand.
    fixedDateLabel->setTextFormat(Qt::PlainText);
    fixedDateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dateModeOptions[DateRenewed]->setChecked(true);
}

void OptionsDialog::fillLists()
{
    previewDigit->setDigitSize(0);
    for (int line : kInfoDigitLines)
        fillNumbers(infoDigitLists[line], 60);
    fillNumbers(stepColumnList, 150);
    fillNumbers(infoDigitLists[kDataColumnList], 150);
    fillWordedLists();
    ticketStyleList->setCurrentIndex(0);
    const QDate today = QDate::currentDate();
    fixedDateLabel->setText(QStringLiteral("%1/%2/%3")
                                .arg(today.year(), 4, 10, QLatin1Char('0'))
                                .arg(today.month(), 2, 10, QLatin1Char('0'))
                                .arg(today.day(), 2, 10, QLatin1Char('0')));
}

// The lists whose items are words, filled anew in each language.
void OptionsDialog::fillWordedLists()
{
    // The choice stays, also none: the first item added would be chosen.
    const auto fill = [](QComboBox *combo, const QStringList &items) {
        const int chosen = combo->currentIndex();
        for (int i = 0; i < items.size(); ++i) {
            if (i < combo->count())
                combo->setItemText(i, items[i]);
            else
                combo->addItem(items[i]);
        }
        combo->setCurrentIndex(chosen);
    };
    QStringList styles;
    for (int style = 0; style < kTicketStyleCount; ++style)
        styles << ticketStyleItem(style);
    fill(ticketStyleList, styles);
    fill(stripFontList, {tr("ゴシック体"), tr("明朝体"), tr("漢字はゴシック、それ以外は明朝"),
                         tr("漢字は明朝、それ以外はゴシック"), tr("英数字はゴシック、それ以外は明朝")});
    // Each language by its own name, so that it is found whatever is shown now.
    fill(languageList, {tr("システムに従う"), QStringLiteral("日本語"), QStringLiteral("English")});
    languageList->setCurrentIndex(int(Translations::instance().choice()));
}

void OptionsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void OptionsDialog::retranslate()
{
    retranslateTexts(this);
    // The check boxes that are as wide as their captions.
    for (QCheckBox *box : {autoTicketNumbersBox, boldBox, usePreviewBox})
        box->resize(box->sizeHint().width(), box->height());
    layOutInfoDigitLines();
    fillWordedLists();
    showPlugIn(plugInField->text());
}

// Qt makes the option buttons of one container a group of their own; each group
// is still made explicit, so that a button added to a frame later joins none by
// accident and no group depends on how its frames happen to nest.
void OptionsDialog::groupOptionButtons()
{
    auto makeGroup = [this](const std::vector<QRadioButton *> &buttons) {
        auto *group = new QButtonGroup(this); // exclusive from the start
        for (QRadioButton *b : buttons)
            group->addButton(b);
    };
    makeGroup({pageTabs.begin(), pageTabs.end()});
    makeGroup({panelOptions[kPanelsAutomatic], panelOptions[kPanelsIndividual]});
    // Each backlight state's two choices are alone in their frame, and so exclusive already.
    makeGroup({soundPageTabs.begin(), soundPageTabs.end()});
    makeGroup({soundModeOptions[StepAlways], soundModeOptions[StepByColumn]});
    makeGroup({soundModeOptions[PreAlways], soundModeOptions[PreByFlag]});
    makeGroup({stepPlayOptions.begin(), stepPlayOptions.end()});
    makeGroup({prePlayOptions.begin(), prePlayOptions.end()});
    makeGroup({dateModeOptions.begin(), dateModeOptions.end()});
}

// ---------------------------------------------------------------------------
// Handlers

void OptionsDialog::connectHandlers()
{
    // An option button acts when it becomes chosen, a check box on every change
    // of its value, whether the operator or a stored setting changed it.
    for (int k = 0; k < PageCount; ++k)
        connect(pageTabs[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on)
                showPage(k);
        });
    for (int k = 0; k < int(soundPageTabs.size()); ++k)
        connect(soundPageTabs[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on)
                showSoundPage(k);
        });
    connect(autoTicketNumbersBox, &QCheckBox::toggled, this, &OptionsDialog::updateTicketNumberGroup);
    for (int line : kInfoDigitLines)
        connect(infoDigitBoxes[line], &QCheckBox::toggled, this,
                [this, line] { updateInfoDigitLine(line); });
    for (QRadioButton *b : panelOptions)
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                updatePanelImageGroups();
        });
    connect(usePreviewBox, &QCheckBox::toggled, this, &OptionsDialog::updatePlugInGroups);

    for (int k = 0; k < 2; ++k) {
        connect(folderChoosers[k], &QPushButton::clicked, this, [this, k] { chooseFolder(k); });
        connect(openFolderButtons[k], &QPushButton::clicked, this, [this, k] { openFolder(k); });
    }
    for (QPushButton *b : ticketNumberColourButtons)
        connect(b, &QPushButton::clicked, this, [this, b] { chooseColour(b); });
    for (QPushButton *b : stripColourButtons)
        connect(b, &QPushButton::clicked, this, [this, b] { chooseColour(b); });
    for (int k = 0; k < int(digitColourButtons.size()); ++k)
        connect(digitColourButtons[k], &QPushButton::clicked, this, [this, k] { chooseDigitColour(k); });
    for (int k = 0; k < BacklightCount; ++k)
        connect(panelImageChoosers[k], &QPushButton::clicked, this, [this, k] { choosePanelImage(k); });
    for (int k = 0; k < int(soundChoosers.size()); ++k)
        if (soundChoosers[k])
            connect(soundChoosers[k], &QPushButton::clicked, this, [this, k] { chooseSound(k); });
    connect(chooseDateButton, &QPushButton::clicked, this, &OptionsDialog::chooseFixedDate);
    connect(forgetPlugInButton, &QPushButton::clicked, this, &OptionsDialog::forgetPlugIn);
    connect(choosePlugInButton, &QPushButton::clicked, this, &OptionsDialog::choosePlugIn);
    connect(okButton, &QPushButton::clicked, this, &OptionsDialog::accept);
    // The language is the user's, not the settings file's: it changes at once.
    connect(languageList, &QComboBox::activated, this,
            [](int index) { Translations::instance().choose(LanguageChoice(index)); });
}

void OptionsDialog::showPage(int index)
{
    // Only the page in front is shown, so that the keyboard never reaches
    // controls of the pages behind it.
    for (int k = 0; k < int(pages.size()); ++k)
        pages[k]->setVisible(k == index);
    pages[index]->raise();
}

void OptionsDialog::showSoundPage(int index)
{
    for (int k = 0; k < int(soundPages.size()); ++k)
        soundPages[k]->setVisible(k == index);
    soundPages[index]->raise();
}

// The dependent controls follow the value of their check box rather than flip
// at each change, so they can never drift out of step with it.
void OptionsDialog::updateTicketNumberGroup()
{
    ticketNumberGroup->setEnabled(autoTicketNumbersBox->isChecked());
}

void OptionsDialog::updateInfoDigitLine(int index)
{
    const bool on = infoDigitBoxes[index]->isChecked();
    infoDigitLists[index]->setEnabled(on);
    if (index == InfoPosition)
        infoDigitBoxes[InfoFromZero]->setEnabled(on);
    if (index == InfoColumn)
        infoDigitLists[kDataColumnList]->setEnabled(on);
}

void OptionsDialog::updatePanelImageGroups()
{
    const bool on = !panelOptions[kPanelsAutomatic]->isChecked();
    for (QGroupBox *frame : panelImageGroups) {
        frame->setEnabled(on);
        frame->setVisible(on);
    }
}

void OptionsDialog::updatePlugInGroups()
{
    const bool on = usePreviewBox->isChecked();
    plugInGroup->setEnabled(on);
    plugInGroup->setVisible(on);
    // The date settings matter only to a plug-in that prints the date.
    dateGroup->setEnabled(on && m_plugInPrintsDate);
    dateGroup->setVisible(on);
}

bool OptionsDialog::storable(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QString character = cp932::firstUnencodable(path);
    if (character.isEmpty())
        return true;
    // The settings file holds code page 932 only: the name would come back with
    // a "?" in it and lead nowhere.
    host().messageBox(this,
                      tr("「%1」には設定ファイルに保存できない文字「%2」が含まれています。\r\n"
                         "この文字を含まない場所や名前を選んでください。")
                          .arg(QDir::toNativeSeparators(path), character),
                      windowTitle(), MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

void OptionsDialog::chooseFolder(int index)
{
    const QString folder =
        host().folderDialog(this, tr("フォルダーを選択してください"));
    if (storable(folder))
        folderFields[index]->setText(folder);
}

void OptionsDialog::openFolder(int index)
{
    // Whatever the file manager makes of it is its own business.
    host().openFolder(folderFields[index]->text());
}

void OptionsDialog::chooseColour(QPushButton *button)
{
    OleColor color = backColor(button);
    if (host().colourDialog(this, color, m_settings.customColours) != 0)
        setBackColor(button, color);
}

void OptionsDialog::chooseDigitColour(int index)
{
    chooseColour(digitColourButtons[index]);
    updatePreviewDigit();
}

void OptionsDialog::updatePreviewDigit()
{
    previewDigit->setBackColour(backColor(digitColourButtons[DigitBack]));
    previewDigit->setUnlitColour(backColor(digitColourButtons[DigitUnlit]));
    previewDigit->setLitColour(backColor(digitColourButtons[DigitLit]));
}

void OptionsDialog::choosePanelImage(int index)
{
    static const QString filter = nulList({QT_TR_NOOP("ビットマップ(*.bmp)"), "*.bmp", QT_TR_NOOP("GIF画像(*.gif)"),
                                           "*.gif", QT_TR_NOOP("JPEG画像(*.jpg)"), "*.jpg"});
    const QString path =
        host().fileDialog(this, 0, filter, QString(), tr("パネル画像の選択"));
    if (storable(path))
        panelImageFields[index]->setText(path);
}

void OptionsDialog::chooseSound(int index)
{
    static const QString filter =
        nulList({QT_TR_NOOP("Waveサウンド(*.wav)"), "*.wav", QT_TR_NOOP("MP3サウンド(*.mp3)"), "*.mp3",
                 QT_TR_NOOP("MIDIシーケンス(*.mid)"), "*.mid"});
    const QString path =
        host().fileDialog(this, 0, filter, QString(), tr("サウンドの選択"));
    if (storable(path))
        soundFields[index]->setText(path);
}

void OptionsDialog::chooseFixedDate()
{
    SystemTime date;
    if (host().datePicker(this, date) != 0)
        fixedDateLabel->setText(fixedDateText(date.year, date.month, date.day));
}

void OptionsDialog::forgetPlugIn()
{
    plugInField->clear();
    clearPlugInPage();
}

void OptionsDialog::clearPlugInPage()
{
    plugInProperties->clear();
    plugInRemarks->clear();
    m_plugInPrintsDate = false;
    updatePlugInGroups();
}

QStringList plugInInfoLines(const PlugInInfo &info)
{
    const auto line = [](const char *source) { return QCoreApplication::translate(kContext, source); };
    const auto yesNo = [&](const char *source, qint32 value) {
        return line(source).arg(value == 1 ? line(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "---> 可能"))
                                           : line(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "---> 不可")));
    };
    QStringList lines{
        yesNo(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "日付の印字 %1"), info.printsDate),
        yesNo(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "時刻の印字 %1"), info.printsTime),
        yesNo(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "系統番号の印字 %1"), info.printsRouteNumber),
        yesNo(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "停名の印字 %1"), info.printsStopName),
        yesNo(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "バーコード印字 %1"), info.printsBarcode),
    };
    if (info.printsBarcode == 1) {
        lines << line(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "バーコード本数 ---> %1")).arg(info.barcodeCount)
              << (info.barcodeRouteMode == 1
                      ? line(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "バーコード系統方式 ---> 連番式"))
                      : line(QT_TRANSLATE_NOOP("lumina::OptionsDialog",
                                               "バーコード系統方式 ---> 系統番号＋往復フラグ")))
              << line(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "設定可能な系統範囲 ---> 1 ～ %1"))
                     .arg(info.maxRouteNumber)
              << line(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "停留所認識範囲 ---> %1 ～ %2"))
                     .arg(info.barcodeFirstStop)
                     .arg(info.barcodeLastStop);
    }
    lines << yesNo(QT_TRANSLATE_NOOP("lumina::OptionsDialog", "社名切り替え:%1"), info.companyCount >= 1 ? 1 : 0);
    return lines;
}

bool OptionsDialog::showPlugIn(const QString &path)
{
    if (path.isEmpty())
        return false;
    PlugInInfo info;
    if (host().plugInInfo(path, info) == 0)
        return false;
    host().showPlugInRemarks(path, plugInRemarks);
    plugInProperties->clear();
    plugInProperties->addItems(plugInInfoLines(info));
    m_plugInPrintsDate = info.printsDate == 1;
    updatePlugInGroups();
    return true;
}

void OptionsDialog::choosePlugIn()
{
    static const QString filter = nulList({QT_TR_NOOP("整理券プラグイン(*.4SP)"), "*.4SP"});
    const QString path =
        host().fileDialog(this, 0, filter, QString(), tr("プラグインの選択"));
    // Cancelling the chooser changes nothing.
    if (!storable(path))
        return;
    if (showPlugIn(path)) {
        plugInField->setText(path);
        return;
    }
    host().messageBox(this,
                      tr("指定したファイルはプラグインでないか、内容が不正です\r\n（%1）")
                          .arg(plugInProblem(path)),
                      tr("プラグインロードエラー"), MessageButtons::Ok, MessageIcon::Critical);
}

namespace {

// Walks the controls that show the options, one per field in the order of
// visitOptionFields().
class ControlWalk
{
public:
    explicit ControlWalk(std::vector<QWidget *> controls)
        : m_controls(std::move(controls))
    {
    }
    bool complete() const { return m_next == m_controls.size(); }

protected:
    template<typename Control>
    Control *next()
    {
        return static_cast<Control *>(m_controls[m_next++]);
    }
    QWidget *next() { return m_controls[m_next++]; }

private:
    std::vector<QWidget *> m_controls;
    size_t m_next = 0;
};

// Records into controls.
class ControlWriter : public ControlWalk
{
public:
    using ControlWalk::ControlWalk;

    void text(const QString &value)
    {
        QWidget *control = next();
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->setText(value);
        else
            static_cast<QLabel *>(control)->setText(value);
    }
    void check(qint16 value)
    {
        static const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
        next<QCheckBox>()->setCheckState(states[qBound(0, int(value), 2)]);
    }
    void colour(OleColor value) { setBackColor(next(), value); }
    void choice(int, qint16 value) { next<QComboBox>()->setCurrentIndex(value); }
    template<typename... Values>
    void group(std::tuple<const Values &...> values)
    {
        std::apply([this](const auto &...value) {
            (setOptionValue(next<QRadioButton>(), value != kNotChosen), ...);
        }, values);
    }
};

// Controls into records.
class ControlReader : public ControlWalk
{
public:
    using ControlWalk::ControlWalk;

    void text(QString &value)
    {
        QWidget *control = next();
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            value = edit->text();
        else
            value = static_cast<QLabel *>(control)->text();
    }
    void check(qint16 &value)
    {
        const Qt::CheckState state = next<QCheckBox>()->checkState();
        value = state == Qt::Unchecked ? 0 : state == Qt::Checked ? 1 : 2;
    }
    void colour(OleColor &value) { value = backColor(next()); }
    void choice(int, qint16 &value) { value = qint16(next<QComboBox>()->currentIndex()); }
    template<typename... Values>
    void group(std::tuple<Values &...> values)
    {
        std::apply([this](auto &...value) {
            ((value = next<QRadioButton>()->isChecked() ? kChosen : kNotChosen), ...);
        }, values);
    }
};

} // namespace

std::vector<QWidget *> OptionsDialog::fieldControls() const
{
    const auto &colours = ticketNumberColourButtons;
    const auto &digits = digitColourButtons;
    const auto &boxes = infoDigitBoxes;
    const auto &lists = infoDigitLists;
    const auto &modes = soundModeOptions;
    return {
        folderFields[0], folderFields[1],
        autoTicketNumbersBox, colours[BacklightOff], colours[BacklightOn1], colours[BacklightOn2],
        ticketStyleList, leadingZeroBox,
        panelOptions[kPanelsAutomatic], panelOptions[kPanelsIndividual],
        panelOptions[kBuiltInPanel[BacklightOff]], panelOptions[kUserPanel[BacklightOff]],
        panelOptions[kBuiltInPanel[BacklightOn1]], panelOptions[kUserPanel[BacklightOn1]],
        panelOptions[kBuiltInPanel[BacklightOn2]], panelOptions[kUserPanel[BacklightOn2]],
        panelImageFields[BacklightOff], panelImageFields[BacklightOn1], panelImageFields[BacklightOn2],
        digits[DigitBack], digits[DigitUnlit], digits[DigitLit],
        boxes[InfoPosition], lists[InfoPosition], boxes[InfoFromZero],
        boxes[InfoTicketNumber], lists[InfoTicketNumber], boxes[InfoRouteNumber], lists[InfoRouteNumber],
        boxes[InfoColumn], lists[kDataColumnList], lists[InfoColumn],
        stripColourButtons[StripBack], stripColourButtons[StripText], stripFontList, boldBox,
        soundFields[RouteSetSound], soundFields[ResetSound],
        stepPlayOptions[Synchronous], stepPlayOptions[Asynchronous],
        modes[StepAlways], modes[StepByColumn],
        soundFields[StepSound], stepColumnList, soundFields[StepSoundByValue],
        soundFields[StepSoundByValue + 1], soundFields[StepSoundByValue + 2],
        prePlayOptions[Synchronous], prePlayOptions[Asynchronous], modes[PreAlways], modes[PreByFlag],
        soundFields[PreSound], soundFields[PreSoundByFlag], soundFields[PreSoundByFlag + 1],
        soundFields[PreSoundByFlag + 2],
        usePreviewBox, plugInField,
        dateModeOptions[DateRenewed], dateModeOptions[DateKept], dateModeOptions[DateFixed],
        fixedDateLabel,
    };
}

void OptionsDialog::setSettings(const SettingsFile &settings)
{
    m_settings = settings;
    ControlWriter walk(fieldControls());
    visitOptionFields(walk, settings);
    Q_ASSERT(walk.complete());
    updatePreviewDigit();
    // A plug-in that cannot be read any more still keeps its name in the field.
    if (!showPlugIn(settings.ticketPreview.plugIn))
        clearPlugInPage();
}

SettingsFile OptionsDialog::settings() const
{
    SettingsFile settings = m_settings;
    ControlReader walk(fieldControls());
    visitOptionFields(walk, settings);
    return settings;
}

void OptionsDialog::accept()
{
    emit applyRequested();
    QDialog::accept();
}

void OptionsDialog::reject()
{
    accept();
}

} // namespace lumina
