#include "hostlib/QtHostLib.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace lumina {

int QtHostLib::digitDialog(QWidget *owner, qint16 digitCount, qint16 &zeroMode, qint16 &shift,
                           qint16 &fillZero)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(QCoreApplication::translate("lumina::QtHostLib", "数字表示の設定"));
    auto *layout = new QVBoxLayout(&dialog);

    auto *zeroBox = new QGroupBox(QCoreApplication::translate("lumina::QtHostLib", "0 と -1 の表示"), &dialog);
    auto *zeroLayout = new QVBoxLayout(zeroBox);
    auto *zeroGroup = new QButtonGroup(&dialog);
    const QString zeroTexts[4] = {
        QCoreApplication::translate("lumina::QtHostLib", "0 は表示しない（消灯）"),
        QCoreApplication::translate("lumina::QtHostLib", "0 は「0」と表示する"),
        QCoreApplication::translate("lumina::QtHostLib", "-1 を「0」と表示し、0 は表示しない"),
        QCoreApplication::translate("lumina::QtHostLib", "-1 も 0 も「0」と表示する"),
    };
    for (int i = 0; i < 4; ++i) {
        auto *button = new QRadioButton(zeroTexts[i], zeroBox);
        zeroGroup->addButton(button, i);
        zeroLayout->addWidget(button);
    }
    if (auto *current = zeroGroup->button(zeroMode))
        current->setChecked(true);
    layout->addWidget(zeroBox);

    const int positions = std::max<int>(1, digitCount);
    auto *form = new QFormLayout;
    auto *shiftSpin = new QSpinBox(&dialog);
    shiftSpin->setRange(0, positions - 1);
    shiftSpin->setValue(shift); // the range holds it to the positions there are
    shiftSpin->setSuffix(QCoreApplication::translate("lumina::QtHostLib", " 桁"));
    shiftSpin->setToolTip(QCoreApplication::translate("lumina::QtHostLib", "数字を右端から何桁左に寄せて表示するか"));
    form->addRow(QCoreApplication::translate("lumina::QtHostLib", "左へずらす桁数："), shiftSpin);
    auto *fillSpin = new QSpinBox(&dialog);
    fillSpin->setRange(0, positions);
    fillSpin->setValue(fillZero);
    fillSpin->setSpecialValueText(QCoreApplication::translate("lumina::QtHostLib", "なし"));
    fillSpin->setSuffix(QCoreApplication::translate("lumina::QtHostLib", " 桁"));
    fillSpin->setToolTip(QCoreApplication::translate("lumina::QtHostLib", "この桁数に満たない数字の頭に 0 を補う（5 を 3 桁なら 005）"));
    form->addRow(QCoreApplication::translate("lumina::QtHostLib", "0 で埋める桁数："), fillSpin);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QCoreApplication::translate("lumina::QtHostLib", "表示できる桁数：%1").arg(positions), &dialog));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return 0;
    if (zeroGroup->checkedId() >= 0)
        zeroMode = qint16(zeroGroup->checkedId());
    shift = qint16(shiftSpin->value());
    fillZero = qint16(fillSpin->value());
    return 1;
}

int QtHostLib::versionBox(QWidget *owner, int kind, const QString &text)
{
    Q_UNUSED(kind);
    QMessageBox box(QMessageBox::Information, QCoreApplication::translate("lumina::QtHostLib", "バージョン情報"),
                    QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed(),
                    QMessageBox::Ok, owner);
    // The model name is the executable's file name: shown as it stands.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
}

int QtHostLib::datePicker(QWidget *owner, SystemTime &date)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(QCoreApplication::translate("lumina::QtHostLib", "日付の選択"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *calendar = new QCalendarWidget(&dialog);
    const QDate current(date.year, date.month, date.day);
    calendar->setSelectedDate(current.isValid() ? current : QDate::currentDate());
    layout->addWidget(calendar);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const QDate chosen = calendar->selectedDate();
    date.year = qint16(chosen.year());
    date.month = qint16(chosen.month());
    date.day = qint16(chosen.day());
    date.dayOfWeek = qint16(chosen.dayOfWeek() % 7);
    return 1;
}

QString QtHostLib::fileDialog(QWidget *owner, int flags, const QString &filter,
                               const QString &initialPath, const QString &title)
{
    Q_UNUSED(flags);
    return QFileDialog::getOpenFileName(owner, title, initialPath, fileDialogFilter(filter));
}

QString QtHostLib::folderDialog(QWidget *owner, const QString &prompt)
{
    return QFileDialog::getExistingDirectory(owner, prompt);
}

QString QtHostLib::saveFileDialog(QWidget *owner, const QString &filter,
                                  const QString &initialPath, const QString &title)
{
    QFileDialog dialog(owner, title, initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // "PNG 画像 (*.png)" gives "png": a name typed without a suffix still
    // becomes a file the picture viewers recognise.
    const QRegularExpressionMatch first =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (first.hasMatch())
        dialog.setDefaultSuffix(first.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

int QtHostLib::colourDialog(QWidget *owner, OleColor &color, CustomColors &customColors)
{
    // QColorDialog keeps its custom colours process-wide; load ours in, and read
    // them back afterwards so that the user's edits reach the settings file.
    const int count = std::min<int>(QColorDialog::customCount(), int(customColors.size()));
    for (int i = 0; i < count; ++i)
        QColorDialog::setCustomColor(i, toQColor(customColors[size_t(i)]));
    QColorDialog dialog(toQColor(color), owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < count; ++i)
        customColors[size_t(i)] = fromQColor(QColorDialog::customColor(i));
    if (!accepted)
        return 0;
    color = fromQColor(dialog.selectedColor());
    return 1;
}

MessageResult QtHostLib::messageBox(QWidget *owner, const QString &text, const QString &title,
                                    MessageButtons buttons, MessageIcon icon)
{
    QMessageBox::StandardButtons standard;
    switch (buttons) {
    case MessageButtons::Ok: standard = QMessageBox::Ok; break;
    case MessageButtons::OkCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MessageButtons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
    case MessageButtons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None: break;
    case MessageIcon::Information: qtIcon = QMessageBox::Information; break;
    case MessageIcon::Warning: qtIcon = QMessageBox::Warning; break;
    case MessageIcon::Critical: qtIcon = QMessageBox::Critical; break;
    case MessageIcon::Question: qtIcon = QMessageBox::Question; break;
    }
    QMessageBox box(qtIcon, title, text, standard, owner);
    // Messages carry file names and texts from files: never markup.
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    case QMessageBox::Cancel: return MessageResult::Cancel;
    default: return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    }
}

bool QtHostLib::openFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace lumina
