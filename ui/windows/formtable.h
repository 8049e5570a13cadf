#pragma once

#include "data/format/scenariolayout.h"

#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace veldor {

class FrozenTableView;
class ScenarioStore;
struct ScenarioTables;
class ScenarioTableModel;
class TableProxy;

// Every table of the store as a spreadsheet: sorted by a click on a head, filtered by names,
// numbers or conditions, edited in place, copied to and pasted from spreadsheets as tab-
// separated text. A modeless window; its size, column widths and tab are remembered.
class TFTable : public QWidget
{
    Q_OBJECT
public:
    explicit TFTable(ScenarioStore& store, QWidget* parent = nullptr);
    ~TFTable() override;

    // The store changed (opened, reloaded, edited anywhere, undone): every tab reads it again.
    void StoreChanged();
    // The table's view, made now when its tab has not been shown yet.
    FrozenTableView* View(TableId table);

    // Ctrl+C: the selected cells of the current tab, with their heads, as tab-separated text.
    QString SelectionText() const;
    // Ctrl+V: `text` pasted from the current cell on, all or nothing. False when refused.
    bool PasteText(const QString& text);

Q_SIGNALS:
    // The store holds a table edit that is to become one history step named `title`.
    void Edited(const QString& title);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Page
    {
        ScenarioTableModel* model;
        TableProxy* proxy;
        // The tab's widget; the view is made inside it when the tab is first shown.
        QWidget* holder;
        FrozenTableView* view;
        // The heads as the last window left them, for a view made later.
        QByteArray savedHeads;
    };

    void buildPage(ScenarioStore& store, TableId table);
    void buildView(Page& page);
    void showTab();
    void setColumnWidths(const Page& page, const ScenarioStore& store);
    void buildActions();
    const Page& currentPage() const;
    void applyFilter();
    void showCount();
    void showStatus(const QString& text);
    void fillSelection(const QString& text);
    void copySelection();
    void pasteClipboard();
    std::vector<int> shownColumns(const Page& page) const;
    void restoreSettings();
    void saveSettings() const;

    std::vector<Page> pages_;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QLineEdit* TableFilter = nullptr;
    QTabWidget* TableTabs = nullptr;
    QLabel* TableCount = nullptr;
    QLabel* TableStatus = nullptr;
};

} // namespace veldor
