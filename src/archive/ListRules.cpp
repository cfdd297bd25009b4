#include "archive/ListRules.h"

#include "common/TextRules.h"

#include <algorithm>
#include <numeric>

namespace {

// Reorders the lines (with their positions) by ascending keys, equal keys keeping archive order.
void sortByKeys(ListedRecords &records, const QStringList &keys)
{
    QVector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) { return keys.at(a) < keys.at(b); });
    ListedRecords sorted;
    sorted.lines.reserve(records.lines.size());
    sorted.positions.reserve(records.lines.size());
    for (const qsizetype i : order)
        sorted.add(records.lines.at(i), records.positions.at(i));
    records = std::move(sorted);
}

}  // namespace

void ListedRecords::sortByLine()
{
    const QStringList keys = lines;
    sortByKeys(*this, keys);
}

void ListedRecords::sortByLineFoldingAZ()
{
    // The folded texts are made once, not at every comparison.
    QStringList keys;
    keys.reserve(lines.size());
    for (const QString &line : std::as_const(lines))
        keys.append(TextRules::lowerAZ(line));
    sortByKeys(*this, keys);
}

namespace ListLines {

QString column(const QString &text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

QString countText(qsizetype lines, const QString &ending)
{
    return QStringLiteral("Il presente riepilogo contiene %1 schede").arg(lines) + ending;
}

}  // namespace ListLines

namespace ListFind {

QString emptyListMessage()
{
    return QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
}

bool containsLowerAZ(const QString &line, const QString &lowerText)
{
    const qsizetype m = lowerText.size();
    const qsizetype n = line.size();
    if (m == 0 || m > n)
        return false;
    const char16_t *h = reinterpret_cast<const char16_t *>(line.constData());
    const char16_t *t = reinterpret_cast<const char16_t *>(lowerText.constData());
    auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; };
    for (qsizetype i = 0; i <= n - m; ++i) {
        if (lower(h[i]) != t[0])
            continue;
        qsizetype j = 1;
        while (j < m && lower(h[i + j]) == t[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

Step findNext(const QStringList &lines, int selected, const QString &text, QString &remembered)
{
    Step step;
    const int count = int(lines.size());
    if (count == 0) {
        step.emptyList = true;
        step.selection = selected;
        return step;
    }
    if (selected < 0 || selected >= count)
        selected = 0;
    step.selection = selected;
    const QString lower = TextRules::lowerAZ(text);
    const int start = lower == remembered ? (selected + 1) % count : 0;
    remembered = lower;
    for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        if (containsLowerAZ(lines.at(i), lower)) {
            step.selection = i;
            break;
        }
    }
    return step;
}

}  // namespace ListFind
