#include "app/SongGridModel.h"

#include "app/HandlerGuard.h"
#include "platform/CodePage.h"
#include "platform/SongTable.h"

#include <QMetaObject>

#include <stdexcept>
#include <string>

namespace {

constexpr std::array<const char*, SongGridModel::kColumnCount> kBoundColumns = {"Title", "Author", "Copyright"};
constexpr int kUnbound = -1;

QString FromAnsi(const std::string& ansi)
{
    const std::u16string text = AnsiToUtf16(ansi);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToUtf16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

}  // namespace

SongGridModel::SongGridModel(SongTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table)
{
    Reload();
}

void SongGridModel::Reload()
{
    beginResetModel();
    for (size_t i = 0; i < kBoundColumns.size(); ++i) {
        // A column the table lacks stays empty, as a grid column bound to a
        // missing field does; the run reports the missing field itself.
        try {
            fields_[i] = table_.FieldIndex(kBoundColumns[i]);
        } catch (const std::exception&) {
            fields_[i] = kUnbound;
        }
    }
    rows_ = static_cast<int>(table_.RecordCount());
    reported_.clear();
    endResetModel();
}

void SongGridModel::DeleteRecord(int row)
{
    table_.DeleteRecord(static_cast<size_t>(row));
    beginRemoveRows(QModelIndex(), row, row);
    rows_ = static_cast<int>(table_.RecordCount());
    reported_.clear();
    endRemoveRows();
}

int SongGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int SongGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QString SongGridModel::CellText(int row, int column) const
{
    const int field = fields_[static_cast<size_t>(column)];
    if (field == kUnbound) return {};
    return FromAnsi(table_.RecordText(static_cast<size_t>(row), field));
}

void SongGridModel::ReportUnreadable(int row, int column, const std::exception& error) const
{
    if (reported_.contains({row, column})) return;
    reported_.insert({row, column});
    // data() runs while the grid paints: the box waits until painting is over.
    const std::string message = error.what();
    QMetaObject::invokeMethod(
        const_cast<SongGridModel*>(this),
        [message] { RunGuarded([&] { throw std::runtime_error(message); }); }, Qt::QueuedConnection);
}

QVariant SongGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_) return {};
    const size_t column = static_cast<size_t>(index.column());
    if (role == kFieldWidthRole) {
        const int field = fields_[column];
        return field == kUnbound ? 0 : static_cast<int>(table_.Fields()[static_cast<size_t>(field)].size);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    try {
        return CellText(index.row(), index.column());
    } catch (const std::exception& error) {
        ReportUnreadable(index.row(), index.column(), error);
        return {};
    }
}

QVariant SongGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(kBoundColumns[static_cast<size_t>(section)]);
}

Qt::ItemFlags SongGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && fields_[static_cast<size_t>(index.column())] != kUnbound) flags |= Qt::ItemIsEditable;
    return flags;
}

bool SongGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const int row = index.row();
    const int field = fields_[static_cast<size_t>(index.column())];
    int movedTo = row;
    const bool posted = RunGuarded([&] {
        const QString text = value.toString();
        // Leaving a cell without changing it is no edit: nothing is written.
        if (text == CellText(row, index.column())) return;
        movedTo = static_cast<int>(table_.PostFieldText(static_cast<size_t>(row), field, ToUtf16(text)));
    });
    if (!posted) {
        ++refusedEdits_;
        return false;
    }
    if (movedTo == row) {
        emit dataChanged(this->index(row, 0), this->index(row, kColumnCount - 1));
    } else if (beginMoveRows(QModelIndex(), row, row, QModelIndex(), movedTo > row ? movedTo + 1 : movedTo)) {
        // An edited key column can move the record within the table's order.
        endMoveRows();
        emit dataChanged(this->index(movedTo, 0), this->index(movedTo, kColumnCount - 1));
    }
    return true;
}
