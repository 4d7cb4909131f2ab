#include "toolkit/vtxPieProgress.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

TPieProgress::TPieProgress(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TPieProgress::SetValue(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == m_value)
        return;
    m_value = percent;
    update();
}

void TPieProgress::SetForeColor(const QColor& color) {
    m_foreColor = color;
    update();
}

void TPieProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    const int side = std::min(width(), height()) - 2;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.setPen(QPen(palette().windowText().color(), 1));
    painter.setBrush(palette().window());
    painter.drawEllipse(circle);
    if (m_value > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_foreColor);
        // Angles in sixteenths of a degree, counter-clockwise from three o'clock.
        painter.drawPie(circle, 90 * 16, -m_value * 360 * 16 / 100);
    }
    QFont small = font();
    small.setPointSizeF(std::max(6.0, side / 5.0));
    painter.setFont(small);
    // The percent on a patch of the window's colour, readable over the slice.
    const QString text = QStringLiteral("%1%").arg(m_value);
    const QFontMetricsF metrics(small);
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    box.moveCenter(circle.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().window());
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(palette().windowText().color());
    painter.drawText(circle, Qt::AlignCenter, text);
}
