#pragma once
// The Lay Ministries window: the lay ministries of the member who is the active record,
// with the roster's last-name search box (finding a member makes that member the active
// record) and a button for the Select Active Record window (modal).
//
// Opening it links the shared enrolment table to the roster and switches its ministry
// filter off (vtxLayMinistriesU.h); the link stays after it closes. It asks for no
// password, so its list is read only: enrolments are changed in the participation window.

#include <QWidget>

class QPushButton;
class TDBGrid;
class TDBSearchBox;
class TDBText;

class TLayMinistriesViewForm : public QWidget {
    Q_OBJECT
public:
    explicit TLayMinistriesViewForm(QWidget* owner = nullptr);

    TDBSearchBox* SearchBox;
    TDBText* ActiveRecordName;
    TDBGrid* MinistriesGrid;
    QPushButton* SelectActiveRecordButton;
    QPushButton* CloseButton;

    void SelectActiveRecordButtonClick();
};
