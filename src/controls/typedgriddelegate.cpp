#include "controls/typedgriddelegate.h"

#include "controls/lineedit.h"
#include "controls/singlelinevalidator.h"
#include "controls/typedgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPainter>

namespace Brenvik {

namespace {
const char *const loadingProperty = "brenvikLoadingEditor";
}

TypedGridDelegate::TypedGridDelegate(TypedGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget *TypedGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &index) const
{
    const QStringList items = m_grid->columnDropDown(index.column());
    const Qt::Alignment align = m_grid->columnAlignment(index.column());
    if (!items.isEmpty()) {
        auto *box = new QComboBox(parent);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(items);
        box->setMaxVisibleItems(std::max<int>(1, items.size()));
        box->setFrame(false);
        box->lineEdit()->setValidator(new SingleLineValidator(true, box->lineEdit()));
        box->lineEdit()->setAlignment(align | Qt::AlignVCenter);
        box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        box->completer()->setCompletionMode(QCompleter::InlineCompletion);
        auto *self = const_cast<TypedGridDelegate *>(this);
        // textChanged, not textEdited: an inline completion is text the user sees in the cell.
        connect(box->lineEdit(), &QLineEdit::textChanged, self, [self, box] {
            if (!box->property(loadingProperty).toBool())
                Q_EMIT self->commitData(box);
        });
        connect(box, qOverload<int>(&QComboBox::activated), self, [self, box] { Q_EMIT self->commitData(box); });
        return box;
    }
    auto *edit = new LineEdit(parent);
    edit->setCellSeparatorSafe(true);
    edit->setFrame(false);
    edit->setAlignment(align | Qt::AlignVCenter);
    auto *self = const_cast<TypedGridDelegate *>(this);
    connect(edit, &LineEdit::edited, self, [self, edit] { Q_EMIT self->commitData(edit); });
    return edit;
}

void TypedGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (!editor->property(originalTextProperty).isValid())
        editor->setProperty(originalTextProperty, text);
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        if (box->lineEdit()->text() != text) {
            // Choosing the index passes through other texts; they are not the user's.
            box->setProperty(loadingProperty, true);
            box->setCurrentIndex(box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
            box->lineEdit()->setText(text);
            box->setProperty(loadingProperty, false);
        }
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        // The live commit writes back on every keystroke; resetting the text would move the
        // cursor to the end.
        if (edit->text() != text)
            edit->setText(text);
    }
}

void TypedGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    QString text;
    if (auto *box = qobject_cast<QComboBox *>(editor))
        text = box->lineEdit()->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(editor))
        text = edit->text();
    else
        return;
    text = SingleLineValidator::clean(text, true);
    if (model->data(index, Qt::EditRole).toString() != text)
        model->setData(index, text, Qt::EditRole);
}

void TypedGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    if (m_grid->isFixedCell(index.row(), index.column())) {
        // Title cells are not selectable, but keep their text in the normal colour.
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        opt.palette.setColor(QPalette::Text, opt.palette.color(QPalette::Active, QPalette::ButtonText));
        if (index.row() == 0 && m_grid->hasDrawnTitles()) {
            initStyleOption(&opt, index);
            opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            opt.text = m_grid->drawnTitle(index.column()).replace(QLatin1Char('\n'), QChar::LineSeparator);
            opt.displayAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
            const QWidget *view = option.widget;
            QStyle *style = view ? view->style() : QApplication::style();
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, view);
            return;
        }
    }
    QStyledItemDelegate::paint(painter, opt, index);
}

} // namespace Brenvik
