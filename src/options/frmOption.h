#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;

namespace lumina {

// The options dialog: created hidden at start-up and kept for the whole run; its
// controls hold the live value of every option.
class frmOption : public QDialog
{
    Q_OBJECT

public:
    explicit frmOption(QWidget *parent = nullptr);

    QCheckBox *Check1 = nullptr; // "整理券番号自動表示機能を使用"
    // Ticket-number colour buttons for backlight OFF, ON1, ON2; the colour is
    // the button's background.
    std::array<QPushButton *, 3> Command5{};
    QPushButton *cmdOK = nullptr;
};

} // namespace lumina
