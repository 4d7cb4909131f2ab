#pragma once
// The Music Library window: the pieces of the music library (MusicLibraryT, in name
// order) kept in a grid with a navigator, and the door to each piece's use history.
//
// Changing a piece's Last Used date in the grid to a date records a use of the piece on
// that date (a MusicUseT row, posted at once); leaving the cell unchanged, or emptying it,
// records nothing. A use already recorded for that date is refused with the data module's
// message and dropped. The piece itself is not posted by this: it stays in edit until it is
// posted. The window refuses to close while a piece is being edited or inserted.

#include <QDate>
#include <QWidget>

class QPushButton;
class TDBGrid;
class TDBNavigator;
class TDBRecordPosition;
class TDBStateLabel;

class TMusicLibraryForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner, freed when closed.
    explicit TMusicLibraryForm(QWidget* owner = nullptr);

    TDBNavigator* LibraryNavigator;
    TDBStateLabel* LibraryState;
    TDBRecordPosition* RecordPosition;
    TDBGrid* LibraryGrid;
    QPushButton* UseHistoryButton;
    QPushButton* CloseButton;

    void UseHistoryButtonClick();
    // Records a use of the current piece on the date (a row of MusicUseT, posted at once).
    void RecordUse(const QDate& date);

private:
    void GridEditorOpened(int column);
    void GridEditorClosed(int column);
    void LastUsedChanged();

    int m_lastUsedColumn = -1;
    bool m_editingLastUsed = false;
    QDate m_lastUsedBefore;
};
