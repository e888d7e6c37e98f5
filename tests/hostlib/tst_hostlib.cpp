#include "FailingDevice.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "hostlib/QtHostLib.h"
#include "hostlib/TicketPlugin.h"

#include <QCalendarWidget>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

using namespace lumina;

namespace {

// Runs `act` on the real dialog once it is up; one still up 100 ms later is cancelled, so the call returns.
void whenModal(QObject *context, const std::function<void(QWidget *)> &act)
{
    auto *poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, act] {
        if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(modal);
            QTimer::singleShot(100, modal, &QDialog::reject);
        }
    });
    poll->start(0);
}
const QString kData = QStringLiteral(LUMINA_TEST_DATA "/hostlib/");
// A plug-in of two companies, stop names cut to 7, whose one text element shows `text`.
QByteArray pluginWith(const QString &text)
{
    return test::readFile(kData + QStringLiteral("one-text.json")).replace("@text@", text.toUtf8());
}
// The reason each refused plug-in file is refused with, by file name.
QHash<QString, QString> refusals()
{
    QHash<QString, QString> reasons;
    for (const QStringList &row : test::dataRows(QStringLiteral("hostlib/refusals.tsv"), 2))
        reasons.insert(row[0], row[1]);
    return reasons;
}
} // namespace

class tst_HostLib : public QObject
{
    Q_OBJECT
private slots:
    void fileFilter_data() { test::addRows("hostlib/filters.tsv", {"nulList", "filter"}); }
    void fileFilter()
    {
        QFETCH(QString, nulList);
        QFETCH(QString, filter);
        QCOMPARE(fileDialogFilter(nulList.replace(u'|', QChar(0))), filter);
    }
    // The real digit settings dialog, answered through its own buttons.
    void digitDialog_data() { test::addRows("hostlib/digit-dialog.tsv", {"button", "shiftText", "stored"}); }
    void digitDialog()
    {
        QFETCH(QString, button);
        QFETCH(QString, shiftText);
        QFETCH(QString, stored);
        LUMINA_REQUIRE_FONTS();
        const int shift = shiftText.toInt();
        qint16 zero = 1, inOut = qint16(shift), fill = 9;
        QImage face;
        QList<int> ranges;
        whenModal(this, [&](QWidget *dialog) {
            face = dialog->grab().toImage();
            const QList<QSpinBox *> spins = dialog->findChildren<QSpinBox *>();
            const QList<QRadioButton *> modes = dialog->findChildren<QRadioButton *>();
            for (QSpinBox *spin : spins)
                ranges << spin->minimum() << spin->maximum() << spin->value();
            if (shift < 4 && spins.size() == 2 && modes.size() == 4) {
                modes[0]->setChecked(true);
                spins[0]->setValue(1);
                spins[1]->setValue(2);
            }
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::StandardButton(button.toInt()))->click();
            QVERIFY(!dialog->isVisible()); // closed by the click itself
        });
        QCOMPARE(QtHostLib().digitDialog(nullptr, 4, zero, inOut, fill), int(button.toInt() == QDialogButtonBox::Ok));
        // Shift 0..3 and fill 0..4 for four positions, the values clamped into them.
        QCOMPARE(ranges, (QList<int>{0, 3, std::min(shift, 3), 0, 4, 4}));
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(zero).arg(inOut).arg(fill), stored);
        if (QTest::currentDataTag() == QByteArrayView("OK"))
            LUMINA_COMPARE_REFERENCE(face, QStringLiteral("digit-dialog"));
    }
    // The custom colours it shows come back as the user left them, the one beyond them untouched.
    void colourDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("cancel") << false;
    }
    void colourDialog()
    {
        QFETCH(bool, accept);
        CustomColors custom;
        for (size_t i = 0; i < custom.size(); ++i)
            custom[i] = rgb(int(i), 0, 0);
        QColor offered;
        whenModal(this, [&](QWidget *modal) {
            auto *dialog = qobject_cast<QColorDialog *>(modal);
            offered = dialog->currentColor();
            QColorDialog::setCustomColor(2, Qt::blue);
            dialog->setCurrentColor(Qt::green);
            accept ? dialog->accept() : dialog->reject();
        });
        OleColor colour = rgb(1, 2, 3);
        QCOMPARE(QtHostLib().colourDialog(nullptr, colour, custom), int(accept));
        QCOMPARE(offered, QColor(1, 2, 3));
        QCOMPARE(colour, accept ? rgb(0, 255, 0) : rgb(1, 2, 3));
        QCOMPARE((QList<OleColor>{custom[2], custom[15], custom[16]}),
                 (QList<OleColor>{rgb(0, 0, 255), rgb(15, 0, 0), rgb(16, 0, 0)}));
    }
    // A Sunday picked by double-click is day 0 of the week; the calendar opens on the date given.
    void datePicker()
    {
        SystemTime date{2026, 3, 0, 5};
        QDate offered;
        whenModal(this, [&](QWidget *dialog) {
            auto *calendar = dialog->findChild<QCalendarWidget *>();
            offered = calendar->selectedDate();
            calendar->setSelectedDate(QDate(2026, 12, 6));
            emit calendar->activated(calendar->selectedDate());
        });
        QCOMPARE(QtHostLib().datePicker(nullptr, date), 1);
        QCOMPARE(offered, QDate(2026, 3, 5));
        QCOMPARE((QList<int>{date.year, date.month, date.day, date.dayOfWeek}), (QList<int>{2026, 12, 6, 0}));
    }
    // A name typed without a suffix is given the filter's first one.
    void saveFileDialog()
    {
        QTemporaryDir dir;
        whenModal(this, [](QWidget *dialog) {
            QCOMPARE(qobject_cast<QFileDialog *>(dialog)->acceptMode(), QFileDialog::AcceptSave); // "Save", and asks before replacing
            qobject_cast<QFileDialog *>(dialog)->selectFile(QStringLiteral("運賃表"));
            qobject_cast<QDialog *>(dialog)->accept();
        });
        const QString chosen = QtHostLib().saveFileDialog(nullptr, QStringLiteral("PNG (*.png)"), dir.path(), {});
        QCOMPARE(chosen, dir.filePath(QStringLiteral("運賃表.png")));
    }
    // Texts from files and file names are never markup; each button gives its own answer.
    void messageBox_data() { test::addRows("hostlib/messages.tsv", {"buttons", "click", "result", "icon"}); }
    void messageBox()
    {
        QFETCH(QString, buttons);
        QFETCH(QString, click);
        QFETCH(QString, result);
        QFETCH(QString, icon);
        const QString text = QStringLiteral("<b>12.hy3</b> が読めません");
        QVariantList shown;
        whenModal(this, [&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            shown = {int(box->icon()), int(box->textFormat()), box->text()};
            box->button(QMessageBox::StandardButton(click.toInt()))->click();
        });
        QtHostLib lib;
        const int got = buttons.toInt() < 0 ? lib.versionBox(nullptr, 0, text + QStringLiteral("\r\n"))
                                            : int(lib.messageBox(nullptr, text, QStringLiteral("Lumina"),
                                                                 MessageButtons(buttons.toInt()), MessageIcon(icon.toInt())));
        QCOMPARE(got, result.toInt());
        QCOMPARE(shown, (QVariantList{icon.toInt(), int(Qt::PlainText), text}));
    }
    // The fuzz target's seeds too: "refused-*" files are refused with their own reason, others taken.
    void refusesDamagedAndHostileFiles_data() { test::fileRows(kData, QStringLiteral("*.4SP")); }
    void refusesDamagedAndHostileFiles()
    {
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        TicketPluginReader reader;
        QCOMPARE(reader.read(test::readFile(path)).has_value(), accepted);
        QCOMPARE(reader.errorString().isEmpty(), accepted);
        if (!accepted)
            QCOMPARE(reader.errorString(), refusals().value(QTest::currentDataTag()));
    }
    void oversizedAndFailingDevices()
    {
        // A valid file padded one byte beyond the size bound is refused unparsed; at the bound it is taken.
        const QByteArray big = pluginWith(QStringLiteral("{ticket}")).leftJustified(plugin::kMaxFileBytes + 1, ' ');
        test::ReadBuffer buffer(big);
        TicketPluginReader reader;
        QVERIFY(!reader.read(&buffer) && reader.errorString().contains(QStringLiteral("larger")));
        QVERIFY(reader.read(big.chopped(1)));
        QVERIFY(reader.errorString().isEmpty());
        test::FailingDevice broken(QByteArray(200, ' '), 100);
        QVERIFY(!reader.read(&broken));
        QVERIFY(reader.errorString().contains(QStringLiteral("medium error")));
        buffer.close();
        QVERIFY(!reader.read(&buffer) && reader.errorString().contains(QStringLiteral("cannot be read")));
    }
    void templates_data() { test::addRows("hostlib/templates.tsv", {"text", "date", "company", "expected"}); }
    void templates()
    {
        QFETCH(QString, text);
        QFETCH(QString, date);
        QFETCH(QString, company);
        QFETCH(QString, expected);
        const auto plugin = TicketPluginReader().read(pluginWith(text));
        QVERIFY(plugin);
        const TicketFields f{QStringLiteral("星見台ニュータウン入口"), date, QStringLiteral("08:05:00"), 12, -5, 4,
                             company.toInt()};
        QCOMPARE(plugin->expand(plugin->elements.at(0).text, f), expected);
    }
    void fileChangedOnDiskIsReadAgain()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bus.4SP"));
        PlugInInfo info;
        QVERIFY(test::writeFile(path, pluginWith(QStringLiteral("{ticket}"))));
        QCOMPARE(host().plugInInfo(path, info), 1);
        QVERIFY(test::writeFile(path, "{ broken"));
        QCOMPARE(host().plugInInfo(path, info), 0);
        QVERIFY(test::writeFile(path, pluginWith(QStringLiteral("{ticket}"))));
        QCOMPARE(host().plugInInfo(path, info), 1);
    }
    // One picture per ticket: every element kind, barcodes following the stop and the
    // ticket number the passenger; and the record the plug-in fills.
    void drawn_data() { test::addRows("hostlib/tickets.tsv", {"file", "ticket", "position", "stopBack", "record"}); }
    void drawn()
    {
        QFETCH(QString, file);
        QFETCH(QString, ticket);
        QFETCH(QString, position);
        QFETCH(QString, stopBack);
        QFETCH(QString, record);
        LUMINA_REQUIRE_FONTS();
        const QString plugin = QStringLiteral(LUMINA_TEST_DATA "/") + file;
        PlugInInfo info{};
        const bool known = host().plugInInfo(plugin, info);
        const auto *raw = reinterpret_cast<const qint32 *>(&info);
        QStringList filled;
        for (int i = 0; i < 14; ++i)
            filled << QString::number(raw[i]);
        QCOMPARE(filled.join(u' '), record);
        const QSize size = known ? QSize(info.previewWidth / 15, info.previewHeight / 15) : QSize(40, 20);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QImage blank = image;
        QString stop = QStringLiteral("星見台ニュータウン入口北口前");
        QString date = QStringLiteral("12-07-2026");
        host().drawTicket(plugin, image, stop, date, QStringLiteral("08:05:00"), 12, qint16(ticket.toInt()),
                          qint16(position.toInt()), 1);
        QCOMPARE(stop.size(), stopBack.toInt());
        if (known)
            LUMINA_COMPARE_REFERENCE(image, QString::fromLatin1(QTest::currentDataTag()));
        else
            QCOMPARE(image, blank);
    }
};

LUMINA_TEST_MAIN(tst_HostLib)
#include "tst_hostlib.moc"
