#include "widgets/RecordListView.h"

#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Every item is as wide as the list's fixed item width and one text line high.
class LineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(RecordListView::kItemWidth, QStyledItemDelegate::sizeHint(option, index).height());
    }
};

}  // namespace

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return QVariant();
    // The tip shows the whole line, also the part beyond the list's right edge.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_records.lines.at(index.row());
    return QVariant();
}

void RecordListModel::setRecords(ListedRecords records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

void RecordListModel::clear()
{
    beginResetModel();
    m_records.clear();
    endResetModel();
}

RecordListView::RecordListView(QWidget *parent) : QListView(parent), m_model(new RecordListModel(this))
{
    setModel(m_model);
    setItemDelegate(new LineDelegate(this));
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(FormHelpers::font(QStringLiteral("Courier New"), 12));
    QPalette p = palette();
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

void RecordListView::setRecords(ListedRecords records)
{
    m_model->setRecords(std::move(records));
}

void RecordListView::clear()
{
    m_model->clear();
}

int RecordListView::count() const
{
    return m_model->rowCount();
}

QStringList RecordListView::lines() const
{
    return m_model->records().lines.toList();
}

QString RecordListView::lineAt(int row) const
{
    return row >= 0 && row < count() ? m_model->records().lines.at(row) : QString();
}

qint64 RecordListView::positionAt(int row) const
{
    return row >= 0 && row < count() ? m_model->records().positions.at(row) : -1;
}

int RecordListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void RecordListView::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

qint64 RecordListView::selectedPosition() const
{
    return positionAt(selectedRow());
}

void RecordListView::findNext(const QString &text)
{
    const ListFind::Step step = ListFind::findNext(m_model->records().lines, selectedRow(), text, m_lastFind);
    if (step.emptyList) {
        MessageBoxes::plain(window(), ListFind::emptyListMessage());
        return;
    }
    selectRow(step.selection);
}
