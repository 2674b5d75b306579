// SongsGridView's data: the song table's Title, Author and Copyright columns
// as a Qt table model. Rows are the table's records in table order, read on
// demand, so a table of any size shows at once and nothing is copied.
#pragma once

#include <QAbstractTableModel>
#include <QSet>

#include <array>
#include <utility>

class SongTable;

class SongGridModel : public QAbstractTableModel {
public:
    // The grid's columns, each bound to the table column of the same name.
    enum Column { SongsGridViewTitle, SongsGridViewAuthor, SongsGridViewCopyright, kColumnCount };
    // data() for this role: the bound field's width (characters), 0 when the
    // column is not bound.
    static constexpr int kFieldWidthRole = Qt::UserRole + 1;

    explicit SongGridModel(SongTable& table, QObject* parent = nullptr);

    // Binds the columns again and shows the table's records as they are now
    // (after the table was opened).
    void Reload();

    // Deletes record `row` through the table's write support. Throws what the
    // table throws, and then the grid is unchanged.
    void DeleteRecord(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Posts the edit through the table's write support; an error goes to the
    // error box and leaves the table as it was (returns false).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // How many edits the table has refused so far.
    unsigned RefusedEdits() const { return refusedEdits_; }

private:
    QString CellText(int row, int column) const;
    void ReportUnreadable(int row, int column, const std::exception& error) const;

    SongTable& table_;
    std::array<int, kColumnCount> fields_{};   // the table's column per grid column, -1 when missing
    int rows_ = 0;
    unsigned refusedEdits_ = 0;
    // A cell that cannot be read is reported once, not at every repaint.
    mutable QSet<std::pair<int, int>> reported_;
};
