#include "app/FieldWidthDelegate.h"

#include "app/SongGridModel.h"

#include <QLineEdit>

QWidget* FieldWidthDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const int width = index.data(SongGridModel::kFieldWidthRole).toInt();
    if (auto* line = qobject_cast<QLineEdit*>(editor); line != nullptr && width > 0) line->setMaxLength(width);
    return editor;
}
