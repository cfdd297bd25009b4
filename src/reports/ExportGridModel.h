#pragma once

#include "reports/SpreadsheetExport.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QCache>
#include <QString>

// The rows of an export grid: one per archive record, in archive order, read from the archive only
// when the view asks for them (a few blocks of records are kept), so that a grid over a hundred
// thousand records opens at once and memory stays small. Column 0 is the 1-based row number; the
// others are the table's columns. The table's editable columns accept edits, which the model keeps
// for the export and never writes to the archive.
class ExportGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Records read from the archive at a time, and how many such blocks are kept.
    static constexpr int kBlockRecords = 64;
    static constexpr int kCachedBlocks = 16;

    explicit ExportGridModel(const SpreadsheetExport::Table &table, QObject *parent = nullptr);

    // Counts the records of the archive (opened, or created empty when missing; read-only when the
    // folder or the file cannot be written), reads the first block and shows that many rows. The
    // edits and the records read before are forgotten. False when the archive cannot be read: the
    // grid is then empty and failed() is true.
    bool load(const QString &archivePath);

    // True once the archive could not be read, at load or later while rows were shown (their cells
    // are then empty): the grid does not hold the whole archive.
    bool failed() const { return m_failed; }

    const SpreadsheetExport::Table &table() const { return m_table; }
    const QString &archivePath() const { return m_archivePath; }
    const SpreadsheetExport::Edits &edits() const { return m_edits; }
    // The grid column of a column object name ("colNote"), or -1; "colNum" is column 0.
    int columnNamed(const QString &name) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The archive could not be read while rows were shown (emitted once, after the view's request).
    void readFailed();

private:
    // The whole record of a row, or nullptr when it cannot be read.
    const char *record(qint64 row) const;
    bool readBlock(qint64 block, QByteArray &bytes) const;
    void noteFailure() const;

    SpreadsheetExport::Table m_table;
    QString m_archivePath;
    qint64 m_rows = 0;
    SpreadsheetExport::Edits m_edits;
    mutable QCache<qint64, QByteArray> m_blocks;
    mutable bool m_failed = false;
};
