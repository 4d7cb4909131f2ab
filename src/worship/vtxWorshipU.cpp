#include "worship/vtxWorshipU.h"

#include <QGridLayout>
#include <QWidget>

namespace Worship {

QString ElementField(int k) {
    return QStringLiteral("Element%1").arg(k, 2, 10, QChar('0'));
}

QGridLayout* ElementColumns(const std::function<QWidget*(int k)>& make) {
    auto* grid = new QGridLayout;
    for (int k = 1; k <= ElementCount; ++k)
        grid->addWidget(make(k), (k - 1) % LinesPerColumn, (k - 1) / LinesPerColumn);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace Worship
