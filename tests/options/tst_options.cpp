#include "FakeHostLib.h"
#include "TestMain.h"

#include "controls/M_Degit.h"
#include "options/frmOption.h"
#include "base/Colors.h"
#include "base/Geometry.h"
#include "app/Lumina.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace lumina;
using lumina::test::FakeHostLib;

namespace {

// Clicks a control the way the operator does, in the middle of its face.
void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

QString nuls(const QStringList &parts)
{
    QString s;
    for (const QString &p : parts)
        s += p + QChar(u'\0');
    return s + QChar(u'\0');
}

QPushButton *colourButton(frmOption &dlg, const QString &name, int index)
{
    if (name == u"Command5")
        return dlg.Command5[size_t(index)];
    if (name == u"Command8")
        return dlg.Command8[size_t(index)];
    return dlg.Command9[size_t(index)];
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void controlArraysHoldTheirIndices();
    void fixedLayout_data();
    void fixedLayout();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void initialState();
    void pageSwitching_data();
    void pageSwitching();
    void soundSubPages();
    void check1EnablesTicketNumberGroup();
    void check3EnablesItsLine_data();
    void check3EnablesItsLine();
    void check3FollowsStoredValues();
    void option3ShowsImageGroups();
    void ticketPreviewSwitch();
    void numberLists();
    void ticketNumberStyles_data();
    void ticketNumberStyles();
    void stopNameFonts();
    void fixedDateStartsToday();
    void fixedDate_data();
    void fixedDate();
    void fixedDateCancelKeepsText();
    void colourChooser_data();
    void colourChooser();
    void colourChooserCancelKeepsColour();
    void previewDigitFollowsColours();
    void folderChooser_data();
    void folderChooser();
    void openFolder();
    void panelImageChooser();
    void soundChooser_data();
    void soundChooser();
    void forgetPlugin();
    void pluginButtonAsksForChooser();
    void okAppliesThenHides();
    void closeKeepsAndAppliesOptions();
    void okReachesBoardSeam();
    void optionValueCanClearAGroup();
    void screenshots();
};

void TestOptions::controlArraysHoldTheirIndices()
{
    frmOption dlg;
    // Indices without a control stay empty; every other slot is filled.
    QCOMPARE(dlg.Label5[0], nullptr);
    QVERIFY(dlg.Label5[1]);
    for (size_t i = 0; i < 7; ++i)
        QCOMPARE(dlg.Label1[i], nullptr);
    QVERIFY(dlg.Label1[7]);
    for (QRadioButton *b : dlg.Option3)
        QVERIFY(b);
    for (size_t i = 0; i < dlg.txtSelectSound.size(); ++i) {
        QCOMPARE(dlg.txtSelectSound[i] == nullptr, i == 2);
        QCOMPARE(dlg.cmdSelectSound[i] == nullptr, i == 2);
    }
    for (QComboBox *c : dlg.Combo4)
        QVERIFY(c);
    for (QCheckBox *c : dlg.Check3)
        QVERIFY(c);
    // Option3 groups follow their frames: one choice per state.
    QCOMPARE(dlg.Option3[7]->parentWidget(), dlg.Frame6[0]);
    QCOMPARE(dlg.Option3[6]->parentWidget(), dlg.Frame6[0]);
    QCOMPARE(dlg.Option3[3]->parentWidget(), dlg.Frame6[1]);
    QCOMPARE(dlg.Option3[2]->parentWidget(), dlg.Frame6[1]);
    QCOMPARE(dlg.Option3[4]->parentWidget(), dlg.Frame6[2]);
    QCOMPARE(dlg.Option3[5]->parentWidget(), dlg.Frame6[2]);
    QCOMPARE(dlg.txtSelectPanel[1]->parentWidget(), dlg.Frame6[1]);
    QCOMPARE(dlg.Option2[1]->parentWidget(), dlg.Frame2[1]);
    QCOMPARE(dlg.Option2[3]->parentWidget(), dlg.Frame2[0]);
    QCOMPARE(dlg.txtSelectSound[8]->parentWidget(), dlg.Frame2[1]);
    QCOMPARE(dlg.txtSelectSound[4]->parentWidget(), dlg.Frame2[0]);
    QCOMPARE(dlg.Option4[2]->parentWidget(), dlg.Frame7);
    QCOMPARE(dlg.List1->parentWidget(), dlg.Frame10);
}

void TestOptions::fixedLayout_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("twips");
    const int tops[6] = {45, 900, 1740, 2580, 3420, 4260};
    for (int k = 0; k < 6; ++k) {
        QTest::addRow("Option1(%d)", k) << QStringLiteral("Option1:%1").arg(k)
                                        << QRect(90, tops[k], 1250, 833);
        QTest::addRow("Frame1(%d)", k) << QStringLiteral("Frame1:%1").arg(k)
                                       << QRect(1455, 75, 8000, 5000);
    }
    QTest::newRow("Command4") << QStringLiteral("Command4") << QRect(7995, 5145, 1380, 375);
}

void TestOptions::fixedLayout()
{
    QFETCH(QString, control);
    QFETCH(QRect, twips);
    frmOption dlg;
    QCOMPARE(dlg.size(), QSize(px(9570), px(5610)));
    const QStringList parts = control.split(u':');
    QWidget *w = nullptr;
    if (parts[0] == u"Option1")
        w = dlg.Option1[parts[1].toUInt()];
    else if (parts[0] == u"Frame1")
        w = dlg.Frame1[parts[1].toUInt()];
    else
        w = dlg.Command4;
    QCOMPARE(w->parentWidget(), &dlg);
    QCOMPARE(w->geometry(), twipRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

// Every control lies inside its container and shows its whole caption; this
// is what goes wrong first when a font or a position changes.
void TestOptions::captionsFitTheirControls_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("soundPage");
    for (int k = 0; k < 6; ++k)
        QTest::addRow("page %d", k) << k << 1;
    QTest::newRow("page 4, pre-announcement") << 4 << 0;
}

// Every control lies inside its container and shows its whole caption; this
// is what goes wrong first when a font or a position changes.
void TestOptions::captionsFitTheirControls()
{
    QFETCH(int, page);
    QFETCH(int, soundPage);
    frmOption dlg;
    dlg.Option3[1]->setChecked(true);
    dlg.chkUseSeiriPrev->setChecked(true);
    dlg.show();
    dlg.showPage(page);
    dlg.showSoundPage(soundPage);
    // Containers of the dialog's own controls; the insides of list and text
    // widgets are not ours to lay out.
    QList<QWidget *> containers{&dlg, dlg.Frame3};
    for (QGroupBox *g : dlg.findChildren<QGroupBox *>())
        containers << g;
    int checked = 0;
    const QList<QWidget *> all = dlg.findChildren<QWidget *>();
    for (QWidget *w : all) {
        QWidget *parent = w->parentWidget();
        if (w->isWindow() || !containers.contains(parent) || !w->isVisible())
            continue;
        ++checked;
        const QString what = QStringLiteral("%1 \"%2\" in \"%3\"")
                                 .arg(QString::fromLatin1(w->metaObject()->className()),
                                      w->property("text").toString(),
                                      parent->property("title").toString());
        QVERIFY2(parent->rect().contains(w->geometry()),
                 qPrintable(what + QStringLiteral(" leaves its container")));
        const QString cut = what + QStringLiteral(" is cut off");
        if (auto *box = qobject_cast<QCheckBox *>(w)) {
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(cut));
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(cut));
            else
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(cut));
        } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
            const int indicator = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
            const QRect needed = option->fontMetrics().boundingRect(
                QRect(0, 0, option->width() - indicator - 8, 10000), Qt::TextWordWrap,
                option->text());
            QVERIFY2(needed.height() <= option->height(), qPrintable(cut));
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            QVERIFY2(group->fontMetrics().horizontalAdvance(group->title()) + 16 <= group->width(),
                     qPrintable(group->title() + QStringLiteral(" is cut off")));
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                     qPrintable(cut));
        }
    }
    QVERIFY(checked > 10);
}

void TestOptions::initialState()
{
    frmOption dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("オプション"));
    QCOMPARE(dlg.Command4->text(), QStringLiteral("OK"));
    QVERIFY(!dlg.isVisible());
    QVERIFY(dlg.Option1[0]->isChecked());
    QVERIFY(dlg.Option5[1]->isChecked());
    QVERIFY(!dlg.Check1->isChecked());
    QVERIFY(!dlg.Frame3->isEnabled());
    QVERIFY(dlg.Option3[0]->isChecked());
    for (int i : {7, 3, 4})
        QVERIFY(dlg.Option3[size_t(i)]->isChecked());
    for (QGroupBox *f : dlg.Frame6) {
        QVERIFY(!f->isEnabled());
        QVERIFY(f->isHidden());
    }
    for (QComboBox *c : dlg.Combo4)
        QVERIFY(!c->isEnabled());
    QVERIFY(!dlg.Check3[4]->isEnabled());
    QVERIFY(dlg.Option2[0]->isChecked());
    QVERIFY(dlg.Option2[2]->isChecked());
    QVERIFY(dlg.Option6[1]->isChecked());
    QVERIFY(dlg.Option7[0]->isChecked());
    QVERIFY(dlg.Option4[0]->isChecked());
    QVERIFY(dlg.Frame10->isHidden());
    QVERIFY(!dlg.Frame10->isEnabled());
    QVERIFY(dlg.Frame7->isHidden());
    QVERIFY(!dlg.Frame7->isEnabled());
    QCOMPARE(dlg.M_Degit1->DegitSize(), 0);
    // Colours the dialog starts with, kept when there is no settings file.
    QCOMPARE(backColor(dlg.Command8[0]), OleColor(0x00808080));
    QCOMPARE(backColor(dlg.Command8[1]), OleColor(0x00969696));
    QCOMPARE(backColor(dlg.Command8[2]), OleColor(0x0072D2F8));
    QCOMPARE(backColor(dlg.Command9[0]), OleColor(0x00808080));
    QCOMPARE(backColor(dlg.Command9[1]), OleColor(0x0000FFFF));
    QCOMPARE(uint(dlg.M_Degit1->DegitForeColor()), 0x0072D2F8u);
    for (const QLineEdit *t : dlg.Text2)
        QVERIFY(t->text().isEmpty());
    QCOMPARE(dlg.Command11->text(), QStringLiteral("×"));
    QCOMPARE(dlg.Command7->text(), QStringLiteral("日付選択..."));
    QCOMPARE(dlg.Label10->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

void TestOptions::pageSwitching_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("title");
    QTest::newRow("0") << 0 << QStringLiteral("運賃データと　放送用データ")
                       << QStringLiteral("運賃データと放送用データ");
    QTest::newRow("1") << 1 << QStringLiteral("パネルと整理券番号表示")
                       << QStringLiteral("パネルと整理券番号表示");
    QTest::newRow("2") << 2 << QStringLiteral("デジタル部品と情報用数字")
                       << QStringLiteral("デジタル部品と情報用数字");
    QTest::newRow("3") << 3 << QStringLiteral("停名の設定") << QStringLiteral("停名の設定");
    QTest::newRow("4") << 4 << QStringLiteral("サウンド")
                       << QStringLiteral("サウンド（鳴らさなくてもいい項目にはファイル名を入れないで下さい）");
    QTest::newRow("5") << 5 << QStringLiteral("　　整理券　　　プレビュー")
                       << QStringLiteral("整理券プレビュー");
}

void TestOptions::pageSwitching()
{
    QFETCH(int, page);
    QFETCH(QString, tab);
    QFETCH(QString, title);
    frmOption dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.Option1[size_t(page)]->text(), tab);
    QCOMPARE(dlg.Frame1[size_t(page)]->title(), title);
    // Away and back, so the page is really brought forward by the click.
    click(dlg.Option1[size_t((page + 1) % 6)]);
    click(dlg.Option1[size_t(page)]);
    QVERIFY(dlg.Option1[size_t(page)]->isChecked());
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(dlg.Frame1[size_t(k)]->isVisible(), k == page);
        QVERIFY2(dlg.Option1[size_t(k)]->isChecked() == (k == page), qPrintable(QString::number(k)));
    }
    // The chosen tab is drawn held down, darker than the others.
    const auto faceLightness = [](QWidget *tab) {
        const QImage image = tab->grab().toImage();
        return image.pixelColor(QPoint(image.width() / 2, 6)).lightness();
    };
    QVERIFY(faceLightness(dlg.Option1[size_t(page)])
            < faceLightness(dlg.Option1[size_t((page + 1) % 6)]));
    // Switching pages leaves the choices on the pages alone.
    for (QRadioButton *b : {dlg.Option3[0], dlg.Option3[7], dlg.Option3[3], dlg.Option3[4],
                            dlg.Option2[0], dlg.Option2[2], dlg.Option6[1], dlg.Option7[0],
                            dlg.Option4[0], dlg.Option5[1]})
        QVERIFY2(b->isChecked(), qPrintable(b->text()));
    // What is seen in the middle of the page area belongs to the chosen page.
    const QPoint middle = dlg.Frame1[0]->geometry().center();
    QWidget *seen = dlg.childAt(middle);
    QVERIFY(seen);
    QVERIFY(seen == dlg.Frame1[size_t(page)] || dlg.Frame1[size_t(page)]->isAncestorOf(seen));
}

void TestOptions::soundSubPages()
{
    frmOption dlg;
    dlg.show();
    dlg.showPage(4);
    QVERIFY(dlg.Frame2[1]->isVisible());
    QVERIFY(!dlg.Frame2[0]->isVisible());
    click(dlg.Option5[0]);
    QVERIFY(dlg.Frame2[0]->isVisible());
    QVERIFY(!dlg.Frame2[1]->isVisible());
    QCOMPARE(dlg.Frame2[0]->title(),
             QStringLiteral("放送前のサウンド：※音声合成放送機能が有効でない場合は以下の設定は意味を持ちません。"));
    click(dlg.Option5[1]);
    QVERIFY(dlg.Frame2[1]->isVisible());
    QVERIFY(!dlg.Frame2[0]->isVisible());
    QCOMPARE(dlg.Frame2[1]->title(), QStringLiteral("送り・戻し時のサウンド"));
}

void TestOptions::check1EnablesTicketNumberGroup()
{
    frmOption dlg;
    dlg.show();
    dlg.showPage(1);
    click(dlg.Check1);
    QVERIFY(dlg.Check1->isChecked());
    QVERIFY(dlg.Frame3->isEnabled());
    QVERIFY(dlg.Combo2->isEnabled());
    click(dlg.Check1);
    QVERIFY(!dlg.Frame3->isEnabled());
    // A stored value written twice in a row leaves the group in step.
    dlg.Check1->setChecked(true);
    dlg.Check1->setChecked(true);
    QVERIFY(dlg.Frame3->isEnabled());
    // A greyed value counts as ticked.
    dlg.Check1->setCheckState(Qt::PartiallyChecked);
    QVERIFY(dlg.Frame3->isEnabled());
}

void TestOptions::check3EnablesItsLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QList<int>>("combos");
    QTest::addColumn<bool>("countFromZero");
    QTest::newRow("stop order") << 0 << QList<int>{0} << true;
    QTest::newRow("ticket number") << 1 << QList<int>{1} << false;
    QTest::newRow("route number") << 2 << QList<int>{2} << false;
    QTest::newRow("data column") << 3 << QList<int>{3, 4} << false;
}

void TestOptions::check3EnablesItsLine()
{
    QFETCH(int, line);
    QFETCH(QList<int>, combos);
    QFETCH(bool, countFromZero);
    frmOption dlg;
    dlg.show();
    dlg.showPage(2);
    click(dlg.Check3[size_t(line)]);
    for (int c = 0; c < 5; ++c)
        QCOMPARE(dlg.Combo4[size_t(c)]->isEnabled(), combos.contains(c));
    QCOMPARE(dlg.Check3[4]->isEnabled(), countFromZero);
    click(dlg.Check3[size_t(line)]);
    for (QComboBox *c : dlg.Combo4)
        QVERIFY(!c->isEnabled());
    QVERIFY(!dlg.Check3[4]->isEnabled());
}

void TestOptions::check3FollowsStoredValues()
{
    frmOption dlg;
    // "0から数える" changes nothing else.
    dlg.Check3[0]->setChecked(true);
    dlg.Check3[4]->setChecked(true);
    QVERIFY(dlg.Combo4[0]->isEnabled());
    dlg.Check3[4]->setChecked(false);
    QVERIFY(dlg.Combo4[0]->isEnabled());
    QVERIFY(dlg.Check3[4]->isEnabled());
    dlg.Check3[0]->setChecked(false);
    QVERIFY(!dlg.Combo4[0]->isEnabled());
}

void TestOptions::option3ShowsImageGroups()
{
    frmOption dlg;
    dlg.show();
    dlg.showPage(1);
    click(dlg.Option3[1]);
    for (QGroupBox *f : dlg.Frame6) {
        QVERIFY(f->isVisible());
        QVERIFY(f->isEnabled());
    }
    // Choices inside the groups keep them as they are.
    click(dlg.Option3[6]);
    QVERIFY(dlg.Option3[6]->isChecked());
    QVERIFY(!dlg.Option3[7]->isChecked());
    QVERIFY(dlg.Option3[1]->isChecked());
    QVERIFY(dlg.Frame6[0]->isVisible());
    QVERIFY(dlg.Option3[3]->isChecked());
    click(dlg.Option3[0]);
    for (QGroupBox *f : dlg.Frame6) {
        QVERIFY(!f->isVisible());
        QVERIFY(!f->isEnabled());
    }
    QVERIFY(dlg.Option3[6]->isChecked());
}

void TestOptions::ticketPreviewSwitch()
{
    frmOption dlg;
    dlg.show();
    dlg.showPage(5);
    click(dlg.chkUseSeiriPrev);
    QVERIFY(dlg.Frame10->isVisible());
    QVERIFY(dlg.Frame10->isEnabled());
    QVERIFY(dlg.Frame7->isVisible());
    // No plug-in that prints the date is chosen yet.
    QVERIFY(!dlg.Frame7->isEnabled());
    click(dlg.chkUseSeiriPrev);
    QVERIFY(!dlg.Frame10->isVisible());
    QVERIFY(!dlg.Frame10->isEnabled());
    QVERIFY(!dlg.Frame7->isVisible());
    QVERIFY(!dlg.Frame7->isEnabled());
}

void TestOptions::numberLists()
{
    frmOption dlg;
    auto expectNumbers = [](QComboBox *c, int last) {
        QCOMPARE(c->count(), last);
        for (int i = 0; i < last; ++i)
            QCOMPARE(c->itemText(i), QString::number(i + 1));
        QCOMPARE(c->currentIndex(), 0);
    };
    for (int i = 0; i < 4; ++i)
        expectNumbers(dlg.Combo4[size_t(i)], 60);
    expectNumbers(dlg.Combo4[4], 150);
    expectNumbers(dlg.Combo1, 150);
}

void TestOptions::ticketNumberStyles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    const QStringList texts = {
        QStringLiteral("1,2,3... 60 （既定の表示）"), QStringLiteral("0,1,2... 59"),
        QStringLiteral("「なし」、1,2... 59"),       QStringLiteral("「なし」、2,3... 60"),
        QStringLiteral("「無券」、1,2... 59"),       QStringLiteral("「無券」、2,3... 60"),
        QStringLiteral("「券なし」、1,2... 59"),     QStringLiteral("「券なし」、2,3... 60"),
        QStringLiteral("「券無し」、1,2... 59"),     QStringLiteral("「券無し」、2,3... 60"),
        QStringLiteral("(無地)、1,2... 59"),         QStringLiteral("(無地)、2,3... 60"),
    };
    for (int i = 0; i < texts.size(); ++i)
        QTest::addRow("%d", i) << i << texts[i];
}

void TestOptions::ticketNumberStyles()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    frmOption dlg;
    QCOMPARE(dlg.Combo2->count(), 12);
    QCOMPARE(dlg.Combo2->currentIndex(), 0);
    QCOMPARE(dlg.Combo2->itemText(index), text);
}

void TestOptions::stopNameFonts()
{
    frmOption dlg;
    QCOMPARE(dlg.Combo3->count(), 5);
    QCOMPARE(dlg.Combo3->currentIndex(), -1);
    QCOMPARE(dlg.Combo3->itemText(0), QStringLiteral("ゴシック体"));
    QCOMPARE(dlg.Combo3->itemText(4), QStringLiteral("英数字はゴシック、それ以外は明朝"));
}

void TestOptions::fixedDateStartsToday()
{
    const QDate before = QDate::currentDate();
    frmOption dlg;
    const QDate after = QDate::currentDate();
    const QString text = dlg.Label10->text();
    QVERIFY2(text == before.toString(QStringLiteral("yyyy/MM/dd"))
                 || text == after.toString(QStringLiteral("yyyy/MM/dd")),
             qPrintable(text));
}

void TestOptions::fixedDate_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded month") << 2009 << 1 << 30 << QStringLiteral("2009/01/30");
    QTest::newRow("padded day") << 2010 << 12 << 5 << QStringLiteral("2010/12/05");
    QTest::newRow("year as is") << 987 << 7 << 7 << QStringLiteral("987/07/07");
}

void TestOptions::fixedDate()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, text);
    FakeHostLib fake;
    bool zeroFilled = false;
    fake.dateDialog = [&](SystemTime &date) {
        zeroFilled = date.wYear == 0 && date.wMonth == 0 && date.wDay == 0
                     && date.wDayOfWeek == 0 && date.wHour == 0;
        date.wYear = qint16(year);
        date.wMonth = qint16(month);
        date.wDay = qint16(day);
        return 1;
    };
    frmOption dlg;
    dlg.chkUseSeiriPrev->setChecked(true);
    // The date group is usable only with a plug-in that prints the date.
    dlg.chooseFixedDate();
    QCOMPARE(fake.dateDialogCalls, 1);
    QVERIFY(zeroFilled);
    QCOMPARE(dlg.Label10->text(), text);
}

void TestOptions::fixedDateCancelKeepsText()
{
    FakeHostLib fake;
    fake.dateDialog = [](SystemTime &date) {
        date.wYear = 2001;
        date.wMonth = 2;
        date.wDay = 3;
        return 0;
    };
    frmOption dlg;
    dlg.Label10->setText(QStringLiteral("not a date"));
    dlg.chkUseSeiriPrev->setChecked(true);
    // The date group is usable only with a plug-in that prints the date.
    dlg.chooseFixedDate();
    QCOMPARE(fake.dateDialogCalls, 1);
    QCOMPARE(dlg.Label10->text(), QStringLiteral("not a date"));
}

void TestOptions::colourChooser_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<int>("index");
    for (int i = 0; i < 3; ++i)
        QTest::addRow("Command5(%d)", i) << QStringLiteral("Command5") << i;
    for (int i = 0; i < 3; ++i)
        QTest::addRow("Command8(%d)", i) << QStringLiteral("Command8") << i;
    for (int i = 0; i < 2; ++i)
        QTest::addRow("Command9(%d)", i) << QStringLiteral("Command9") << i;
}

void TestOptions::colourChooser()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    FakeHostLib fake;
    frmOption dlg;
    dlg.Check1->setChecked(true); // the ticket-number colours are usable only then
    QPushButton *b = colourButton(dlg, array, index);
    setBackColor(b, rgb(10, 20, 30));
    for (size_t i = 0; i < dlg.CustomColors.size(); ++i)
        dlg.CustomColors[i] = OleColor(i * 0x010101);

    OleColor offered = 0;
    CustomColors customOffered{};
    fake.colorDialog = [&](OleColor &color, CustomColors &custom) {
        offered = color;
        customOffered = custom;
        color = rgb(200, 100, 50);
        custom[16] = rgb(1, 2, 3);
        return 1;
    };
    b->click();
    QCOMPARE(fake.colorDialogCalls, 1);
    QCOMPARE(offered, rgb(10, 20, 30));
    QCOMPARE(customOffered[5], OleColor(5 * 0x010101));
    QCOMPARE(backColor(b), rgb(200, 100, 50));
    // The operator sees the colour on the button's face.
    const QImage face = b->grab().toImage();
    const QColor seen = face.pixelColor(face.rect().center());
    QVERIFY2(qAbs(seen.red() - 200) < 16 && qAbs(seen.green() - 100) < 16
                 && qAbs(seen.blue() - 50) < 16,
             qPrintable(seen.name()));
    // The operator's custom colours stay with the dialog for the next chooser
    // and for the settings file.
    QCOMPARE(dlg.CustomColors[16], rgb(1, 2, 3));
    QCOMPARE(dlg.CustomColors[5], OleColor(5 * 0x010101));
    b->click();
    QCOMPARE(customOffered[16], rgb(1, 2, 3));
    QCOMPARE(offered, rgb(200, 100, 50));
}

void TestOptions::colourChooserCancelKeepsColour()
{
    FakeHostLib fake;
    fake.colorDialog = [](OleColor &color, CustomColors &) {
        color = rgb(1, 1, 1);
        return 0;
    };
    frmOption dlg;
    setBackColor(dlg.Command9[1], rgb(0, 255, 255));
    click(dlg.Command9[1]);
    QCOMPARE(backColor(dlg.Command9[1]), rgb(0, 255, 255));
}

void TestOptions::previewDigitFollowsColours()
{
    FakeHostLib fake;
    frmOption dlg;
    QSignalSpy apply(&dlg, &frmOption::applyRequested);
    fake.colorDialog = [](OleColor &color, CustomColors &) {
        color = rgb(255, 0, 0);
        return 1;
    };
    click(dlg.Command8[2]);
    QCOMPARE(uint(dlg.M_Degit1->DegitForeColor()), uint(rgb(255, 0, 0)));
    QCOMPARE(uint(dlg.M_Degit1->BackColor()), uint(backColor(dlg.Command8[0])));
    QCOMPARE(uint(dlg.M_Degit1->BaseForeColor()), uint(backColor(dlg.Command8[1])));
    fake.colorDialog = [](OleColor &color, CustomColors &) {
        color = rgb(0, 0, 64);
        return 1;
    };
    click(dlg.Command8[0]);
    QCOMPARE(uint(dlg.M_Degit1->BackColor()), uint(rgb(0, 0, 64)));
    QCOMPARE(uint(dlg.M_Degit1->DegitForeColor()), uint(rgb(255, 0, 0)));
    // The board hears of it only with "OK".
    QCOMPARE(apply.count(), 0);
}

void TestOptions::folderChooser_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fare data") << 0 << QStringLiteral("/data/運賃") << QStringLiteral("/data/運賃");
    QTest::newRow("announcements") << 1 << QStringLiteral("/data/放送") << QStringLiteral("/data/放送");
    QTest::newRow("fare data cancelled") << 0 << QString() << QStringLiteral("before");
    QTest::newRow("announcements cancelled") << 1 << QString() << QStringLiteral("before");
}

void TestOptions::folderChooser()
{
    QFETCH(int, index);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    FakeHostLib fake;
    fake.folderAnswers.push_back(answer);
    frmOption dlg;
    dlg.Text2[0]->setText(QStringLiteral("before"));
    dlg.Text2[1]->setText(QStringLiteral("before"));
    click(dlg.Command3[size_t(index)]);
    QCOMPARE(fake.folderPrompts, QList<QString>{QStringLiteral("フォルダーを選択してください")});
    QCOMPARE(dlg.Text2[size_t(index)]->text(), expected);
    QCOMPARE(dlg.Text2[size_t(1 - index)]->text(), QStringLiteral("before"));
}

void TestOptions::openFolder()
{
    FakeHostLib fake;
    frmOption dlg;
    dlg.Text2[0]->setText(QStringLiteral("/fares"));
    dlg.Text2[1]->setText(QStringLiteral("/tapes"));
    click(dlg.Command10[1]);
    click(dlg.Command10[0]);
    QCOMPARE(fake.openedFolders, (QList<QString>{QStringLiteral("/tapes"), QStringLiteral("/fares")}));
    QVERIFY(fake.messages.isEmpty());
}

void TestOptions::panelImageChooser()
{
    FakeHostLib fake;
    frmOption dlg;
    dlg.Option3[1]->setChecked(true);
    fake.fileAnswers = {QStringLiteral("/img/on1.gif"), QString()};
    dlg.txtSelectPanel[2]->setText(QStringLiteral("/img/keep.jpg"));
    click(dlg.Command6[1]);
    click(dlg.Command6[2]);
    QCOMPARE(dlg.txtSelectPanel[1]->text(), QStringLiteral("/img/on1.gif"));
    QCOMPARE(dlg.txtSelectPanel[2]->text(), QStringLiteral("/img/keep.jpg"));
    QCOMPARE(dlg.txtSelectPanel[0]->text(), QString());
    QCOMPARE(fake.fileTitles.size(), 2);
    QCOMPARE(fake.fileTitles[0], QStringLiteral("パネル画像の選択"));
    QCOMPARE(fake.fileFilters[0],
             nuls({QStringLiteral("ビットマップ(*.bmp)"), QStringLiteral("*.bmp"),
                   QStringLiteral("GIF画像(*.gif)"), QStringLiteral("*.gif"),
                   QStringLiteral("JPEG画像(*.jpg)"), QStringLiteral("*.jpg")}));
}

void TestOptions::soundChooser_data()
{
    QTest::addColumn<int>("index");
    for (int i : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10})
        QTest::addRow("txtSelectSound(%d)", i) << i;
}

void TestOptions::soundChooser()
{
    QFETCH(int, index);
    FakeHostLib fake;
    frmOption dlg;
    for (QLineEdit *t : dlg.txtSelectSound)
        if (t)
            t->setText(QStringLiteral("old.wav"));
    fake.fileAnswers = {QStringLiteral("/snd/新しい.mp3"), QString()};
    dlg.cmdSelectSound[size_t(index)]->click();
    for (int i : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10})
        QCOMPARE(dlg.txtSelectSound[size_t(i)]->text(),
                 i == index ? QStringLiteral("/snd/新しい.mp3") : QStringLiteral("old.wav"));
    dlg.cmdSelectSound[size_t(index)]->click(); // cancelled
    QCOMPARE(dlg.txtSelectSound[size_t(index)]->text(), QStringLiteral("/snd/新しい.mp3"));
    QCOMPARE(fake.fileTitles.first(), QStringLiteral("サウンドの選択"));
    QCOMPARE(fake.fileFilters.first(),
             nuls({QStringLiteral("Waveサウンド(*.wav)"), QStringLiteral("*.wav"),
                   QStringLiteral("MP3サウンド(*.mp3)"), QStringLiteral("*.mp3"),
                   QStringLiteral("MIDIシーケンス(*.mid)"), QStringLiteral("*.mid")}));
}

void TestOptions::forgetPlugin()
{
    frmOption dlg;
    dlg.chkUseSeiriPrev->setChecked(true);
    dlg.txtSeiriPlgDir->setText(QStringLiteral("/plugins/bus.4SP"));
    dlg.List1->addItems({QStringLiteral("日付の印字 ---> 可能"), QStringLiteral("社名切り替え:---> 不可")});
    dlg.txtPlginComment->setPlainText(QStringLiteral("特記事項"));
    dlg.Combo1->setCurrentIndex(7);
    dlg.show();
    dlg.showPage(5);
    click(dlg.Command11);
    QVERIFY(dlg.txtSeiriPlgDir->text().isEmpty());
    QCOMPARE(dlg.List1->count(), 0);
    QVERIFY(dlg.txtPlginComment->toPlainText().isEmpty());
    QCOMPARE(dlg.Combo1->currentIndex(), 7);
    QVERIFY(dlg.chkUseSeiriPrev->isChecked());
}

void TestOptions::pluginButtonAsksForChooser()
{
    FakeHostLib fake;
    frmOption dlg;
    dlg.Command1->click();
    QVERIFY(fake.fileTitles.isEmpty()); // switched off: the group cannot be used
    dlg.chkUseSeiriPrev->setChecked(true);
    dlg.Command1->click();
    QCOMPARE(fake.fileTitles.size(), 1);
    QVERIFY(fake.messages.isEmpty()); // cancelled
}

void TestOptions::okAppliesThenHides()
{
    frmOption dlg;
    dlg.show();
    dlg.Text2[0]->setText(QStringLiteral("/kept"));
    bool visibleWhileApplying = false;
    int applied = 0;
    connect(&dlg, &frmOption::applyRequested, this, [&] {
        ++applied;
        visibleWhileApplying = dlg.isVisible();
    });
    click(dlg.Command4);
    QCOMPARE(applied, 1);
    QVERIFY(visibleWhileApplying);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.Text2[0]->text(), QStringLiteral("/kept"));
    dlg.show();
    QCOMPARE(dlg.Text2[0]->text(), QStringLiteral("/kept"));
}

void TestOptions::closeKeepsAndAppliesOptions()
{
    frmOption dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy apply(&dlg, &frmOption::applyRequested);
    dlg.Check1->setChecked(true);
    QVERIFY(dlg.close());
    QCOMPARE(apply.count(), 1);
    QVERIFY(!dlg.isVisible());
    QVERIFY(dlg.Check1->isChecked());
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(apply.count(), 2);
    QVERIFY(!dlg.isVisible());
}

void TestOptions::okReachesBoardSeam()
{
    FakeHostLib fake;
    Lumina program;
    int setProps = 0;
    program.seams().setProp = [&] { ++setProps; };
    program.startUp();
    QCOMPARE(setProps, 1);
    frmOption *dlg = program.options();
    QVERIFY(dlg);
    QVERIFY(!dlg->isVisible());
    QVERIFY(dlg->Check1->isChecked());
    QVERIFY(dlg->Frame3->isEnabled());
    dlg->show();
    click(dlg->Command4);
    QCOMPARE(setProps, 2);
    QVERIFY(!dlg->isVisible());
}

void TestOptions::optionValueCanClearAGroup()
{
    frmOption dlg;
    setOptionValue(dlg.Option2[0], false);
    QVERIFY(!dlg.Option2[0]->isChecked());
    QVERIFY(!dlg.Option2[1]->isChecked());
    QVERIFY(dlg.Option2[0]->autoExclusive());
    setOptionValue(dlg.Option2[1], true);
    QVERIFY(dlg.Option2[1]->isChecked());
    setOptionValue(dlg.Option2[0], true);
    QVERIFY(!dlg.Option2[1]->isChecked());
    // Clearing the panel mode runs no panel handling.
    setOptionValue(dlg.Option3[0], false);
    QVERIFY(dlg.Frame6[0]->isHidden());
}

// Saves a picture of every page when LUMINA_SHOT_DIR names a folder, for a look
// by eye against the layout; otherwise checks only that each page draws.
void TestOptions::screenshots()
{
    frmOption dlg;
    dlg.Check1->setChecked(true);
    dlg.Option3[1]->setChecked(true);
    dlg.Check3[0]->setChecked(true);
    dlg.Check3[3]->setChecked(true);
    dlg.chkUseSeiriPrev->setChecked(true);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QString dir = qEnvironmentVariable("LUMINA_SHOT_DIR");
    for (int k = 0; k < 7; ++k) {
        click(dlg.Option1[size_t(k < 6 ? k : 4)]);
        if (k == 6)
            click(dlg.Option5[0]);
        const QImage image = dlg.grab().toImage();
        QCOMPARE(image.size() / image.devicePixelRatio(), dlg.size());
        // The dialog is light grey.
        const QPoint probe(2, dlg.height() - 3);
        QCOMPARE(image.pixelColor(probe * image.devicePixelRatio()), QColor(192, 192, 192));
        if (!dir.isEmpty())
            QVERIFY(image.save(QDir(dir).filePath(QStringLiteral("options-page%1.png").arg(k))));
    }
}

LUMINA_TEST_MAIN(TestOptions)
#include "tst_options.moc"
