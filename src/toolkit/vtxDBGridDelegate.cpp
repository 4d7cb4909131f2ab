// The grid's row indicator and its cell painting and editors.
#include "toolkit/vtxDBGrid.h"

#include "engine/DataSet.h"
#include "toolkit/vtxDateEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {
// Dynamic properties of a cell editor whose typing is written while it is typed.
constexpr char kWritesWhileTyping[] = "vtxWritesWhileTyping";
constexpr char kValueBefore[] = "vtxValueBefore";
} // namespace

// ---- TDBGridIndicator ---------------------------------------------------------------------

TDBGridIndicator::TDBGridIndicator(TDBGrid* grid) : QHeaderView(Qt::Vertical, grid), m_grid(grid) {}

QSize TDBGridIndicator::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setWidth(14);
    return s;
}

void TDBGridIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (logicalIndex != m_grid->CursorRow())
        return;
    const DataSet* ds = m_grid->GetDataSet();
    painter->save();
    // The style may leave an empty clip behind after drawing the section.
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setBrush(palette().color(QPalette::ButtonText));
    const QPoint c = rect.center();
    if (ds && ds->State() == DataSetState::Edit) {
        painter->drawText(rect, Qt::AlignCenter, "I");
    } else if (ds && ds->State() == DataSetState::Insert) {
        painter->drawText(rect, Qt::AlignCenter, "*");
    } else {
        const QPolygon arrow(
            {QPoint(c.x() - 2, c.y() - 4), QPoint(c.x() + 2, c.y()), QPoint(c.x() - 2, c.y() + 4)});
        painter->drawPolygon(arrow);
    }
    painter->restore();
}

// ---- TDBGridDelegate ------------------------------------------------------------------------

TDBGridDelegate::TDBGridDelegate(TDBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    TDBGridModel* model = m_grid->GridModel();
    const int column = index.column();
    QWidget* editor = nullptr;
    auto* self = const_cast<TDBGridDelegate*>(this);
    switch (model->EditorKind(column)) {
    case TColumnEditor::Check:
    case TColumnEditor::None:
        return nullptr;
    case TColumnEditor::Date: {
        auto* date = new TDateEdit(parent);
        date->SetValidateOnExit(false);
        date->SetCalendarStyle(model->Column(column).CalendarStyle);
        date->setFrame(false);
        connect(date, &TDateEdit::dateChosen, self,
                [self, date] { Q_EMIT self->commitData(date); });
        editor = date;
        break;
    }
    case TColumnEditor::Lookup: {
        auto* combo = new QComboBox(parent);
        const TDBGridColumn& c = model->Column(column);
        DataSet* list = c.LookupSource ? c.LookupSource->GetDataSet() : nullptr;
        Field* shown = list && list->Active() ? list->FindField(c.LookupField) : nullptr;
        Field* key =
            list && list->Active()
                ? list->FindField(c.LookupKeyField.isEmpty() ? c.LookupField : c.LookupKeyField)
                : nullptr;
        if (shown && key) {
            for (int r = 0; r < list->DisplayRowCount(); ++r)
                combo->addItem(list->DisplayText(r, shown->Index()),
                               list->DisplayValue(r, key->Index()));
        } else {
            for (const QString& s : c.PickList)
                combo->addItem(s, s);
        }
        TDBGrid* grid = m_grid;
        connect(combo, &QComboBox::activated, self, [self, combo, grid, column](int item) {
            const QString text = combo->itemText(item);
            const QVariant value = combo->itemData(item);
            combo->setCurrentIndex(item);
            grid->GridModel()->ClearWriteFailed();
            Q_EMIT self->commitData(combo);
            if (!grid->GridModel()->LastWriteFailed())
                grid->LookupChosen(column, text, value);
        });
        QTimer::singleShot(0, combo, [combo] {
            if (combo->isVisible())
                combo->showPopup();
        });
        editor = combo;
        break;
    }
    case TColumnEditor::Auto:
    case TColumnEditor::Text: {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        Field* f = model->ColumnField(column);
        if (f && f->DataType() == FieldType::Text && f->Size() > 0)
            line->setMaxLength(f->Size());
        line->setAlignment(model->CellAlignment(column));
        if (model->Column(column).WriteWhileTyping && f) {
            // What the field held before the typing, for Escape.
            line->setProperty(kWritesWhileTyping, true);
            line->setProperty(kValueBefore, f->Value());
            const QPersistentModelIndex at(index);
            connect(line, &QLineEdit::textEdited, self,
                    [model, at](const QString& text) { model->WriteTyped(at, text); });
        }
        editor = line;
        break;
    }
    }
    Q_UNUSED(option);
    Q_EMIT m_grid->editorOpened(column);
    return editor;
}

void TDBGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(index.data(Qt::DisplayRole).toString()));
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // Keep what is being typed when the row is repainted under the editor.
        if (!line->isModified())
            line->setText(text);
    }
}

void TDBGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return;
        model->setData(index, combo->currentData(), Qt::EditRole);
        return;
    }
    const QString text = EditorText(editor);
    // An untouched editor writes nothing (the model compares values as well).
    if (text == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, text, Qt::EditRole);
}

QString TDBGridDelegate::EditorText(QWidget* editor) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text();
    return {};
}

void TDBGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

void TDBGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::destroyEditor(editor, index);
    Q_EMIT m_grid->editorClosed(index.column());
}

void TDBGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (m_grid->GridModel()->EditorKind(index.column()) != TColumnEditor::Check) {
        PaintTextCell(painter, opt, style);
        return;
    }
    const Qt::CheckState state = opt.checkState;
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QStyleOptionViewItem check(opt);
    const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, widget),
                     style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, widget));
    check.rect = QStyle::alignedRect(opt.direction, Qt::AlignCenter, size, option.rect);
    check.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    check.state |= state == Qt::Checked     ? QStyle::State_On
                   : state == Qt::Unchecked ? QStyle::State_Off
                                            : QStyle::State_NoChange;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
}

// A text cell: its background, its text on one line ending in "…" where the cell cuts it,
// and the focus frame. The grid paints every visible cell at each move of the cursor, so this
// skips the style's item layout, which would lay out each text as a paragraph.
void TDBGridDelegate::PaintTextCell(QPainter* painter, const QStyleOptionViewItem& opt,
                                    const QStyle* style) const {
    if (opt.features & QStyleOptionViewItem::HasDecoration) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        return;
    }
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
    const bool selected = opt.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Highlight));
    else if (opt.backgroundBrush.style() != Qt::NoBrush)
        painter->fillRect(opt.rect, opt.backgroundBrush);
    if (!opt.text.isEmpty()) {
        const int margin =
            style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(
            opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect room = opt.rect.adjusted(margin, 0, -margin, 0);
        // A text cut at the cell's edge ends in "…" (most texts fit: measured only when
        // they might not).
        QString text = opt.text;
        const QFontMetrics metrics = painter->fontMetrics();
        if (text.size() * metrics.maxWidth() > room.width() &&
            metrics.horizontalAdvance(text) > room.width())
            text = metrics.elidedText(text, Qt::ElideRight, room.width());
        painter->drawText(room, int(opt.displayAlignment) | Qt::TextSingleLine, text);
        painter->restore();
    }
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.backgroundColor =
            opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
    }
}

bool TDBGridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (m_grid->GridModel()->EditorKind(index.column()) != TColumnEditor::Check)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (!(model->flags(index) & Qt::ItemIsUserCheckable))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        toggle =
            mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        return true;
    } else if (event->type() == QEvent::KeyPress) {
        toggle = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    }
    if (!toggle || index.row() != m_grid->CursorRow())
        return false;
    // Undecided and cleared boxes become ticked, ticked ones cleared.
    const int state = index.data(Qt::CheckStateRole).toInt();
    model->setData(index, state == Qt::Checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

bool TDBGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QModelIndex index = m_grid->currentIndex();
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Insert && mods == Qt::NoModifier) ||
            (key->key() == Qt::Key_Delete && mods == Qt::ControlModifier)) {
            // Insert and Ctrl+Delete work on rows from a cell editor too.
            m_grid->keyPressEvent(key);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            // The first Escape drops what was typed in the cell; an Escape on an untouched
            // cell cancels the row's changes.
            bool typed = EditorText(editor) != index.data(Qt::EditRole).toString();
            if (editor->property(kWritesWhileTyping).toBool()) {
                // The typing went into the field already: put back what it held before.
                const QVariant before = editor->property(kValueBefore);
                const QVariant now = index.data(Qt::EditRole);
                Field* f = m_grid->GridModel()->ColumnField(index.column());
                if (f && f->FormatString(before) != now.toString()) {
                    m_grid->GridModel()->RestoreValue(index, before);
                    typed = true;
                }
            }
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            if (!typed)
                m_grid->CancelRow();
            return true;
        }
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(m_grid->GetOptions() & TDBGrid::Tabs)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (key->key() == Qt::Key_Tab)
                m_grid->focusNextChild();
            else
                m_grid->focusPreviousChild();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---- TDBGridExportSource -----------------------------------------------------------------------

QStringList TDBGridExportSource::Titles() {
    m_columns = m_grid->VisibleColumns();
    QStringList titles;
    for (int c : m_columns)
        titles << m_grid->GridModel()->ColumnTitle(c);
    return titles;
}

int TDBGridExportSource::RowCount() {
    if (m_columns.isEmpty())
        m_columns = m_grid->VisibleColumns();
    DataSet* ds = m_grid->GetDataSet();
    return ds && ds->Active() ? ds->DisplayRowCount() : 0;
}

QStringList TDBGridExportSource::Row(int row) {
    QStringList texts;
    DataSet* ds = m_grid->GetDataSet();
    for (int c : m_columns) {
        Field* f = m_grid->GridModel()->ColumnField(c);
        texts << (f && ds ? ds->DisplayText(row, f->Index()) : QString());
    }
    return texts;
}
