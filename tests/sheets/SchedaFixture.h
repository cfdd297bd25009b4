#pragma once

// Small sheet archives for the tests of the sheet lists: records written with RecordArchive exactly
// as the sheet window stores them, or patched byte by byte where a test needs bytes that the window
// never writes.

#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "widgets/RecordListView.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTest>

#include <cstring>

namespace SchedaFixture {

struct Sheet
{
    QString numero, cliente, targa, pagato = QStringLiteral("No");
    QString marca = QStringLiteral("Fiat Panda");
    QString tecnico = QString();
    QString note = QString();
};

inline SchedaRecord record(const Sheet &s)
{
    SchedaRecord r;
    r.NumScheda = s.numero;
    r.Data = QStringLiteral("01/02/2024");
    r.Tecnico = s.tecnico;
    r.Cliente = s.cliente;
    r.Recapito = QStringLiteral("333 1234567");
    r.Targa = s.targa;
    r.Marca = s.marca;
    r.Note = s.note;
    r.Totale = QStringLiteral("100,00");
    r.Pagato = s.pagato;
    return r;
}

// Appends the records to the archive (created when missing); false when a write fails.
inline bool append(const QString &path, const QList<QByteArray> &records)
{
    RecordArchive archive;
    if (!archive.OpenOrCreate(path, SchedaRecord::kSize))
        return false;
    for (const QByteArray &bytes : records) {
        if (archive.Append(bytes) < 0)
            return false;
    }
    return true;
}

inline bool append(const QString &path, const QList<SchedaRecord> &records)
{
    QList<QByteArray> bytes;
    for (const SchedaRecord &r : records)
        bytes << r.toBytes();
    return append(path, bytes);
}

// Overwrites the record at a position, as Save does for a shown sheet.
inline bool overwrite(const QString &path, qint64 position, const SchedaRecord &record)
{
    RecordArchive archive;
    return archive.OpenOrCreate(path, SchedaRecord::kSize) && archive.WriteAt(position, record.toBytes());
}

// Replaces the stored bytes of one field (all capacity + 1 of them, zero-filled after the given
// bytes when shorter).
inline void setRawField(QByteArray &record, SchedaRecord::Field field, const QByteArray &bytes)
{
    const SchedaRecord::Layout &l = SchedaRecord::layout()[field];
    Q_ASSERT(bytes.size() <= l.capacity + 1);
    std::memset(record.data() + l.offset, 0, size_t(l.capacity) + 1);
    std::memcpy(record.data() + l.offset, bytes.constData(), size_t(bytes.size()));
}

// Double-clicks a line of a list dialog as the user does: a click, then the double-click event.
inline void doubleClickRow(RecordListView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace SchedaFixture
