#pragma once
// The Music Use window: the dates on which the current piece of the music library was used
// (MusicUseT, which follows the library's current piece). Its navigator steps through the
// pieces of the library (and can delete, edit, post and cancel a piece), so the library
// window moves with it; the grid shows the current piece's uses, editable in place. It
// refuses to close while a use is being edited or inserted.

#include <QWidget>

class QPushButton;
class TDBGrid;
class TDBNavigator;
class TDBRecordPosition;

class TMusicUseForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the Music Library window), freed when closed.
    explicit TMusicUseForm(QWidget* owner = nullptr);

    TDBNavigator* LibraryNavigator;
    TDBGrid* UseGrid;
    TDBRecordPosition* UsePosition;
    QPushButton* CloseButton;
};
