#pragma once
// What the program says about itself: the version information compiled in from the
// project version (the About window shows it, the main window's caption carries the
// version), and the program's icon.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ProgramInfo {
QString ProductName();    // "Vestrix"
QString ProductVersion(); // the project version, "2.0.0.0"
QString LegalCopyright();
QString Comments();
QString CompanyName(); // "Quillfen Software"
} // namespace ProgramInfo

// The program's icon drawn at the given size (square, in pixels).
QPixmap VestrixPixmap(int size);
// The program's icon in the sizes a window system asks for.
QIcon VestrixIcon();
