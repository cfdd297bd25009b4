#include "archive/ListRules.h"

#include "common/CodePage.h"
#include "common/TextRules.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

// The order of the characters of the 256 Windows-1252 bytes, as QString compares them: for each
// byte the rank of its character among the 256 (plain), and the rank of its character with A to Z
// taken as a to z (folded). Equal ranks are equal characters, so two lines of bytes compare as
// their QStrings would by comparing the ranks of their bytes.
struct ByteRanks
{
    std::array<uchar, 256> plain{};
    std::array<uchar, 256> folded{};
};

const std::array<char16_t, 256> &byteUnits()
{
    static const std::array<char16_t, 256> units = [] {
        std::array<char16_t, 256> made{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            made[size_t(b)] = CodePage::toUnicode(&byte, 1).at(0).unicode();
        }
        return made;
    }();
    return units;
}

const ByteRanks &byteRanks()
{
    static const ByteRanks ranks = [] {
        const std::array<char16_t, 256> &units = byteUnits();
        std::array<int, 256> bytes{};
        std::iota(bytes.begin(), bytes.end(), 0);
        std::sort(bytes.begin(), bytes.end(), [&units](int a, int b) { return units[size_t(a)] < units[size_t(b)]; });
        ByteRanks made;
        for (int rank = 0; rank < 256; ++rank)
            made.plain[size_t(bytes[size_t(rank)])] = uchar(rank);
        for (int b = 0; b < 256; ++b) {
            const int same = (b >= 'A' && b <= 'Z') ? b + 32 : b;
            made.folded[size_t(b)] = made.plain[size_t(same)];
        }
        return made;
    }();
    return ranks;
}

char16_t foldAZ(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// Puts the lines (with their positions) in the given order.
void reorder(ListedRecords &records, const QVector<qsizetype> &order)
{
    records.lines.reorder(order);
    QVector<qint64> positions;
    positions.reserve(order.size());
    for (const qsizetype i : order)
        positions.append(records.positions.at(i));
    records.positions = std::move(positions);
}

}  // namespace

char *ListedLines::place(qsizetype bytes, qsizetype size, bool wide)
{
    if (m_blocks.isEmpty() || m_blocks.last().size() + bytes > m_blocks.last().capacity()) {
        m_blocks.append(QByteArray());
        m_blocks.last().reserve(qMax(kBlockBytes, bytes));
    }
    QByteArray &block = m_blocks.last();
    const qsizetype begin = block.size();
    block.resize(begin + bytes);
    m_spans.append({m_blocks.size() - 1, begin, size, wide});
    return block.data() + begin;
}

void ListedLines::appendBytes(const char *data, qsizetype size)
{
    if (size > 0)
        std::memcpy(place(size, size, false), data, size_t(size));
    else
        place(0, 0, false);
}

void ListedLines::append(const QString &line)
{
    const qsizetype size = line.size();
    const bool narrow = std::all_of(line.cbegin(), line.cend(), [](QChar c) { return CodePage::byteFor(c) >= 0; });
    if (!narrow) {
        // A character that Windows-1252 lacks: the line is kept in UTF-16.
        char *into = place(2 * size, size, true);
        std::memcpy(into, line.constData(), size_t(2 * size));
        return;
    }
    char *into = place(size, size, false);
    for (qsizetype k = 0; k < size; ++k)
        into[k] = char(CodePage::byteFor(line.at(k)));
}

QString ListedLines::at(qsizetype i) const
{
    const Span &span = m_spans.at(i);
    if (!span.wide)
        return CodePage::toUnicode(data(span), span.size);
    QString line(span.size, Qt::Uninitialized);
    std::memcpy(line.data(), data(span), size_t(2 * span.size));
    return line;
}

void ListedLines::clear()
{
    m_blocks.clear();
    m_spans.clear();
}

void ListedLines::removeLast()
{
    const Span last = m_spans.takeLast();
    // The bytes go too when they are the last ones of the last block (always, unless the lines were
    // sorted).
    QByteArray &block = m_blocks[last.block];
    const qsizetype bytes = last.wide ? 2 * last.size : last.size;
    if (last.block == m_blocks.size() - 1 && last.begin + bytes == block.size())
        block.truncate(last.begin);
}

QStringList ListedLines::toList() const
{
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

char16_t ListedLines::unitAt(const Span &span, qsizetype k) const
{
    if (!span.wide)
        return byteUnits()[uchar(data(span)[k])];
    char16_t unit;
    std::memcpy(&unit, data(span) + 2 * k, sizeof unit);
    return unit;
}

bool ListedLines::less(const Span &a, const Span &b, bool foldAZ) const
{
    const qsizetype n = qMin(a.size, b.size);
    if (!a.wide && !b.wide) {
        const uchar *x = reinterpret_cast<const uchar *>(data(a));
        const uchar *y = reinterpret_cast<const uchar *>(data(b));
        const std::array<uchar, 256> &rank = foldAZ ? byteRanks().folded : byteRanks().plain;
        qsizetype k = 0;
        while (k < n) {
            // Equal bytes are equal characters: skipped eight at a time.
            if (k + 8 <= n && std::memcmp(x + k, y + k, 8) == 0) {
                k += 8;
                continue;
            }
            if (rank[x[k]] != rank[y[k]])
                return rank[x[k]] < rank[y[k]];
            ++k;
        }
        return a.size < b.size;
    }
    for (qsizetype k = 0; k < n; ++k) {
        char16_t u = unitAt(a, k);
        char16_t v = unitAt(b, k);
        if (foldAZ) {
            u = ::foldAZ(u);
            v = ::foldAZ(v);
        }
        if (u != v)
            return u < v;
    }
    return a.size < b.size;
}

QVector<qsizetype> ListedLines::sortedOrder(bool foldAZ) const
{
    QVector<qsizetype> order(size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this, foldAZ](qsizetype a, qsizetype b) { return less(m_spans.at(a), m_spans.at(b), foldAZ); });
    return order;
}

void ListedLines::reorder(const QVector<qsizetype> &order)
{
    QVector<Span> spans;
    spans.reserve(order.size());
    for (const qsizetype i : order)
        spans.append(m_spans.at(i));
    m_spans = std::move(spans);
}

void ListedRecords::sortByLine()
{
    reorder(*this, lines.sortedOrder(false));
}

void ListedRecords::sortByLineFoldingAZ()
{
    reorder(*this, lines.sortedOrder(true));
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

namespace {

// Lines is a QStringList or ListedLines.
template<typename Lines>
Step findIn(const Lines &lines, int selected, const QString &text, QString &remembered)
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

}  // namespace

Step findNext(const QStringList &lines, int selected, const QString &text, QString &remembered)
{
    return findIn(lines, selected, text, remembered);
}

Step findNext(const ListedLines &lines, int selected, const QString &text, QString &remembered)
{
    return findIn(lines, selected, text, remembered);
}

}  // namespace ListFind
