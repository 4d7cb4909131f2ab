#pragma once
// The program's help: the help file "Vestrix2.hlp" in the program folder holds the
// user guide as HTML, shown in the program's own help window.

#include <QWidget>

class QPushButton;
class QTextBrowser;

class THelpForm : public QWidget {
    Q_OBJECT
public:
    // Modeless; frees itself when closed.
    explicit THelpForm(QWidget* owner = nullptr);

    // Shows the file from its beginning; false (and nothing changes) when it cannot be
    // read.
    bool OpenFile(const QString& fileName);
    QString FileName() const { return m_fileName; }

    QTextBrowser* HelpBrowser;
    QPushButton* ContentsBtn;
    QPushButton* BackBtn;
    QPushButton* ForwardBtn;
    QPushButton* CloseBtn;

private:
    QString m_fileName;
};

// Opens the contents of the help file in the help window (the one already open, or a
// new one owned by owner), usable beside a modal window that is open. False when the file
// cannot be opened.
bool ShowHelpContents(const QString& helpFile, QWidget* owner = nullptr);
// The help window that is open, if any.
THelpForm* OpenHelpForm();

// "&Help With &Using Vestrix", and the Help button of the password window: the
// contents of HelpFile; when it cannot be opened, "Could not find help file.  Search
// yourself?" and on Yes the file-open dialog, whose file is then shown when it can be.
void HelpWithUsingVestrix(QWidget* owner = nullptr);
