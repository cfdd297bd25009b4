#include "reports/PageSequence.h"

#include <algorithm>

namespace PageSequence {

Range clampedRange(const Request &request)
{
    Range range;
    if (request.pageCount <= 0)
        return range;  // empty
    int from = request.fromPage > 0 ? request.fromPage : 1;
    int to = request.toPage > 0 ? request.toPage : request.pageCount;
    if (from > to)
        std::swap(from, to);
    range.first = from;
    range.last = std::min(to, request.pageCount);
    return range;
}

QList<int> pages(const Request &request)
{
    const Range range = clampedRange(request);
    if (range.isEmpty())
        return {};
    const int copies = request.deviceMakesCopies ? 1 : std::max(1, request.copies);
    QList<int> sequence;
    sequence.reserve(qsizetype(range.last - range.first + 1) * copies);
    if (request.collate) {
        for (int copy = 0; copy < copies; ++copy) {
            for (int page = range.first; page <= range.last; ++page)
                sequence.append(page);
        }
    } else {
        for (int page = range.first; page <= range.last; ++page) {
            for (int copy = 0; copy < copies; ++copy)
                sequence.append(page);
        }
    }
    return sequence;
}

}  // namespace PageSequence
