#pragma once
// The Lay Ministries Setup window: the list of the congregation's lay ministries
// (LayMinistriesT), edited in place in a grid whose first column, the ministry's number,
// stays in sight when the grid scrolls sideways. New ministries are added and removed in
// the grid itself (Insert; Ctrl+Delete asks first); the navigator moves, edits, posts,
// cancels and refreshes. The description of the current ministry is edited in the memo
// below the grid.
//
// Modal, behind the level 3 password. It refuses to close while a ministry is being edited
// or inserted ("Please Post or Cancel the changes."). It sets nothing on the shared table:
// its cursor is the current ministry of the other ministry windows.

#include <QDialog>

class QPushButton;
class TDBGrid;
class TDBMemo;
class TDBNavigator;

class TLayMinistriesSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TLayMinistriesSetupForm(QWidget* owner = nullptr);

    TDBGrid* MinistriesGrid;
    TDBNavigator* MinistriesNavigator;
    TDBMemo* DescriptionMemo;
    QPushButton* CloseButton;
};
