#include "toolkit/vtxYearGrid.h"

#include "toolkit/Dialogs.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

const QColor TYearGrid::FixedColor(0xC0, 0xC0, 0xC0);
const QColor TYearGrid::WeekendColor(0xFF, 0xF4, 0xC8);
const QColor TYearGrid::EmptyColor(0xE8, 0xE8, 0xE8);
const QColor TYearGrid::GridColor(0xC0, 0xC0, 0xC0);

namespace {

int CurrentYear() {
    return QDate::currentDate().year();
}

} // namespace

// ---- the model ---------------------------------------------------------------------------

// The cells of one year. The first column of each month is worked out once per year.
class TYearGridModel : public QAbstractTableModel {
public:
    explicit TYearGridModel(QObject* parent) : QAbstractTableModel(parent) { Build(); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : TYearGrid::Rows;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : TYearGrid::Columns;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        if (DateAt(index.row(), index.column()).isValid())
            return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return Qt::ItemIsEnabled;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const int row = index.row();
        const int column = index.column();
        switch (role) {
        case Qt::DisplayRole:
            return Text(row, column);
        case Qt::TextAlignmentRole:
            return int(column == 0 && row > 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        case Qt::BackgroundRole:
            return Background(row, column);
        case Qt::ToolTipRole: {
            const QDate date = DateAt(row, column);
            return date.isValid() ? QVariant(notes.value(date).text) : QVariant();
        }
        case Qt::FontRole:
            if (DateAt(row, column) == QDate::currentDate() || (row == 0 && column == 0)) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case TYearGrid::DateRole:
            return DateAt(row, column);
        case TYearGrid::WeekendRole:
            return IsWeekend(row, column);
        }
        return {};
    }

    // Rebuilds the cells after a change of year or of the week's layout.
    void Build() {
        beginResetModel();
        for (int m = 1; m <= 12; ++m) {
            const QDate first(year, m, 1);
            offsets[m] = (first.dayOfWeek() - firstDay + 7) % 7;
            lengths[m] = first.daysInMonth();
        }
        endResetModel();
    }

    // Qt numbers weekdays Monday 1 to Sunday 7.
    int WeekdayOfColumn(int column) const { return (firstDay - 1 + column - 1) % 7 + 1; }

    QDate DateAt(int row, int column) const {
        if (row < 1 || row > 12 || column < 1 || column >= TYearGrid::Columns)
            return {};
        const int day = column - offsets[row];
        if (day < 1 || day > lengths[row])
            return {};
        return QDate(year, row, day);
    }

    QModelIndex IndexOf(const QDate& date) const {
        if (!date.isValid() || date.year() != year)
            return {};
        return index(date.month(), offsets[date.month()] + date.day());
    }

    bool IsWeekend(int row, int column) const {
        if (column < 1 || (row > 0 && !DateAt(row, column).isValid()))
            return false;
        return weekend.contains(Qt::DayOfWeek(WeekdayOfColumn(column)));
    }

    QString Text(int row, int column) const {
        if (row == 0 && column == 0)
            return QString::number(year);
        if (row == 0)
            return QLocale().dayName(WeekdayOfColumn(column), QLocale::NarrowFormat);
        if (column == 0)
            return QLocale().monthName(row, QLocale::ShortFormat);
        const QDate date = DateAt(row, column);
        return date.isValid() ? QString::number(date.day()) : QString();
    }

    QColor Background(int row, int column) const {
        if (row == 0 || column == 0)
            return TYearGrid::FixedColor;
        const QDate date = DateAt(row, column);
        if (!date.isValid())
            return TYearGrid::EmptyColor;
        const auto note = notes.constFind(date);
        if (note != notes.constEnd() && note->color.isValid())
            return note->color;
        return IsWeekend(row, column) ? TYearGrid::WeekendColor : QColor(Qt::white);
    }

    void DateChanged(const QDate& date) {
        const QModelIndex cell = IndexOf(date);
        if (cell.isValid())
            Q_EMIT dataChanged(cell, cell);
    }

    int year = CurrentYear();
    int firstDay = Qt::Sunday;
    QList<Qt::DayOfWeek> weekend = {Qt::Saturday, Qt::Sunday};
    QMap<QDate, TYearNote> notes;
    int offsets[13] = {};
    int lengths[13] = {};
};

// ---- painting ----------------------------------------------------------------------------

namespace {

// Paints a cell as the year grid shows it: its background, the selection, and the text
// inside a margin of 2 pixels, never shortened with an ellipsis (a day number fills most of
// a 16-pixel column).
class TYearGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        const QColor background = index.data(Qt::BackgroundRole).value<QColor>();
        painter->fillRect(option.rect, selected ? option.palette.highlight().color() : background);
        const QVariant font = index.data(Qt::FontRole);
        QFont f = option.font;
        if (font.isValid())
            f.setBold(font.value<QFont>().bold());
        painter->setFont(f);
        painter->setPen(selected ? option.palette.highlightedText().color() : QColor(Qt::black));
        const QRect text =
            option.rect.adjusted(TYearGrid::CellMargin, 0, -TYearGrid::CellMargin, 0);
        painter->drawText(text, index.data(Qt::TextAlignmentRole).toInt(),
                          index.data(Qt::DisplayRole).toString());
        if (!index.data(Qt::ToolTipRole).toString().isEmpty()) {
            // A note: a small dark corner at the top right.
            const QRect r = option.rect;
            const QPoint corner[3] = {r.topRight() + QPoint(-4, 0), r.topRight(),
                                      r.topRight() + QPoint(0, 4)};
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor(0x80, 0, 0));
            painter->drawPolygon(corner, 3);
        }
        painter->restore();
    }
};

} // namespace

// ---- the grid ----------------------------------------------------------------------------

TYearGrid::TYearGrid(QWidget* parent)
    : QTableView(parent), EditNoteAction(new QAction("&Edit Note...", this)),
      ClearNoteAction(new QAction("&Clear Note", this)), FindAction(new QAction("&Find...", this)),
      FindNextAction(new QAction("Find &Next", this)),
      SavePageAction(new QAction("Save as &Web Page...", this)), m_model(new TYearGridModel(this)) {
    setModel(m_model);
    setItemDelegate(new TYearGridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setDefaultSectionSize(DayColumnWidth);
    setColumnWidth(0, FirstColumnWidth);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setStyleSheet(QString("QTableView { gridline-color: %1; }").arg(GridColor.name()));
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    connect(EditNoteAction, &QAction::triggered, this, [this] { EditNote(SelectedDate()); });
    connect(ClearNoteAction, &QAction::triggered, this, [this] { ClearNote(SelectedDate()); });
    connect(FindAction, &QAction::triggered, this, &TYearGrid::Find);
    connect(FindNextAction, &QAction::triggered, this, &TYearGrid::FindNext);
    connect(SavePageAction, &QAction::triggered, this, &TYearGrid::SavePage);
    UpdateActions();
    FitSize();
}

TYearGrid::~TYearGrid() = default;

void TYearGrid::FitSize() {
    const int frame = 2 * frameWidth();
    setFixedSize(FirstColumnWidth + (Columns - 1) * DayColumnWidth + frame,
                 Rows * RowHeight + frame);
}

int TYearGrid::Year() const {
    return m_model->year;
}

void TYearGrid::SetYear(int year) {
    if (year < 1 || year > 9999)
        year = CurrentYear();
    if (year == m_model->year)
        return;
    m_model->year = year;
    m_model->notes.clear();
    m_model->Build();
    UpdateActions();
    Q_EMIT yearChanged(year);
}

Qt::DayOfWeek TYearGrid::FirstDayOfWeek() const {
    return Qt::DayOfWeek(m_model->firstDay);
}

void TYearGrid::SetFirstDayOfWeek(Qt::DayOfWeek day) {
    const QDate selected = SelectedDate();
    m_model->firstDay = day;
    m_model->Build();
    SelectDate(selected);
}

QList<Qt::DayOfWeek> TYearGrid::WeekendDays() const {
    return m_model->weekend;
}

void TYearGrid::SetWeekendDays(const QList<Qt::DayOfWeek>& days) {
    m_model->weekend = days;
    Q_EMIT m_model->dataChanged(m_model->index(0, 0), m_model->index(Rows - 1, Columns - 1));
}

QString TYearGrid::CellText(int row, int column) const {
    return m_model->Text(row, column);
}

QDate TYearGrid::DateAt(int row, int column) const {
    return m_model->DateAt(row, column);
}

QModelIndex TYearGrid::IndexOfDate(const QDate& date) const {
    return m_model->IndexOf(date);
}

bool TYearGrid::IsWeekendCell(int row, int column) const {
    return m_model->IsWeekend(row, column);
}

QDate TYearGrid::SelectedDate() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? DateAt(current.row(), current.column()) : QDate();
}

bool TYearGrid::SelectDate(const QDate& date) {
    const QModelIndex cell = IndexOfDate(date);
    if (!cell.isValid())
        return false;
    setCurrentIndex(cell);
    return true;
}

void TYearGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    UpdateActions();
    const QDate date = current.isValid() ? DateAt(current.row(), current.column()) : QDate();
    if (date.isValid())
        Q_EMIT dateSelected(date);
}

void TYearGrid::UpdateActions() {
    const QDate date = SelectedDate();
    EditNoteAction->setEnabled(date.isValid());
    ClearNoteAction->setEnabled(HasNote(date));
    FindNextAction->setEnabled(!m_findText.isEmpty());
}

// ---- notes -------------------------------------------------------------------------------

TYearNote TYearGrid::Note(const QDate& date) const {
    return m_model->notes.value(date);
}

bool TYearGrid::HasNote(const QDate& date) const {
    return m_model->notes.contains(date);
}

bool TYearGrid::SetNote(const QDate& date, const TYearNote& note) {
    if (!IndexOfDate(date).isValid())
        return false;
    if (note.text.trimmed().isEmpty())
        m_model->notes.remove(date);
    else
        m_model->notes.insert(date, note);
    m_model->DateChanged(date);
    UpdateActions();
    return true;
}

void TYearGrid::ClearNote(const QDate& date) {
    if (m_model->notes.remove(date))
        m_model->DateChanged(date);
    UpdateActions();
}

void TYearGrid::ClearNotes() {
    const QList<QDate> dates = NoteDates();
    m_model->notes.clear();
    for (const QDate& d : dates)
        m_model->DateChanged(d);
    UpdateActions();
}

QList<QDate> TYearGrid::NoteDates() const {
    return m_model->notes.keys();
}

bool TYearGrid::EditNote(const QDate& date) {
    if (!IndexOfDate(date).isValid())
        return false;
    TYearNoteDialog dialog(date, Note(date), this);
    if (Dialogs::ShowModal(&dialog) != QDialog::Accepted)
        return false;
    SetNote(date, dialog.Result());
    return true;
}

bool TYearGrid::FindNote(const QString& text) {
    const QString wanted = text.trimmed();
    const QMap<QDate, TYearNote>& notes = m_model->notes;
    if (wanted.isEmpty() || notes.isEmpty())
        return false;
    const QDate selected = SelectedDate();
    // The notes after the selected date first, then from the start of the year.
    auto start = selected.isValid() ? notes.upperBound(selected) : notes.constBegin();
    for (int pass = 0; pass < 2; ++pass) {
        const auto end = pass == 0 ? notes.constEnd() : start;
        for (auto it = pass == 0 ? start : notes.constBegin(); it != end; ++it)
            if (it->text.contains(wanted, Qt::CaseInsensitive))
                return SelectDate(it.key());
    }
    return false;
}

void TYearGrid::Find() {
    QString text = m_findText;
    if (!Dialogs::InputQuery("Find", "Find a note containing:", text) || text.trimmed().isEmpty())
        return;
    m_findText = text.trimmed();
    UpdateActions();
    FindNext();
}

void TYearGrid::FindNext() {
    if (m_findText.isEmpty())
        return;
    if (!FindNote(m_findText))
        Dialogs::ShowMessage(QString("No note contains \"%1\".").arg(m_findText));
}

QList<QPair<QString, QColor>> TYearGrid::NoteColors() {
    return {{"Yellow", QColor(0xFF, 0xFF, 0x80)}, {"Aqua", QColor(0x80, 0xFF, 0xFF)},
            {"Lime", QColor(0xA0, 0xFF, 0xA0)},   {"Pink", QColor(0xFF, 0xC0, 0xCB)},
            {"Orange", QColor(0xFF, 0xC8, 0x80)}, {"Lavender", QColor(0xD8, 0xC8, 0xFF)}};
}

// ---- keys and the pop-up menu ------------------------------------------------------------

void TYearGrid::keyPressEvent(QKeyEvent* event) {
    const QDate date = SelectedDate();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (date.isValid()) {
            EditNote(date);
            return;
        }
        break;
    case Qt::Key_Delete:
        if (HasNote(date)) {
            ClearNote(date);
            return;
        }
        break;
    case Qt::Key_F3:
        FindNext();
        return;
    default:
        if (event->matches(QKeySequence::Find)) {
            Find();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void TYearGrid::contextMenuEvent(QContextMenuEvent* event) {
    // A click makes the day under the mouse current; the menu key keeps the current cell.
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex cell = indexAt(event->pos());
        if (cell.isValid() && DateAt(cell.row(), cell.column()).isValid())
            setCurrentIndex(cell);
    }
    UpdateActions();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(EditNoteAction);
    menu->addAction(ClearNoteAction);
    menu->addSeparator();
    menu->addAction(FindAction);
    menu->addAction(FindNextAction);
    menu->addSeparator();
    menu->addAction(SavePageAction);
    // Not exec(): nothing in the program waits on a pop-up.
    menu->popup(event->globalPos());
}

// ---- the web page ------------------------------------------------------------------------

QString TYearGrid::HtmlPage() const {
    QString html;
    html += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
            QString::number(Year()) + "</title>\n</head>\n<body>\n";
    html += "<table border=\"0\" cellspacing=\"0\" cellpadding=\"2\" "
            "style=\"font-family: Arial; border: none\">\n";
    for (int row = 0; row < Rows; ++row) {
        html += "<tr>";
        for (int column = 0; column < Columns; ++column) {
            const QDate date = DateAt(row, column);
            html += QString("<td align=\"%1\" bgcolor=\"%2\"")
                        .arg(column == 0 && row > 0 ? "left" : "center",
                             m_model->Background(row, column).name());
            if (HasNote(date))
                html += " title=\"" + Note(date).text.toHtmlEscaped() + "\"";
            html += ">" + CellText(row, column).toHtmlEscaped() + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n</body>\n</html>\n";
    return html;
}

bool TYearGrid::WritePage(const QString& fileName) const {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(HtmlPage().toUtf8());
    return file.commit();
}

void TYearGrid::SavePage() {
    const QString suggested = QDir::home().filePath(QString("Year %1.html").arg(Year()));
    const QString fileName =
        Dialogs::SaveFileName("Save as Web Page", suggested, "Web pages (*.html *.htm)");
    if (fileName.isEmpty())
        return;
    if (!WritePage(fileName))
        Dialogs::ErrorBox(QString("The web page could not be written to %1.")
                              .arg(QDir::toNativeSeparators(fileName)));
}

// ---- the note dialog ---------------------------------------------------------------------

TYearNoteDialog::TYearNoteDialog(const QDate& date, const TYearNote& note, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Day Note");
    DateLabel = new QLabel(QLocale().toString(date, QLocale::LongFormat), this);
    QFont bold = DateLabel->font();
    bold.setBold(true);
    DateLabel->setFont(bold);
    NoteEdit = new QPlainTextEdit(note.text, this);
    NoteEdit->setTabChangesFocus(true);
    ColorBox = new QComboBox(this);
    for (const auto& [name, color] : TYearGrid::NoteColors())
        ColorBox->addItem(name, color);
    const int chosen = ColorBox->findData(note.color);
    ColorBox->setCurrentIndex(chosen >= 0 ? chosen : 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("&Note:", NoteEdit);
    form->addRow("&Colour:", ColorBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DateLabel);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(340, 200);
}

TYearNote TYearNoteDialog::Result() const {
    return {NoteEdit->toPlainText().trimmed(), ColorBox->currentData().value<QColor>()};
}
