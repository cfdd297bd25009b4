// Typed and stored amounts: the total's normalisation of the sheet window, the numbering start of the
// numbering dialog, and the amounts of the plate history (stored total -> cents -> text).
//
// Input: one flag byte (bit 0: the text is Windows-1252 bytes, as read from an archive; otherwise
// UTF-8, as pasted), eight bytes of a cents value, then the text.

#include "FuzzSupport.h"

#include "common/TextRules.h"
#include "sheets/SchedaRules.h"
#include "sheets/StoricoTarga.h"

#include <QRegularExpression>

namespace {

// "0,00", "12,30", "-1234,56": no leading zeros, a comma and two decimals.
bool isNormalTotal(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^-?(0|[1-9][0-9]*),[0-9][0-9]$"));
    return form.match(text).hasMatch() && text != QLatin1String("-0,00");
}

void checkTotal(const QString &typed)
{
    const QString total = SchedaRules::normaliseTotale(typed);
    FUZZ_CHECK(isNormalTotal(total), Fuzz::shown(typed) + QStringLiteral(" -> ") + Fuzz::shown(total));
    FUZZ_CHECK(SchedaRules::normaliseTotale(total) == total, Fuzz::shown(typed) + QStringLiteral(" -> ") + total
                                                                 + QStringLiteral(" -> ")
                                                                 + SchedaRules::normaliseTotale(total));

    // Only pasting brings a sign: what the keyboard lets through never gives a negative total.
    bool typedOnly = true;
    for (const QChar c : typed)
        typedOnly = typedOnly && SchedaRules::isTotaleCharacter(c);
    FUZZ_CHECK(!typedOnly || !total.startsWith(QLatin1Char('-')), Fuzz::shown(typed) + QStringLiteral(" -> ") + total);

    // The plate history reads every total the sheet window stores (as long as it fits its 15 digits)
    // and writes it back the same.
    const qsizetype wholeDigits = total.indexOf(QLatin1Char(',')) - (total.startsWith(QLatin1Char('-')) ? 1 : 0);
    if (wholeDigits <= 15) {
        const std::optional<qint64> cents = StoricoTarga::cents(total);
        FUZZ_CHECK(cents.has_value(), total);
        FUZZ_CHECK(StoricoTarga::amountText(*cents) == total,
                   total + QStringLiteral(" -> ") + StoricoTarga::amountText(*cents));
    }

    // Where both readers accept the typed text as a plain amount (a comma, at most two decimals, no
    // thousands points), they agree on its value.
    const std::optional<qint64> typedCents = StoricoTarga::cents(typed);
    if (typedCents && !typed.contains(QLatin1Char('.')))
        FUZZ_CHECK(StoricoTarga::amountText(*typedCents) == total, Fuzz::shown(typed) + QStringLiteral(": history ")
                                                                       + StoricoTarga::amountText(*typedCents)
                                                                       + QStringLiteral(", sheet ") + total);
}

void checkCents(const QString &stored)
{
    const std::optional<qint64> cents = StoricoTarga::cents(stored);
    if (!cents)
        return;
    const QString text = StoricoTarga::amountText(*cents);
    FUZZ_CHECK(StoricoTarga::cents(text) == cents, Fuzz::shown(stored) + QStringLiteral(" -> ") + text);
}

void checkAmountText(qint64 cents)
{
    const QString text = StoricoTarga::amountText(cents);
    static const QRegularExpression form(QStringLiteral("^-?[0-9]+,[0-9][0-9]$"));
    FUZZ_CHECK(form.match(text).hasMatch(), QString::number(cents) + QStringLiteral(" -> ") + text);
    // The history's reader keeps at most 15 whole digits.
    if (cents > -Q_INT64_C(100000000000000000) && cents < Q_INT64_C(100000000000000000))
        FUZZ_CHECK(StoricoTarga::cents(text) == cents, QString::number(cents) + QStringLiteral(" -> ") + text);
}

void checkNumberingStart(const QString &typed)
{
    // What the dialog leaves in its edit is always a start that the numbering accepts.
    const QString start = SchedaRules::normaliseInizio(typed);
    static const QRegularExpression form(QStringLiteral("^(0|[1-9][0-9]*)$"));
    FUZZ_CHECK(form.match(start).hasMatch(), Fuzz::shown(typed) + QStringLiteral(" -> ") + Fuzz::shown(start));
    bool ok = false;
    const qint64 value = SchedaRules::numberingStartValue(start, &ok);
    FUZZ_CHECK(ok && QString::number(value) == start, Fuzz::shown(typed) + QStringLiteral(" -> ") + start);
    FUZZ_CHECK(SchedaRules::normaliseInizio(start) == start, Fuzz::shown(typed) + QStringLiteral(" -> ") + start);

    // A hand-edited stored start: accepted ones lie within the limit; the proposed number never
    // overflows silently.
    const qint64 stored = SchedaRules::numberingStartValue(typed, &ok);
    if (ok) {
        FUZZ_CHECK(stored <= SchedaRules::kLargestStart && stored >= -SchedaRules::kLargestStart, Fuzz::shown(typed));
        bool fits = false;
        const qint64 proposed = SchedaRules::proposedNumber(stored, Q_INT64_C(1) << 40, &fits);
        FUZZ_CHECK(fits && proposed == stored + (Q_INT64_C(1) << 40), Fuzz::shown(typed));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    const quint8 flags = input.byte();
    const qint64 cents = qint64(input.quad());
    const QByteArray bytes = input.rest();
    const QString text = (flags & 1) ? Fuzz::codePageText(bytes) : Fuzz::utf8Text(bytes);

    checkTotal(text);
    checkCents(text);
    checkAmountText(cents);
    checkNumberingStart(text);
    return 0;
}
