#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The rules that every list dialog shares (sheet search, unpaid accounts, customer search,
// customers to recontact, vehicle search). No widgets here: the list view and the dialogs call them.

// The lines of a list dialog, each with the 1-based archive position of the record it was built
// from, so that opening a line reads exactly that record again.
struct ListedRecords
{
    QStringList lines;
    QVector<qint64> positions;

    void add(const QString &line, qint64 position)
    {
        lines.append(line);
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

}  // namespace ListFind
