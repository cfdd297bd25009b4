#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The rules that every list dialog shares (sheet search, unpaid accounts, customer search,
// customers to recontact, vehicle search). No widgets here: the list view and the dialogs call them.

// The texts of a list's lines, kept compactly: the Windows-1252 bytes of the lines one after the
// other in blocks of kBlockBytes, each line made a QString only when it is asked for. A list of
// 15 000 lines is then a few dozen allocations instead of 15 000, in half the memory, and no byte is
// ever moved to a grown buffer: each page of memory is touched once (a fresh page costs a page fault,
// several microseconds on a virtual machine). A line with a character that Windows-1252 lacks is kept
// exactly too, in UTF-16.
class ListedLines
{
public:
    static constexpr qsizetype kBlockBytes = 64 * 1024;

    // Appends a line given as Windows-1252 bytes (the list lines built from records).
    void appendBytes(const char *data, qsizetype size);
    void append(const QString &line);

    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    qsizetype size() const { return m_spans.size(); }
    bool isEmpty() const { return m_spans.isEmpty(); }
    void clear();
    void removeLast();
    QStringList toList() const;
    // Where a QStringList is wanted (the unpaid total, the tests): the lines as QStrings.
    operator QStringList() const { return toList(); }

    // Ascending order of the texts, compared character by character as QString compares them (with
    // the letters A to Z taken as a to z when foldAZ), equal texts keeping their order: for each
    // place of the sorted list, the index of the line that goes there.
    QVector<qsizetype> sortedOrder(bool foldAZ) const;
    // Puts the lines in the given order (each index once, as sortedOrder gives it).
    void reorder(const QVector<qsizetype> &order);

    // Walks the lines as QStrings (range-for over a list).
    class const_iterator
    {
    public:
        const_iterator(const ListedLines *lines, qsizetype i) : m_lines(lines), m_i(i) {}
        QString operator*() const { return m_lines->at(m_i); }
        const_iterator &operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator!=(const const_iterator &other) const { return m_i != other.m_i; }
        bool operator==(const const_iterator &other) const { return m_i == other.m_i; }

    private:
        const ListedLines *m_lines;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const ListedLines &a, const ListedLines &b) { return a.toList() == b.toList(); }
    friend bool operator!=(const ListedLines &a, const ListedLines &b) { return !(a == b); }
    friend bool operator==(const ListedLines &a, const QStringList &b) { return a.toList() == b; }
    friend bool operator!=(const ListedLines &a, const QStringList &b) { return !(a == b); }

private:
    struct Span
    {
        qsizetype block;  // in m_blocks
        qsizetype begin;  // in the block
        qsizetype size;   // characters
        bool wide;        // UTF-16 (2 bytes a character) rather than Windows-1252
    };
    // Room for bytes more at the end of the last block (a new block when they do not fit); the
    // caller fills them.
    char *place(qsizetype bytes, qsizetype size, bool wide);
    const char *data(const Span &span) const { return m_blocks.at(span.block).constData() + span.begin; }
    char16_t unitAt(const Span &span, qsizetype k) const;
    bool less(const Span &a, const Span &b, bool foldAZ) const;

    QVector<QByteArray> m_blocks;
    QVector<Span> m_spans;
};

// The lines of a list dialog, each with the 1-based archive position of the record it was built
// from, so that opening a line reads exactly that record again.
struct ListedRecords
{
    ListedLines lines;
    QVector<qint64> positions;

    void add(const QString &line, qint64 position)
    {
        lines.append(line);
        positions.append(position);
    }
    // The same for a line given as Windows-1252 bytes.
    void addBytes(const char *line, qsizetype size, qint64 position)
    {
        lines.appendBytes(line, size);
        positions.append(position);
    }
    void clear()
    {
        lines.clear();
        positions.clear();
    }
    qsizetype size() const { return lines.size(); }
    bool isEmpty() const { return lines.isEmpty(); }

    // Ascending order of the line texts (the customer lists); lines of equal text keep their archive
    // order, and every line keeps its position.
    void sortByLine();
    // The same order, comparing the letters a to z without regard to case and every other character
    // by its code (the customer and vehicle lists).
    void sortByLineFoldingAZ();
};

namespace ListLines {

// A column of a list line: the (already trimmed) text padded with blanks on the right to width
// characters, or cut to its first width characters.
QString column(const QString &text, int width);

// The count label of the search dialogs: "Il presente riepilogo contiene <n> schede" followed by
// ending (the sheet and customer lists end with a full stop, the vehicle list with nothing).
QString countText(qsizetype lines, const QString &ending = QStringLiteral("."));

}  // namespace ListLines

namespace ListFind {

// The plain message of "Trova" on an empty list.
QString emptyListMessage();

// True when line contains lowerText, comparing with the letters A to Z of line lower-cased
// (lowerText must already be lower-cased that way). The empty text is never found.
bool containsLowerAZ(const QString &line, const QString &lowerText);

struct Step
{
    bool emptyList = false;  // show emptyListMessage(), nothing else happens
    int selection = -1;      // the line to select afterwards (the found one, or the one kept)
};

// One press of "Trova". selected is the selected line (-1: none, then the first counts as
// selected). A text different from the remembered one starts at the first line and examines it
// first; the same text starts after the selected line; the search wraps from the last line to the
// first and examines its starting point last. When nothing contains the text the selection stays.
// remembered is updated to the lower-cased text (not on an empty list).
Step findNext(const QStringList &lines, int selected, const QString &text, QString &remembered);
Step findNext(const ListedLines &lines, int selected, const QString &text, QString &remembered);

}  // namespace ListFind
