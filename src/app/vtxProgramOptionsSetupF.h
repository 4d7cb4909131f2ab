#pragma once
// The Program Options Setup window: the organisation's name and address, the default
// pastor and the three switches, saved to the options file; and the way to the
// Change Passwords window.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TProgramOptionsSetupForm : public QWidget {
    Q_OBJECT
public:
    // Shown modeless; the window frees itself when it is closed.
    explicit TProgramOptionsSetupForm(QWidget* owner = nullptr);

    QLineEdit* OrganizationEdit;
    QLineEdit* StreetAddressEdit;
    QLineEdit* CityEdit;
    QLineEdit* StateEdit;
    QLineEdit* PostalEdit;
    QLineEdit* PastorEdit;
    QCheckBox* ConfirmCriticalCheckbox;
    QCheckBox* SoundOnCheckbox;
    QCheckBox* ShowHintsCheckbox;
    QPushButton* PasswordsBtn;
    QPushButton* SaveChangesBtn;
    QPushButton* CloseBtn;

    void FormCreate();
    void SaveChangesBtnClick();
    void PasswordsBtnClick();
    void CloseBtnClick();
};
