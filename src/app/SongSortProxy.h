// DataSource1's role between the song table and the grid: the order the grid
// shows. A click on a column header sorts by that column's text without
// regard to case, by the user's collation; no header sorted means table
// order. Only the view is sorted: the run still walks the table's own order.
#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

class SongSortProxy : public QSortFilterProxyModel {
public:
    explicit SongSortProxy(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QCollator collator_;
};
