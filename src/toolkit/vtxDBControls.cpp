#include "toolkit/vtxDBControls.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/Field.h"
#include "toolkit/vtxWindowHabits.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {

bool LeavesWindow(const QFocusEvent* event) {
    // Focus going to another window (a message box, a pop-up) is not leaving the control.
    return event->reason() == Qt::ActiveWindowFocusReason ||
           event->reason() == Qt::PopupFocusReason;
}

// Writes the control's pending value when it is left; on refusal the error is shown and
// the control takes the focus back.
bool WriteOnExit(QWidget* control, TFieldDataLink* link) {
    if (!link->IsModified())
        return true;
    if (RunAction([link] { link->UpdateRecord(); }))
        return true;
    QTimer::singleShot(0, control, [control] {
        control->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->selectAll();
    });
    return false;
}

} // namespace

// ---- TDBEdit ---------------------------------------------------------------------------

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent) {
    Init();
}

TDBEdit::TDBEdit(DataSource* source, const QString& field, QWidget* parent) : QLineEdit(parent) {
    Init();
    m_link->SetFieldName(field);
    m_link->SetDataSource(source);
}

void TDBEdit::Init() {
    m_link = new TFieldDataLink(this);
    m_link->OnDataChange = [this] { LoadFromField(); };
    m_link->OnStateChange = [this] { UpdateState(); };
    m_link->OnUpdateData = [this] {
        if (Field* f = GetField())
            WriteField(f, text());
    };
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::TextEdited);
    UpdateState();
}

void TDBEdit::SetReadOnly(bool readOnly) {
    m_link->ReadOnly = readOnly;
    UpdateState();
}

QString TDBEdit::FieldText(Field* field, bool focused) const {
    return focused ? field->AsString() : field->DisplayText();
}

void TDBEdit::WriteField(Field* field, const QString& text) {
    field->SetAsString(text);
}

void TDBEdit::LoadFromField() {
    Field* f = GetField();
    m_loading = true;
    const bool limited = f && f->DataType() == FieldType::Text && f->Size() > 0;
    setMaxLength(limited ? f->Size() : 32767);
    const QString shown = f ? FieldText(f, hasFocus()) : QString();
    if (text() != shown) {
        setText(shown);
        // A text wider than the box shows its beginning, unless the user is in the box.
        if (!hasFocus())
            setCursorPosition(0);
    }
    m_loading = false;
}

void TDBEdit::UpdateState() {
    setReadOnly(!m_link->CanModify());
}

void TDBEdit::TextEdited() {
    if (m_loading)
        return;
    if (!m_link->Editing() && !m_link->Edit()) {
        LoadFromField();
        return;
    }
    m_link->SetModified();
}

void TDBEdit::focusInEvent(QFocusEvent* event) {
    // The edit form first, so that the selection the focus brings covers it.
    if (!m_link->IsModified())
        LoadFromField();
    QLineEdit::focusInEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (LeavesWindow(event))
        return;
    if (WriteOnExit(this, m_link) && !m_link->IsModified()) {
        LoadFromField();
        setCursorPosition(0); // left: the box shows the beginning of its text again
    }
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_link->IsModified()) {
        m_link->Reset();
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// ---- TDBTimeEdit -----------------------------------------------------------------------

TDBTimeEdit::TDBTimeEdit(QWidget* parent) : TDBEdit(parent) {}

TDBTimeEdit::TDBTimeEdit(DataSource* source, const QString& field, QWidget* parent)
    : TDBEdit(parent) {
    SetDataField(field);
    SetDataSource(source);
}

QString TDBTimeEdit::FieldText(Field* field, bool focused) const {
    if (field->DataType() != FieldType::Time)
        return TDBEdit::FieldText(field, focused);
    return field->IsNull() ? QString() : FormatTime(field->AsTime());
}

void TDBTimeEdit::WriteField(Field* field, const QString& text) {
    // The field reads the text by its own rules and refuses what is not a time.
    field->SetAsString(text.trimmed());
}

// ---- TDBMemo ---------------------------------------------------------------------------

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent) {
    Init();
}

TDBMemo::TDBMemo(DataSource* source, const QString& field, QWidget* parent)
    : QPlainTextEdit(parent) {
    Init();
    m_link->SetFieldName(field);
    m_link->SetDataSource(source);
}

void TDBMemo::Init() {
    m_link = new TFieldDataLink(this);
    m_link->OnDataChange = [this] { LoadFromField(); };
    m_link->OnStateChange = [this] { UpdateState(); };
    m_link->OnUpdateData = [this] {
        if (Field* f = GetField())
            f->SetAsString(toPlainText());
    };
    connect(document(), &QTextDocument::contentsChanged, this, &TDBMemo::ContentsChanged);
    UpdateState();
}

void TDBMemo::SetReadOnly(bool readOnly) {
    m_link->ReadOnly = readOnly;
    UpdateState();
}

void TDBMemo::LoadFromField() {
    Field* f = GetField();
    const QString shown = f ? f->AsString() : QString();
    if (toPlainText() == shown)
        return;
    m_loading = true;
    setPlainText(shown);
    m_loading = false;
}

void TDBMemo::UpdateState() {
    setReadOnly(!m_link->CanModify());
}

bool TDBMemo::BeforeChange() {
    return m_link->Editing() || m_link->Edit();
}

void TDBMemo::ContentsChanged() {
    if (m_loading)
        return;
    if (!m_link->Editing() && !m_link->Edit()) {
        QTimer::singleShot(0, this, [this] { m_link->Reset(); });
        return;
    }
    m_link->SetModified();
}

void TDBMemo::keyPressEvent(QKeyEvent* event) {
    const bool changes = !event->text().isEmpty() || event->key() == Qt::Key_Backspace ||
                         event->key() == Qt::Key_Delete || event->matches(QKeySequence::Paste) ||
                         event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo);
    if (event->key() == Qt::Key_Escape) {
        if (m_link->IsModified()) {
            m_link->Reset();
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    if (changes && !isReadOnly() && !BeforeChange()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::insertFromMimeData(const QMimeData* source) {
    if (BeforeChange())
        QPlainTextEdit::insertFromMimeData(source);
}

void TDBMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (!LeavesWindow(event))
        WriteOnExit(this, m_link);
}

// ---- TDBCheckBox -------------------------------------------------------------------------

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent) {
    Init();
}

TDBCheckBox::TDBCheckBox(const QString& caption, DataSource* source, const QString& field,
                         QWidget* parent)
    : QCheckBox(caption, parent) {
    Init();
    m_link->SetFieldName(field);
    m_link->SetDataSource(source);
}

void TDBCheckBox::Init() {
    setTristate(true);
    m_link = new TFieldDataLink(this);
    m_link->OnDataChange = [this] { LoadFromField(); };
    LoadFromField();
}

void TDBCheckBox::LoadFromField() {
    Field* f = GetField();
    m_loading = true;
    if (!f || f->IsNull())
        setCheckState(Qt::PartiallyChecked);
    else
        setCheckState(f->AsBoolean() ? Qt::Checked : Qt::Unchecked);
    m_loading = false;
}

void TDBCheckBox::nextCheckState() {
    // Undecided and cleared boxes become ticked, ticked ones cleared; the value is
    // written into the row at once.
    if (!m_link->Edit())
        return;
    const bool tick = checkState() != Qt::Checked;
    Field* f = GetField();
    if (!RunAction([f, tick] { f->SetAsBoolean(tick); }))
        LoadFromField();
}

// ---- TDBText -------------------------------------------------------------------------------

TDBText::TDBText(QWidget* parent) : QLabel(parent) {
    Init();
}

TDBText::TDBText(DataSource* source, const QString& field, QWidget* parent) : QLabel(parent) {
    Init();
    m_link->SetFieldName(field);
    m_link->SetDataSource(source);
}

void TDBText::Init() {
    m_link = new TFieldDataLink(this);
    m_link->OnDataChange = [this] {
        Field* f = GetField();
        setText(f ? f->DisplayText() : QString());
    };
}

// ---- TDBLookupList -------------------------------------------------------------------------

TDBLookupList::TDBLookupList(QWidget* parent) : QListWidget(parent) {
    Init();
}

void TDBLookupList::Init() {
    setSelectionMode(QAbstractItemView::SingleSelection);
    m_link = new TFieldDataLink(this);
    m_link->OnDataChange = [this] { SyncWithField(); };
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ChooseRow(row(item)); });
}

void TDBLookupList::SetListSource(DataSource* source) {
    for (const QMetaObject::Connection& c : m_listConnections)
        disconnect(c);
    m_listConnections.clear();
    m_listSource = source;
    if (source) {
        m_listConnections << connect(source, &DataSource::rowsChanged, this,
                                     &TDBLookupList::LoadItems);
        m_listConnections << connect(source, &DataSource::stateChanged, this,
                                     &TDBLookupList::LoadItems);
    }
    LoadItems();
}

void TDBLookupList::SetListField(const QString& field) {
    m_listField = field;
    LoadItems();
}

void TDBLookupList::SetKeyField(const QString& field) {
    m_keyField = field;
    LoadItems();
}

void TDBLookupList::LoadItems() {
    m_loading = true;
    clear();
    DataSet* ds = m_listSource ? m_listSource->GetDataSet() : nullptr;
    Field* shown = ds && ds->Active() ? ds->FindField(m_listField) : nullptr;
    Field* key = ds && ds->Active() ? ds->FindField(m_keyField.isEmpty() ? m_listField : m_keyField)
                                    : nullptr;
    if (shown && key) {
        const int rows = ds->DisplayRowCount();
        for (int r = 0; r < rows; ++r) {
            auto* item = new QListWidgetItem(ds->DisplayText(r, shown->Index()), this);
            item->setData(Qt::UserRole, ds->DisplayValue(r, key->Index()));
        }
    }
    m_loading = false;
    SyncWithField();
}

void TDBLookupList::SyncWithField() {
    Field* f = GetField();
    const QVariant value = f ? f->Value() : QVariant();
    int found = -1;
    if (value.isValid() && !value.isNull())
        for (int r = 0; r < count() && found < 0; ++r)
            if (item(r)->data(Qt::UserRole).toString() == value.toString())
                found = r;
    m_loading = true;
    setCurrentRow(found);
    if (found < 0)
        clearSelection();
    m_loading = false;
}

QString TDBLookupList::SelectedValue() const {
    return currentItem() ? currentItem()->text() : QString();
}

bool TDBLookupList::Choose(const QString& listText) {
    for (int r = 0; r < count(); ++r)
        if (item(r)->text() == listText) {
            setCurrentRow(r);
            ChooseRow(r);
            return true;
        }
    return false;
}

void TDBLookupList::ChooseRow(int row) {
    QListWidgetItem* chosen = item(row);
    Field* f = GetField();
    if (m_loading || !chosen || !f)
        return;
    const QVariant key = chosen->data(Qt::UserRole);
    const QString text = chosen->text();
    if (!m_link->Edit() || !RunAction([f, key] { f->SetValue(key); })) {
        SyncWithField();
        return;
    }
    // The chosen value's row becomes the current row of the other table.
    DataSet* list = m_listSource ? m_listSource->GetDataSet() : nullptr;
    const QString keyField = m_keyField.isEmpty() ? m_listField : m_keyField;
    if (list && list->Active())
        RunAction([list, keyField, key] { list->Locate(keyField, {key}); });
    Q_EMIT picked(text);
}

void TDBLookupList::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        ChooseRow(currentRow());
}

void TDBLookupList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    // The focus alone highlights nothing: the highlighted item is the row's value.
    SyncWithField();
}
