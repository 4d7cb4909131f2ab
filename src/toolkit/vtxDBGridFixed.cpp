// The fixed columns of the data grid: the first visible columns stay at the left edge while
// the grid scrolls sideways. The view lays every column out as usual; seen from outside
// (visualRect, indexAt, scrollTo) a fixed column stands at its place at the left edge, and
// after the usual painting its cells (and titles) are painted there again, over the cells
// scrolled under them. Cell editors follow visualRect, so a fixed cell is edited in place.

#include "toolkit/vtxDBGrid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

// ---- TDBGrid ---------------------------------------------------------------------------

void TDBGrid::SetFixedColumns(int count) {
    m_fixedColumns = qMax(0, count);
    if (m_fixedColumns > 0)
        setHorizontalScrollMode(ScrollPerPixel);
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

bool TDBGrid::FixedShifted() const {
    return m_fixedColumns > 0 && horizontalOffset() > 0;
}

bool TDBGrid::IsFixed(int column) const {
    if (m_fixedColumns <= 0 || column < 0 || isColumnHidden(column))
        return false;
    const QHeaderView* header = horizontalHeader();
    int fixed = 0;
    for (int v = 0; v < header->count() && fixed < m_fixedColumns; ++v) {
        const int logical = header->logicalIndex(v);
        if (header->isSectionHidden(logical))
            continue;
        if (logical == column)
            return true;
        ++fixed;
    }
    return false;
}

int TDBGrid::FixedWidth() const {
    const QHeaderView* header = horizontalHeader();
    int width = 0;
    int fixed = 0;
    for (int v = 0; v < header->count() && fixed < m_fixedColumns; ++v) {
        const int logical = header->logicalIndex(v);
        if (header->isSectionHidden(logical))
            continue;
        width += header->sectionSize(logical);
        ++fixed;
    }
    return width;
}

QRect TDBGrid::visualRect(const QModelIndex& index) const {
    QRect rect = QTableView::visualRect(index);
    if (index.isValid() && FixedShifted() && IsFixed(index.column()))
        rect.moveLeft(horizontalHeader()->sectionPosition(index.column()));
    return rect;
}

QModelIndex TDBGrid::indexAt(const QPoint& point) const {
    if (FixedShifted() && point.x() >= 0 && point.x() < FixedWidth()) {
        const int column = horizontalHeader()->logicalIndexAt(point.x() - horizontalOffset());
        const int row = rowAt(point.y());
        if (row >= 0 && column >= 0)
            return model()->index(row, column);
        return {};
    }
    return QTableView::indexAt(point);
}

void TDBGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (m_fixedColumns <= 0 || !index.isValid()) {
        QTableView::scrollTo(index, hint);
        return;
    }
    QScrollBar* bar = horizontalScrollBar();
    const int before = bar->value();
    QTableView::scrollTo(index, hint);
    if (IsFixed(index.column())) {
        // A fixed column is always in sight: only the rows scroll.
        bar->setValue(before);
        return;
    }
    // A column scrolled under the fixed ones comes out from under them.
    const int hidden = FixedWidth() - columnViewportPosition(index.column());
    if (hidden > 0)
        bar->setValue(bar->value() - hidden);
}

void TDBGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dx == 0 || m_fixedColumns <= 0)
        return;
    // Scrolling moved the fixed cells, their titles and their editors with the others.
    viewport()->update();
    horizontalHeader()->viewport()->update();
    updateEditorGeometries();
}

void TDBGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (!FixedShifted())
        return;
    QPainter painter(viewport());
    PaintFixedCells(painter, event->rect());
}

void TDBGrid::PaintFixedCells(QPainter& painter, const QRect& area) {
    const int right = qMin(FixedWidth(), viewport()->width());
    const QRect fixedArea = QRect(0, 0, right, viewport()->height()).intersected(area);
    if (fixedArea.isEmpty())
        return;
    painter.setClipRect(fixedArea);
    painter.fillRect(fixedArea, palette().brush(QPalette::Base));
    const int firstRow = qMax(0, rowAt(fixedArea.top()));
    int lastRow = rowAt(fixedArea.bottom());
    if (lastRow < 0)
        lastRow = model()->rowCount() - 1;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor gridColor =
        QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < model()->columnCount(); ++column) {
            if (!IsFixed(column))
                continue;
            // As the table view paints a cell.
            const QModelIndex index = model()->index(row, column);
            QStyleOptionViewItem cell(option);
            cell.rect = visualRect(index);
            if (selectionModel() && selectionModel()->isSelected(index))
                cell.state |= QStyle::State_Selected;
            if (index == currentIndex() && (hasFocus() || viewport()->hasFocus()))
                cell.state |= QStyle::State_HasFocus;
            if (alternatingRowColors() && (row & 1))
                cell.features |= QStyleOptionViewItem::Alternate;
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &cell, &painter, this);
            if (!indexWidget(index))
                itemDelegateForIndex(index)->paint(&painter, cell, index);
            if (showGrid()) {
                painter.setPen(gridColor);
                painter.drawLine(cell.rect.topRight() + QPoint(1, 0),
                                 cell.rect.bottomRight() + QPoint(1, 1));
                painter.drawLine(cell.rect.bottomLeft() + QPoint(0, 1),
                                 cell.rect.bottomRight() + QPoint(1, 1));
            }
        }
    }
}

// ---- TDBGridTitles ---------------------------------------------------------------------

TDBGridTitles::TDBGridTitles(TDBGrid* grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid) {}

int TDBGridTitles::FixedSectionAt(int x) const {
    if (!m_grid->FixedShifted() || x < 0 || x >= m_grid->FixedWidth())
        return -1;
    const int section = logicalIndexAt(x - offset());
    return m_grid->IsFixed(section) ? section : -1;
}

void TDBGridTitles::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    if (!m_grid->FixedShifted())
        return;
    QPainter painter(viewport());
    for (int v = 0; v < count(); ++v) {
        const int logical = logicalIndex(v);
        if (!m_grid->IsFixed(logical))
            continue;
        const QRect rect(sectionPosition(logical), 0, sectionSize(logical), viewport()->height());
        if (!rect.intersects(event->rect()))
            continue;
        painter.save();
        painter.setClipRect(rect);
        paintSection(&painter, rect, logical);
        painter.restore();
    }
}

// Over a fixed title the mouse clicks that title; resizing is done while not scrolled.
void TDBGridTitles::mousePressEvent(QMouseEvent* event) {
    const int section = FixedSectionAt(event->position().toPoint().x());
    if (section < 0) {
        m_pressed = -1;
        QHeaderView::mousePressEvent(event);
        return;
    }
    m_pressed = event->button() == Qt::LeftButton ? section : -1;
    event->accept();
}

void TDBGridTitles::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressed < 0) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    const int section = FixedSectionAt(event->position().toPoint().x());
    const int pressed = m_pressed;
    m_pressed = -1;
    event->accept();
    if (section == pressed && sectionsClickable())
        Q_EMIT sectionClicked(section);
}

void TDBGridTitles::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed >= 0 || FixedSectionAt(event->position().toPoint().x()) >= 0) {
        event->accept();
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

void TDBGridTitles::mouseDoubleClickEvent(QMouseEvent* event) {
    if (FixedSectionAt(event->position().toPoint().x()) >= 0) {
        event->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(event);
}
