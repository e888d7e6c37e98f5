#include "../panel/ProgramFixture.h"
#include "app/ViewSettings.h"
#include "base/Language.h"
#include "options/OptionButton.h"
#include "options/VoiceDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QStyleOptionButton>

using namespace lumina;
using namespace lumina::test;

namespace {
// The language installed and its change delivered to every window, as the event loop would.
void choose(LanguageChoice choice)
{
    Translations::instance().choose(choice);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}
// The caption of a control and where the style lets it go; whether it may wrap there.
struct Caption { QString text; QRect room; bool wraps = false; };
Caption captionOf(QWidget *w)
{
    QStyleOptionButton option;
    option.initFrom(w);
    const auto inside = [&](QStyle::SubElement part) { return w->style()->subElementRect(part, &option, w); };
    const QString text = w->property("text").toString().remove(u'&');
    if (auto *b = qobject_cast<OptionButton *>(w))
        return {text, b->textRect(), true};
    if (qobject_cast<WrapButton *>(w))
        return {text, w->rect().adjusted(3, 3, -3, -3), true};
    if (qobject_cast<QCheckBox *>(w))
        return {text, inside(QStyle::SE_CheckBoxContents)};
    if (qobject_cast<QRadioButton *>(w))
        return {text, inside(QStyle::SE_RadioButtonContents)};
    if (qobject_cast<QPushButton *>(w))
        return {text, inside(QStyle::SE_PushButtonContents)};
    if (auto *label = qobject_cast<QLabel *>(w))
        return {text, label->contentsRect(), label->wordWrap()};
    if (auto *box = qobject_cast<QGroupBox *>(w)) // the title sits on the frame between its corners
        return {box->title(), QRect(0, 0, box->width() - 16, box->fontMetrics().height())};
    return {};
}
// The captions of the controls of `windows`.
QHash<QWidget *, QString> captions(const QList<QWidget *> &windows)
{
    QHash<QWidget *, QString> texts;
    for (QWidget *window : windows) {
        for (QWidget *w : window->findChildren<QWidget *>())
            texts[w] = captionOf(w).text;
    }
    return texts;
}
// Every control of `window` whose caption, translated from `source`, needs more room than it has.
QStringList clipped(QWidget *window, const QHash<QWidget *, QString> &source)
{
    QStringList offenders;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const Caption c = captionOf(w);
        if (c.text == source.value(w)) // the board face and the panel's numbers are the hardware's
            continue;
        const int flags = Qt::AlignLeft | (c.wraps ? Qt::TextWordWrap : Qt::TextSingleLine);
        const QSize needed = w->fontMetrics().boundingRect(c.room, flags, c.text).size();
        if (!c.text.isEmpty() && (needed.width() > c.room.width() || needed.height() > c.room.height()))
            offenders << QStringLiteral("%1 %2 \"%3\": needs %4x%5, has %6x%7").arg(window->objectName(), w->objectName(), c.text)
                             .arg(needed.width()).arg(needed.height()).arg(c.room.width()).arg(c.room.height());
    }
    return offenders;
}
} // namespace

// The interface language: chosen from the system, switched at run time, English captions fitting.
class tst_Language : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { choose(LanguageChoice::System); }
    void systemLanguage_data()
    {
        QTest::addColumn<QStringList>("ui");
        QTest::addColumn<Language>("language");
        QTest::newRow("Japanese") << QStringList{"ja-JP", "en"} << Language::Japanese;
        QTest::newRow("British") << QStringList{"en-GB"} << Language::English;
        QTest::newRow("French before Japanese") << QStringList{"fr-FR", "ja"} << Language::English;
        QTest::newRow("C locale") << QStringList{"C"} << Language::Untranslated;
        QTest::newRow("none") << QStringList{} << Language::Untranslated;
    }
    void systemLanguage()
    {
        QFETCH(QStringList, ui);
        QFETCH(Language, language);
        QCOMPARE(lumina::systemLanguage(ui), language);
    }
    void choices()
    {
        QVERIFY(languageChoiceFromCode("EN") == LanguageChoice::English && !languageChoiceFromCode("fr"));
        QCOMPARE(preferredChoice(LanguageChoice::Japanese, LanguageChoice::English), LanguageChoice::Japanese);
        QCOMPARE(preferredChoice(std::nullopt, LanguageChoice::English), LanguageChoice::English);
    }
    // Every window follows a change at once, and the choice is kept for the next start.
    void switchesAtOnce()
    {
        Program p;
        OptionsDialog options;
        p.speech.setReady(false);
        VoiceDialog voice;
        choose(LanguageChoice::English);
        const QStringList english{p.panel->windowTitle(), p.board->windowTitle().section(u':', 0, 0), options.windowTitle(),
                                  p.find("Command1_1")->toolTip(), p.find("Command1_1")->text(),
                                  control<QCheckBox>(&options, "Check3_1")->text().simplified(), voice.windowTitle(),
                                  control<QLabel>(&voice, "lblState")->text().section(u' ', 0, 2),
                                  p.board->findChild<QAction *>("actCopyPicture")->text()};
        QCOMPARE(english, QStringList({"Control panel", "Lumina - model", "Options", "Key: Enter", "Reset",
                                       "Show the ticket number in cell .", "Voice", "Speech cannot be", "Copy picture"}));
        QCOMPARE(storedLanguageChoice(), LanguageChoice::English);
        choose(LanguageChoice::Japanese);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));
        QCOMPARE(p.panel->windowTitle() + p.find("Command1_1")->toolTip() + options.windowTitle(),
                 QStringLiteral("集中操作盤キー：Enterオプション"));
    }
    // In English nothing is clipped: the board, the panel with the ticket preview, every options page, the voice dialog.
    void englishFits()
    {
        LUMINA_REQUIRE_FONTS();
        Program p;
        p.find("Check4")->click();
        OptionsDialog options;
        VoiceDialog voice;
        const QList<QWidget *> windows{p.board, p.panel, &options, &voice};
        const QHash<QWidget *, QString> japanese = captions(windows);
        choose(LanguageChoice::English);
        voice.layout()->activate();
        QStringList offenders;
        for (QWidget *window : windows)
            offenders << clipped(window, japanese);
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(u'\n')));
    }
};

LUMINA_TEST_MAIN(tst_Language)
#include "tst_language.moc"
