#pragma once

#include "ui/widgets/cachedtextdelegate.h"

namespace veldor {

// Edits a table cell: a line for numbers, a list of the choices for choice fields. Enter
// commits the one cell; Ctrl+Enter hands the text to the window for every selected cell of
// the column instead (FillRequested), the cell itself included.
class TableDelegate : public CachedTextDelegate
{
    Q_OBJECT
public:
    // The model's role that lists a column's choices; empty for number columns.
    explicit TableDelegate(int choicesRole, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

Q_SIGNALS:
    void FillRequested(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int choicesRole_;
};

} // namespace veldor
