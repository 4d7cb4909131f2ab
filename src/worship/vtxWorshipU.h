#pragma once
// What the worship windows share: the names of the thirty element fields of a template
// and of a service, and their place on screen, two columns of fifteen lines (elements 1 to
// 15 on the left, 16 to 30 on the right, element 16 beside element 1).

#include <QString>
#include <functional>

class QGridLayout;
class QWidget;

namespace Worship {

inline constexpr int ElementCount = 30;
inline constexpr int LinesPerColumn = 15;

// "Element01" to "Element30".
QString ElementField(int k);

// Lays out the controls made by make(1) to make(30) in two columns of fifteen.
QGridLayout* ElementColumns(const std::function<QWidget*(int k)>& make);

} // namespace Worship
