#pragma once
// The Worship Orders Setup window: the worship order templates named and their thirty
// element headings edited. It works on the shared WorshipOrdersT (whose cursor the template
// list of the Worship Data Entry window shares) and only moves its cursor.
//
// A click on a number of the list makes that template current (a number whose template
// is missing changes nothing) and the Step 4 caption then names the current template's
// number. The window never adds a template: the grid adds no row and the navigator has no
// Insert; templates are renamed, edited and deleted. The preview shows the current
// template's elements as they are being typed. The window refuses to close while the
// template is being edited.

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TDBEdit;
class TDBGrid;
class TDBNavigator;
class TDBStateLabel;
class TDBText;

class TWorshipOrderSetupForm : public QWidget {
    Q_OBJECT
public:
    static inline const QString Step4Text =
        QStringLiteral("Step 4.  Edit the worship order template.");

    // A top-level window owned by the owner, freed when closed.
    explicit TWorshipOrderSetupForm(QWidget* owner = nullptr);

    QListWidget* OrderList;
    TDBNavigator* OrderNavigator;
    TDBEdit* OrderNameEdit;
    QLabel* Step4Label;
    TDBGrid* TemplateGrid;
    QList<TDBText*> PreviewTexts; // elements 1 to 30
    TDBStateLabel* OrderState;
    QPushButton* CloseButton;

    // A click on a number of the list.
    void OrderListClick(QListWidgetItem* item);
};
