#include "app/SongGrid.h"

#include "app/FieldWidthDelegate.h"
#include "app/HandlerGuard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>

namespace {

// EasyWorship's grid colours; rows count from 0, so the first row is even.
const QColor kEvenRowColor(203, 226, 248);
const QColor kOddRowColor(221, 237, 251);
const QColor kHeaderColor(255, 228, 138);

}  // namespace

SongGrid::SongGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new FieldWidthDelegate(this));
    setWordWrap(false);
    setAlternatingRowColors(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, kEvenRowColor);
    colors.setColor(QPalette::AlternateBase, kOddRowColor);
    setPalette(colors);

    // The header drawn flat in its own colour, whatever the desktop theme says.
    horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; border: none;"
                       " border-right: 1px solid %2; border-bottom: 1px solid %2; padding: 2px 4px; }")
            .arg(kHeaderColor.name(), kHeaderColor.darker(130).name()));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setSortingEnabled(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void SongGrid::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    // A new model comes sorted by the header's first column: back to the
    // model's own order, the table order.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (model != nullptr) model->sort(-1);
}

void SongGrid::PostPendingEdit()
{
    if (state() != QAbstractItemView::EditingState) return;
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void SongGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        if (OnDeleteKey && currentIndex().isValid()) RunGuarded([&] { OnDeleteKey(currentIndex().row()); });
        return;
    }
    QTableView::keyPressEvent(event);
}
