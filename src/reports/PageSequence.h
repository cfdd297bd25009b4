#pragma once

#include <QList>

// Which pages a print job draws, and in which order, for the choices of the print dialog: the page
// range, the number of copies and their collation. A printer that makes copies itself (a print
// server) gets the range once; for one that cannot (a PDF file), the program repeats the pages.
namespace PageSequence {

struct Request
{
    int pageCount = 0;               // pages of the prepared report
    int fromPage = 0;                // first page asked for (1-based); 0: the whole report
    int toPage = 0;                  // last page asked for; 0: up to the last page
    int copies = 1;                  // copies asked for (below 1 counts as 1)
    bool collate = true;             // true: 1 2 3 1 2 3; false: 1 1 2 2 3 3
    bool deviceMakesCopies = false;  // the device repeats the pages itself
};

// The range actually printed, clamped to the report's pages: a range that runs past the last page
// stops at it. first > last when no page of the report lies in the range.
struct Range
{
    int first = 1;
    int last = 0;
    bool isEmpty() const { return first > last; }
};
Range clampedRange(const Request &request);

// The 1-based numbers of the pages to draw, in order; empty when there is nothing to print.
QList<int> pages(const Request &request);

}  // namespace PageSequence
