#pragma once
// The Usher Reports window (" Usher Reports", modeless): every usher report of the shared
// usher report table in a read-only grid, in the table's own order, with the record
// position, a navigator to move (First, Prior, Next, Last, Refresh) and a button that opens
// the Attendance window owned by this one. The Close button has the focus when the window
// opens; Escape closes it too.

#include <QWidget>

class QPushButton;
class TDBGrid;
class TDBNavigator;
class TDBRecordPosition;

class TUsherReportsViewForm : public QWidget {
    Q_OBJECT
public:
    explicit TUsherReportsViewForm(QWidget* owner = nullptr);

    TDBGrid* UsherReportsDBGrid;
    TDBRecordPosition* RecordPosition;
    TDBNavigator* UsherNavigator;
    QPushButton* ViewChartButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_focusSet = false;
};
