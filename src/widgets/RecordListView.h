#pragma once

#include "archive/ListRules.h"

#include <QAbstractListModel>
#include <QListView>

// The model behind every list dialog: one text line per listed record, each keeping the archive
// position of its record.
class RecordListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void setRecords(ListedRecords records);
    void clear();
    const ListedRecords &records() const { return m_records; }

private:
    ListedRecords m_records;
};

// The list `lstRecords` of the list dialogs: fixed-column lines in Courier New 12, black, items 1600
// pixels wide that scroll sideways instead of wrapping, single selection. It holds any number of
// lines without delay (one model, no widget per line), and implements "Trova" (find the next line
// that contains a text, wrapping around). A double-click on a line emits doubleClicked; the dialog
// then opens the record at selectedPosition().
class RecordListView : public QListView
{
    Q_OBJECT
public:
    static constexpr int kItemWidth = 1600;

    explicit RecordListView(QWidget *parent = nullptr);

    void setRecords(ListedRecords records);
    void clear();
    int count() const;
    QStringList lines() const;
    QString lineAt(int row) const;
    qint64 positionAt(int row) const;

    // The selected line, or -1.
    int selectedRow() const;
    // Selects a line and makes it visible; -1 clears the selection.
    void selectRow(int row);
    // The archive position of the selected line's record, or -1 when no line is selected.
    qint64 selectedPosition() const;

    // "Trova": the remembered text is the dialog's own, emptied each time it is shown.
    void forgetFindText() { m_lastFind.clear(); }
    // Finds the next line containing text (see ListFind::findNext) and selects it; on an empty list
    // shows the plain message "Ricerca non applicabile: la lista non contiene nessuna voce.".
    void findNext(const QString &text);

private:
    RecordListModel *m_model;
    QString m_lastFind;
};
