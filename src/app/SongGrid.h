// SongsGrid: the table view of the songs. Whole-row selection, no inserting,
// the row and header colours of EasyWorship's grid, cells edited in place.
// Ctrl+Del asks the window to delete the focused record.
#pragma once

#include <QTableView>

#include <functional>

class SongGrid : public QTableView {
public:
    explicit SongGrid(QWidget* parent = nullptr);

    // Shows `model` in its own order: no column sorted until a header is
    // clicked.
    void setModel(QAbstractItemModel* model) override;

    // Commits the edit in progress, if any, to the model and closes the
    // editor; the grid then shows what the table holds.
    void PostPendingEdit();

    // Raised by Ctrl+Del for the focused row (a row of the view's model).
    std::function<void(int row)> OnDeleteKey;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
