#pragma once

#include <QTableView>

namespace veldor {

// A table view whose first columns stay in place while the others scroll sideways under them:
// a second view over the same model and selection is laid over the left edge. Sorting from
// either view's heads shows one arrow.
class FrozenTableView : public QTableView
{
    Q_OBJECT
public:
    FrozenTableView(int frozenColumns, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // The view laid over the frozen columns (tests click its heads).
    QTableView* FrozenPart() const { return frozen_; }
    // Hides or shows a column in both views.
    void SetColumnShown(int column, bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void followSectionWidth(int column, int oldWidth, int newWidth);
    void placeFrozenPart();
    int frozenWidth() const;

    QTableView* frozen_ = nullptr;
    int frozenColumns_;
};

} // namespace veldor
