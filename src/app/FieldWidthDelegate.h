// The grid's cell editor: a line edit that takes no more characters than the
// bound field holds (SongGridModel::kFieldWidthRole).
#pragma once

#include <QStyledItemDelegate>

class FieldWidthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
