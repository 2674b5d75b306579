#include "app/SongSortProxy.h"

SongSortProxy::SongSortProxy(QObject* parent) : QSortFilterProxyModel(parent)
{
    // Until a header is clicked the rows stay in table order; an edited row
    // keeps its place in a sorted view only while its text sorts there.
    setDynamicSortFilter(true);
}

bool SongSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // Folding the case first: a collator leaves case alone in some locales
    // (C, POSIX), and the grid must ignore it everywhere.
    return collator_.compare(left.data().toString().toCaseFolded(), right.data().toString().toCaseFolded()) < 0;
}
