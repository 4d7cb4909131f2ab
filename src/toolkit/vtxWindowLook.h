#pragma once
// The program's look, and the set-up that every window repeats.
//
// - Window set-up: object name, caption, and freeing itself when closed (SetUpWindow);
//   the "Close" button (CloseButton); centring on the desktop, the main window or the
//   owner once the window is laid out (CentreOn...).
// - Captions: field captions are bold maroon (CaptionLabel, MakeBoldMaroon); a window of
//   caption + control rows is a QFormLayout whose captions are made by AddCaptionRow, so
//   that each caption is its control's buddy and its mnemonic moves the focus there.
// - The incremental search box is yellow and comes with its caption as buddy (SearchBox).
// - Browse grids (read only, whole-row selection) share one look (SetBrowseGridLook):
//   bold maroon centred titles, rows alternating with silver; a grid's sort indexes are
//   on its columns (TDBGridColumn::SortIndex, vtxDBGrid.h).
// - Labels that follow a cursor keep their size when their text changes (FixLabelWidth,
//   LetLayoutSizeLabel), so moving through a table repaints the label, not the window.
//
// Example (an entry window):
//   TRosterEditForm::TRosterEditForm(QWidget* owner) : QWidget(owner, Qt::Window) {
//       Look::SetUpWindow(this, "RosterEditForm", "Edit Roster");
//       auto* fields = Look::CaptionForm();
//       TitleEdit = new TDBEdit(DataMod->RosterS, "Title", this);
//       Look::AddCaptionRow(fields, "Title", TitleEdit);
//       SearchBox = Look::SearchBox(this, DataMod->RosterS, "LName", "RLN",
//                                   "Search by Last Name", searchCaption);
//       CloseButton = Look::CloseButton(this);
//       ... layouts ...
//       Look::CentreOnDesktop(this);
//   }

#include <QColor>
#include <QString>
#include <Qt>

class DataSource;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TDBGrid;
class TDBSearchBox;

namespace Look {

inline const QColor Maroon(0x80, 0x00, 0x00);
inline const QColor Silver(0xC0, 0xC0, 0xC0);
inline const QColor SearchYellow(0xFF, 0xFF, 0x00);

// ----- Window set-up -------------------------------------------------------------------

// The first lines of every window: its object name (the name tests and the registry find
// it by), its caption, and freeing itself when it is closed. It also gives the window the
// habits every window has:
// - it stays above its owner, and a window without one above the main window, while it
//   stays a top-level window of its own (KeepAboveOwner);
// - it has a close guard (vtxCloseGuard.h): closing it closes the windows it owns first,
//   each through its own check, and a view window closes with Escape;
// - when it is first shown: a window of one fixed size has no maximize button, and each of
//   its one-line boxes keeps a width that shows a date or a dozen characters (a short field
//   less), so the window cannot be made so small that its boxes cannot be read.
void SetUpWindow(QWidget* window, const QString& objectName, const QString& caption);

// Keeps a top-level window above the window that owns it (its parent; the main window when
// it has none): the window system is told it belongs to that window (transient for it)
// while it keeps its own title bar, minimize and maximize buttons. SetUpWindow calls it.
void KeepAboveOwner(QWidget* window);

// Shows a window (the program's help) so that it can be used while a modal window is open:
// it goes with the modal window that is open (above it, not blocked by it) until that one
// closes, and then with its owner again. Raises and activates it.
void ShowBesideModalWindow(QWidget* window);

// The narrowest a one-line box may be: a date, or a dozen characters, or its field's width
// (at least three characters) when that is less.
int ReadableBoxWidth(const QLineEdit* box);

// The window's Close button: a click closes the window, through its close guard when it
// has one (vtxCloseGuard.h). Enter in a box of a dialog never presses it.
QPushButton* CloseButton(QWidget* window, const QString& text = QStringLiteral("Close"));

// The flags of a dialog of one fixed size: a title bar with a close box and no other button.
inline constexpr Qt::WindowFlags FixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                    Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowCloseButtonHint;
// Fills a window's background with one colour and writes its texts in another.
void SetWindowColours(QWidget* window, const QColor& background, const QColor& text);

// The program's main window (the top-level window named "MainForm"); null when there is
// none, as in tests.
QWidget* MainWindow();
// Sizes a window to its layout (unless it was given a size) and puts its centre on the
// centre of the other window, or of the screen when that is null or hidden. Call last in
// the constructor.
void CentreOn(QWidget* window, QWidget* on);
void CentreOnDesktop(QWidget* window);
void CentreOnMainWindow(QWidget* window);
void CentreOnOwner(QWidget* window); // its parent widget

// The window's hint line: a sunken line along its bottom that tells what the window did
// ("Written to /home/office/VTX2-MSW.odt"). Named "HintLine"; empty at first.
QLabel* HintLine(QWidget* window);
// Shows a text in the window's hint line; false when the window has none.
bool ShowHint(QWidget* window, const QString& text);

// ----- Captions ------------------------------------------------------------------------

// A label in bold maroon, the look of every field caption.
QLabel* CaptionLabel(const QString& text, QWidget* parent,
                     Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
// Makes a widget's text bold maroon (captions, a check box's caption, a name that follows
// the cursor).
void MakeBoldMaroon(QWidget* widget);

// A form of caption + control rows, captions right-aligned beside their controls.
QFormLayout* CaptionForm();
// Adds a row: a bold maroon caption (the control's buddy) and the control. Returns the
// caption, which a window keeps only when code or a test drives it.
QLabel* AddCaptionRow(QFormLayout* form, const QString& caption, QWidget* control);

// Labels whose text follows a cursor keep their size when the text changes: a fixed width
// for the widest text expected, or the room the layout gives.
void FixLabelWidth(QLabel* label, const QString& widestText);
void LetLayoutSizeLabel(QLabel* label);
// The widest record position expected ("%d:%d").
inline const QString WidestRecordPosition = QStringLiteral("000000:000000");

// ----- Search box ----------------------------------------------------------------------

// Gives a line edit (the search boxes) its yellow background.
void MakeYellow(QWidget* widget);
// The incremental search box on a field of a data source, finding in the order of the
// index (empty: the data set's order), yellow, with its caption made as its buddy. The box
// is named "SearchBox".
TDBSearchBox* SearchBox(QWidget* parent, DataSource* source, const QString& field,
                        const QString& indexName, const QString& caption, QLabel*& captionLabel);

// ----- Grids ---------------------------------------------------------------------------

// The look of a browse grid (read only): titles, row indicator, grid lines, whole-row
// selection, resizable columns; a cell text cut at the column's edge ends in "…". Titles are
// maroon, bold and centred, and rows alternate with silver, unless the look says otherwise. Call
// after the columns are added.
struct TBrowseGridLook {
    bool boldCentredTitles = true; // false: maroon titles in the grid's font, left-aligned
    bool silverRows = true;        // false: every row in the window colour
};
void SetBrowseGridLook(TDBGrid* grid, TBrowseGridLook look = {});

inline const QColor Olive(0x80, 0x80, 0x00);
// Titles of every column of a grid bold and centred, in a text colour on a background (the
// entry grids of the stewardship windows: silver on olive). Call after the columns are added.
void SetGridTitleColours(TDBGrid* grid, const QColor& text, const QColor& background);

} // namespace Look
