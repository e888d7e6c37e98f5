#include "options/frmOption.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumina {

frmOption::frmOption(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("オプション"));
    auto *layout = new QVBoxLayout(this);
    Check1 = new QCheckBox(QStringLiteral("整理券番号自動表示機能を使用"), this);
    layout->addWidget(Check1);
    for (size_t i = 0; i < Command5.size(); ++i) {
        Command5[i] = new QPushButton(this);
        layout->addWidget(Command5[i]);
    }
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    layout->addWidget(cmdOK);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::hide);
}

} // namespace lumina
