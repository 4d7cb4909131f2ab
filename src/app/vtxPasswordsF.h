#pragma once
// The Change Passwords window: installs a new password for one of the three access
// levels in the access file. Reached from the Program Options Setup window.

#include <QDialog>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TPasswordsForm : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordsForm(QWidget* owner = nullptr);

    // The main window's help command, which the Help button runs too; the main window
    // installs it. Without one the help file counts as not found.
    static std::function<void()> HelpCommand;

    QLabel* Line1;
    QLabel* Line2;
    QLabel* Line3;
    QLabel* Line4;
    QGroupBox* PWRadioGroup;
    QRadioButton* LevelItems[3];
    QLabel* PWLabel1;
    QLineEdit* PWEdit1;
    QLabel* PWLabel2;
    QLineEdit* PWEdit2;
    QPushButton* HelpBtn;
    QPushButton* RetryBtn;
    QPushButton* PasswordOKBtn;
    QPushButton* CloseBtn;

    // The level chosen in this window (1 to 3), 0 while none has been chosen.
    int Level() const { return m_level; }
    // The radio group's selected item, -1 when none.
    int ItemIndex() const;

    void PWRadioGroupClick();
    void RetryBtnClick();
    void PasswordOKBtnClick();
    void HelpBtnClick();
    void CloseBtnClick();

private:
    QButtonGroup* m_items;
    int m_level = 0;
};
