#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <deque>

namespace Dialogs {
namespace {

struct Script {
    bool scripted = false;
    bool alert = false;
    std::deque<int> buttons;
    std::deque<std::pair<bool, QString>> inputs;
    std::deque<QString> files;
    std::deque<std::function<int(QDialog*)>> modals;
    std::function<int(QDialog*)> defaultModal;
    QList<Shown> log;
};

Script& S() {
    static Script script;
    return script;
}

QString Caption(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationName() : caption;
}

void Record(const QString& kind, const QString& caption, const QString& text,
            Icon icon = Icon::None, Buttons buttons = {}) {
    S().log.append(Shown{kind, caption, text, icon, buttons});
}

QMessageBox::Icon ToQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The facade's buttons and Qt's, one for one.
constexpr std::pair<Button, QMessageBox::StandardButton> kQtButtons[] = {
    {Ok, QMessageBox::Ok},
    {Cancel, QMessageBox::Cancel},
    {Yes, QMessageBox::Yes},
    {No, QMessageBox::No}};

QMessageBox::StandardButtons ToQt(Buttons buttons) {
    QMessageBox::StandardButtons qt;
    for (const auto& [ours, theirs] : kQtButtons)
        if (buttons.testFlag(ours))
            qt |= theirs;
    return qt;
}

int FromQt(int qtButton) {
    for (const auto& [ours, theirs] : kQtButtons)
        if (qtButton == theirs)
            return ours;
    return Cancel; // the box was closed without a button
}

int DefaultButton(Buttons buttons) {
    for (Button b : {Ok, Yes, No, Cancel})
        if (buttons.testFlag(b))
            return b;
    return Ok;
}

} // namespace

int Message(const QString& text, Icon icon, Buttons buttons, const QString& caption) {
    if (S().alert)
        QApplication::beep();
    if (S().scripted) {
        Record("message", Caption(caption), text, icon, buttons);
        if (!S().buttons.empty()) {
            const int b = S().buttons.front();
            S().buttons.pop_front();
            return b;
        }
        return DefaultButton(buttons);
    }
    QMessageBox box(ToQt(icon), Caption(caption), text, ToQt(buttons),
                    QApplication::activeWindow());
    return FromQt(box.exec());
}

void ShowMessage(const QString& text) {
    Message(text);
}

void ErrorBox(const QString& text) {
    if (S().scripted) {
        if (S().alert)
            QApplication::beep();
        Record("error", Caption({}), text, Icon::Error, Ok);
        return;
    }
    Message(text, Icon::Error);
}

QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue) {
    QString value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value, bool password,
                int maxLength) {
    if (S().scripted) {
        Record("query", caption, prompt);
        if (S().inputs.empty())
            return false;
        auto [ok, text] = S().inputs.front();
        S().inputs.pop_front();
        if (ok) {
            value = maxLength > 0 ? text.left(maxLength) : text;
        }
        return ok;
    }
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    if (maxLength > 0) {
        if (auto* edit = dialog.findChild<QLineEdit*>())
            edit->setMaxLength(maxLength);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}

QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) {
    if (S().scripted) {
        Record("open", caption, folder);
        if (S().files.empty())
            return {};
        const QString f = S().files.front();
        S().files.pop_front();
        return f;
    }
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
}

QString SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                     const QString& defaultSuffix) {
    if (S().scripted) {
        Record("save", caption, folder);
        if (S().files.empty())
            return {};
        QString f = S().files.front();
        S().files.pop_front();
        if (!defaultSuffix.isEmpty() && !f.isEmpty() && QFileInfo(f).suffix().isEmpty())
            f += '.' + defaultSuffix;
        return f;
    }
    QFileDialog dialog(QApplication::activeWindow(), caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString ExistingFolder(const QString& caption, const QString& folder) {
    if (S().scripted) {
        Record("folder", caption, folder);
        if (S().files.empty())
            return {};
        const QString f = S().files.front();
        S().files.pop_front();
        return f;
    }
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, folder);
}

int ShowModal(QDialog* dialog) {
    if (S().scripted) {
        Record("modal", dialog->windowTitle(), dialog->objectName());
        std::function<int(QDialog*)> handler = S().defaultModal;
        if (!S().modals.empty()) {
            handler = S().modals.front();
            S().modals.pop_front();
        }
        const int result = handler ? handler(dialog) : int(QDialog::Rejected);
        dialog->setResult(result);
        return result;
    }
    return dialog->exec();
}

void SetAlertSound(bool on) {
    S().alert = on;
}
bool AlertSound() {
    return S().alert;
}

void SetScripted(bool on) {
    S().scripted = on;
}
bool Scripted() {
    return S().scripted;
}
void QueueButton(int button) {
    S().buttons.push_back(button);
}
void QueueInput(bool ok, const QString& text) {
    S().inputs.emplace_back(ok, text);
}
void QueueFile(const QString& path) {
    S().files.push_back(path);
}
void QueueModal(std::function<int(QDialog*)> handler) {
    S().modals.push_back(std::move(handler));
}
void SetDefaultModalHandler(std::function<int(QDialog*)> handler) {
    S().defaultModal = std::move(handler);
}
const QList<Shown>& ShownLog() {
    return S().log;
}

QStringList ShownTexts() {
    QStringList texts;
    for (const Shown& s : S().log)
        texts << s.text;
    return texts;
}

void ClearScript() {
    S().buttons.clear();
    S().inputs.clear();
    S().files.clear();
    S().modals.clear();
    S().log.clear();
}

} // namespace Dialogs
