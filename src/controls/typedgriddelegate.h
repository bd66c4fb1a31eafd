#pragma once
// Cell editors of TypedGrid: a single-line edit (line breaks become blanks, the cell separator
// "¦" becomes "|") or, in drop-down columns, an editable combo box that completes typed text.
// Every keystroke is written into the cell at once, so the grid's text is never behind the
// editor (a save while a cell is being edited writes what the user sees).

#include <QStyledItemDelegate>

namespace Brenvik {

class TypedGrid;

class TypedGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TypedGridDelegate(TypedGrid *grid);

    // The cell's text when its editor opened, kept on the editor for Escape.
    static constexpr const char *originalTextProperty = "brenvikOriginalText";

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TypedGrid *m_grid;
};

} // namespace Brenvik
