// The four identifier checks: tax code (codice fiscale), VAT number (partita IVA), IBAN and payment
// card. Each is compared with a plain reference written from its rule (Luhn formula, modulo 97 digit
// by digit) and with the properties its rule promises.
//
// Input: one byte that picks the check (the other three run on the text too, for crashes only) and
// whether the text is Windows-1252 (as typed into a record) or UTF-8 (as pasted), then the text.

#include "FuzzSupport.h"

#include "common/TextRules.h"
#include "validators/CartaCredito.h"
#include "validators/CodiceFiscale.h"
#include "validators/Iban.h"
#include "validators/PartitaIva.h"

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The Luhn formula over a text of digits: from the right, every second digit doubled (less 9 when
// it exceeds 9); the sum is a multiple of 10.
bool luhn(const QString &digits)
{
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        int d = digits.at(digits.size() - 1 - i).unicode() - u'0';
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return sum % 10 == 0;
}

// The remainder modulo 97 of a text of digits, one digit at a time; 0 for an empty text or one with
// anything but the digits 0 to 9.
int remainder97(const QString &digits)
{
    if (digits.isEmpty())
        return 0;
    int r = 0;
    for (const QChar c : digits) {
        if (!isAsciiDigit(c))
            return 0;
        r = (r * 10 + (c.unicode() - u'0')) % 97;
    }
    return r;
}

void checkCodiceFiscale(const QString &code)
{
    const QChar check = CodiceFiscale::checkCharacter(code);
    bool inRange = code.size() >= 15;
    for (qsizetype i = 0; i < 15 && i < code.size(); ++i)
        inRange = inRange && CodiceFiscale::oddValue(code.at(i)) >= 0 && CodiceFiscale::evenValue(code.at(i)) >= 0;
    FUZZ_CHECK(check.isNull() == !inRange, Fuzz::shown(code));
    FUZZ_CHECK(check.isNull() || (check >= QLatin1Char('A') && check <= QLatin1Char('Z')), Fuzz::shown(code));
    FUZZ_CHECK(CodiceFiscale::checkCharacter(code.left(15)) == check, Fuzz::shown(code));
    FUZZ_CHECK(CodiceFiscale::isValid(code) == (code.size() == 16 && !check.isNull() && code.at(15) == check),
               Fuzz::shown(code));
    for (const QChar c : code) {
        const bool range = c >= QLatin1Char('0') && c <= QLatin1Char('Z');
        FUZZ_CHECK((CodiceFiscale::oddValue(c) >= 0) == range && (CodiceFiscale::evenValue(c) >= 0) == range,
                   Fuzz::shown(QString(c)));
        FUZZ_CHECK(CodiceFiscale::oddValue(c) <= 25 && CodiceFiscale::evenValue(c) <= 25, Fuzz::shown(QString(c)));
    }
    // A digit and the letter that stands for it (0 = A ... 9 = J, the replacement used when two people
    // would get the same code) count the same at every position: the check character stays.
    if (!check.isNull()) {
        QString substituted = code;
        for (qsizetype i = 0; i < 15; ++i) {
            if (isAsciiDigit(substituted.at(i)))
                substituted[i] = QChar(u'A' + (substituted.at(i).unicode() - u'0'));
        }
        FUZZ_CHECK(CodiceFiscale::checkCharacter(substituted) == check, Fuzz::shown(code));
    }
}

void checkPartitaIva(const QString &number)
{
    bool digits = number.size() == 11;
    for (const QChar c : number)
        digits = digits && isAsciiDigit(c);
    // The VAT check digit is the Luhn check digit of the first ten.
    FUZZ_CHECK(PartitaIva::isValid(number) == (digits && luhn(number)), Fuzz::shown(number));
    const QString office = PartitaIva::officeCode(number);
    FUZZ_CHECK(office == number.mid(7, 3), Fuzz::shown(number) + QStringLiteral(" -> ") + Fuzz::shown(office));
    const QString name = PartitaIva::officeName(office);
    FUZZ_CHECK(name.isEmpty() || office.size() == 3, Fuzz::shown(number));
    if (PartitaIva::isValid(number)) {
        // Any other last digit is refused.
        QString other = number;
        other[10] = QChar(u'0' + ((number.at(10).unicode() - u'0' + 1) % 10));
        FUZZ_CHECK(!PartitaIva::isValid(other), Fuzz::shown(number));
    }
}

void checkIban(const QString &text)
{
    FUZZ_CHECK(Iban::remainder97(text) == remainder97(text),
               Fuzz::shown(text)
                   + QStringLiteral(": %1, expected %2").arg(Iban::remainder97(text)).arg(remainder97(text)));

    QString t = text;
    t.remove(QLatin1Char(' '));
    t = TextRules::upperAZ(t);
    if (t.startsWith(QLatin1String("IBAN")))
        t.remove(0, 4);
    t = t.mid(4) + t.left(4);
    QString digits;
    for (const QChar c : t)
        digits +=
            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QString::number(c.unicode() - u'A' + 10) : QString(c);
    const bool valid = Iban::isValid(text);
    FUZZ_CHECK(valid == (remainder97(digits) == 1), Fuzz::shown(text));

    // Modulo 97 catches every single wrong digit.
    if (valid) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!isAsciiDigit(text.at(i)))
                continue;
            QString wrong = text;
            wrong[i] = QChar(u'0' + ((text.at(i).unicode() - u'0' + 7) % 10));
            FUZZ_CHECK(!Iban::isValid(wrong), Fuzz::shown(text) + QStringLiteral(" digit %1").arg(i));
        }
    }
}

void checkCarta(const QString &text)
{
    QString digits;
    for (const QChar c : text.left(20)) {
        if (isAsciiDigit(c))
            digits += c;
    }
    int expected = 0;
    if (!digits.isEmpty() && luhn(digits)) {
        const int first4 = digits.size() >= 4 ? digits.left(4).toInt() : -1;
        expected = (first4 >= 2221 && first4 <= 2720) ? 3 : digits.at(0).unicode() - u'0' - 2;
    }
    const int code = CartaCredito::typeCode(text);
    FUZZ_CHECK(code == expected, Fuzz::shown(text) + QStringLiteral(": %1, expected %2").arg(code).arg(expected));
    const QString name = CartaCredito::typeName(code, TextRules::trim(text));
    FUZZ_CHECK((code >= 2 && code <= 4) ? !name.isEmpty() : (code == 1 || name.isEmpty()),
               Fuzz::shown(text) + QStringLiteral(" -> ") + name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input input(data, size);
    const quint8 choice = input.byte();
    const QByteArray bytes = input.rest();
    const QString text = (choice & 0x80) ? Fuzz::utf8Text(bytes) : Fuzz::codePageText(bytes);
    // Each dialog keeps its edit upper-cased and trimmed; the checks also take texts as they are.
    const QString edited = TextRules::upperAZ(TextRules::trim(text));
    for (const QString &t : {text, edited}) {
        switch (choice & 3) {
        case 0: checkCodiceFiscale(t); break;
        case 1: checkPartitaIva(t); break;
        case 2: checkIban(t); break;
        default: checkCarta(t); break;
        }
    }
    // The others, for crashes only.
    CodiceFiscale::isValid(text);
    PartitaIva::officeName(PartitaIva::officeCode(text));
    Iban::isValid(text);
    CartaCredito::typeName(CartaCredito::typeCode(text), text);
    return 0;
}
