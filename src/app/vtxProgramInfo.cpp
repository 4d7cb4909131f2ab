#include "app/vtxProgramInfo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#ifndef VTX_VERSION
#define VTX_VERSION "2.0.0.0"
#endif

namespace ProgramInfo {

QString ProductName() {
    return QStringLiteral("Vestrix");
}

QString ProductVersion() {
    return QStringLiteral(VTX_VERSION);
}

QString LegalCopyright() {
    return QStringLiteral("Copyright \u00A9 2024 Quillfen Software.  All rights reserved.");
}

QString Comments() {
    return QStringLiteral("Roster, pastoral records, ministries, worship, music, stewardship "
                          "and attendance for one congregation.");
}

QString CompanyName() {
    return QStringLiteral("Quillfen Software");
}

} // namespace ProgramInfo

QPixmap VestrixPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A maroon tile shading to black, as the main window's background does.
    QLinearGradient fill(0, 0, s, s);
    fill.setColorAt(0, QColor(0x80, 0, 0));
    fill.setColorAt(1, QColor(0x20, 0, 0));
    painter.setPen(QPen(QColor(0xC0, 0xA0, 0x40), qMax<qreal>(1, s / 32)));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.16, s * 0.16);
    // A gold V under a small cross.
    QPainterPath v;
    v.moveTo(s * 0.22, s * 0.34);
    v.lineTo(s * 0.50, s * 0.84);
    v.lineTo(s * 0.78, s * 0.34);
    painter.setPen(
        QPen(QColor(0xF0, 0xC8, 0x40), s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(v);
    painter.setPen(QPen(Qt::white, s * 0.06, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(s * 0.50, s * 0.12), QPointF(s * 0.50, s * 0.40));
    painter.drawLine(QPointF(s * 0.41, s * 0.21), QPointF(s * 0.59, s * 0.21));
    return pixmap;
}

QIcon VestrixIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(VestrixPixmap(size));
    return icon;
}
