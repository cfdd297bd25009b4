#include "reports/ExportGridModel.h"

#include "archive/RecordArchive.h"

#include <QMetaObject>

#include <cstring>
#include <limits>

ExportGridModel::ExportGridModel(const SpreadsheetExport::Table &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_blocks(kCachedBlocks)
{
}

bool ExportGridModel::load(const QString &archivePath)
{
    beginResetModel();
    m_archivePath = archivePath;
    m_rows = 0;
    m_edits.clear();
    m_blocks.clear();
    m_failed = false;

    // As every command that shows an archive: open-or-create, so a missing archive is created empty.
    // A folder or file that cannot be written is still shown.
    RecordArchive archive;
    const int size = m_table.format->size();
    qint64 count = -1;
    if (archive.OpenOrCreate(archivePath, size) || archive.OpenForReading(archivePath, size))
        count = archive.Count();
    archive.Close();
    if (count < 0) {
        m_failed = true;
    } else {
        m_rows = count;
        // The first rows are read now, so that an archive that cannot be read is known at once.
        QByteArray first;
        if (m_rows > 0 && !readBlock(0, first)) {
            m_rows = 0;
            m_failed = true;
        } else if (m_rows > 0) {
            m_blocks.insert(0, new QByteArray(first));
        }
    }
    endResetModel();
    return !m_failed;
}

int ExportGridModel::columnNamed(const QString &name) const
{
    if (name == QLatin1String("colNum"))
        return 0;
    for (int i = 0; i < m_table.columns.size(); ++i) {
        if (name == QLatin1String(m_table.columns.at(i).name))
            return i + 1;
    }
    return -1;
}

int ExportGridModel::rowCount(const QModelIndex &parent) const
{
    // A view counts rows in int: an archive beyond that many records shows as many as it can.
    return parent.isValid() ? 0 : int(qMin<qint64>(m_rows, std::numeric_limits<int>::max()));
}

int ExportGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.columns.size()) + 1;
}

bool ExportGridModel::readBlock(qint64 block, QByteArray &bytes) const
{
    const int size = m_table.format->size();
    const qint64 first = block * kBlockRecords + 1;
    const qint64 count = qMin<qint64>(kBlockRecords, m_rows - block * kBlockRecords);
    if (count <= 0)
        return false;
    RecordArchive archive;
    if (!archive.OpenForReading(m_archivePath, size))
        return false;
    bytes.resize(count * size);
    QByteArray one;
    for (qint64 i = 0; i < count; ++i) {
        if (!archive.ReadAt(first + i, one))
            return false;
        std::memcpy(bytes.data() + i * size, one.constData(), size_t(size));
    }
    return true;
}

void ExportGridModel::noteFailure() const
{
    if (m_failed)
        return;
    m_failed = true;
    // Told after the view's request, not in the middle of its painting.
    QMetaObject::invokeMethod(const_cast<ExportGridModel *>(this), &ExportGridModel::readFailed, Qt::QueuedConnection);
}

const char *ExportGridModel::record(qint64 row) const
{
    const qint64 block = row / kBlockRecords;
    if (QByteArray *bytes = m_blocks.object(block))
        return bytes->constData() + (row % kBlockRecords) * m_table.format->size();
    auto *bytes = new QByteArray;
    if (!readBlock(block, *bytes)) {
        delete bytes;
        noteFailure();
        return nullptr;
    }
    m_blocks.insert(block, bytes);
    return bytes->constData() + (row % kBlockRecords) * m_table.format->size();
}

QVariant ExportGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const qint64 row = index.row();
    const int column = index.column();
    if (column == 0)
        return QString::number(row + 1);
    const auto edit = m_edits.constFind({row, column});
    if (edit != m_edits.cend())
        return edit.value();
    const char *bytes = record(row);
    return bytes ? SpreadsheetExport::cellText(m_table, column, bytes) : QString();
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return SpreadsheetExport::numberColumnHeader();
    if (section > 0 && section <= m_table.columns.size())
        return m_table.columns.at(section - 1).gridHeader;
    return QVariant();
}

Qt::ItemFlags ExportGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() > 0 && !m_table.columns.at(index.column() - 1).readOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ExportGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_edits.insert({qint64(index.row()), index.column()}, value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}
