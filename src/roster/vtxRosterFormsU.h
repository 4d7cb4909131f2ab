#pragma once
// Looks and placement shared by the roster windows: the program's label colours, the
// yellow search box, the roster grids' colours, and centring a window on the desktop,
// on the main window or on its owner.

#include <QColor>
#include <QString>
#include <Qt>

class QLabel;
class QWidget;

class TDBSearchBox;

namespace RosterForms {

inline const QColor Maroon(0x80, 0x00, 0x00);
inline const QColor Silver(0xC0, 0xC0, 0xC0);
inline const QColor SearchYellow(0xFF, 0xFF, 0x00);

// A label in bold maroon, the look of every field caption of the roster windows.
QLabel* CaptionLabel(const QString& text, QWidget* parent,
                     Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
// Makes a widget's text bold maroon.
void MakeBoldMaroon(QWidget* widget);
// Gives a line edit (the search boxes) its yellow background.
void MakeYellow(QWidget* widget);
// The roster windows' last-name finder: the yellow search box on the shared roster's last
// name, finding in last-name order, and its caption "Search by Last Name" as its buddy.
TDBSearchBox* RosterSearchBox(QWidget* parent, QLabel*& caption);

// Labels whose text follows the roster cursor keep their size when the text changes, so
// that moving through the roster repaints the label, not the whole window: a fixed width
// for the widest text expected, or the room the layout gives.
void FixLabelWidth(QLabel* label, const QString& widestText);
void LetLayoutSizeLabel(QLabel* label);
// The widest record position expected ("%d:%d").
inline const QString WidestRecordPosition = QStringLiteral("000000:000000");

// The program's main window (the top-level window named "MainForm"); null when there is
// none, as in tests.
QWidget* MainWindow();
// Sizes a window to its layout (unless it was given a size) and puts its centre on the centre of
// the other window, or of the screen when that is null or hidden.
void CentreOn(QWidget* window, QWidget* on);
void CentreOnDesktop(QWidget* window);
void CentreOnMainWindow(QWidget* window);

} // namespace RosterForms
