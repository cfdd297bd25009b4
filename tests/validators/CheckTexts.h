#pragma once

#include <QString>

// The messages of the four identifier checks, as the user reads them.
namespace CheckTexts {

// Credit card
inline const QString kEmpty = QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere "
                                             "il pulsante di controllo.");
inline const QString kCardWrong =
    QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                   "Non è quindi possibile fornire informazioni relative al tipo di carta "
                   "di credito.");
inline QString cardValid(const QString &number, const QString &type)
{
    return QStringLiteral("Il numero di carta di credito ") + number
           + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo ") + type + QStringLiteral(".");
}
inline const QString kDiners = QStringLiteral("Diner's Club / Carte Blanche");
inline const QString kAmex = QStringLiteral("American Express");

// Tax code
inline const QString kTaxCodeValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
inline const QString kTaxCodeWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
inline const QString kTaxCodeLength = QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 "
                                                     "caratteri alfanumerici.");

// IBAN
inline const QString kIbanValid = QStringLiteral("L'IBAN digitato è VALIDO.");
inline const QString kIbanWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");
inline const QString kIbanLength =
    QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");

// VAT number
inline const QString kVatLength =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
inline const QString kVatWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                                "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                                "che lo ha rilasciato.");
inline QString vatValid(const QString &office)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                          "E' stato rilasciato dall'Ufficio IVA del Comune di ")
           + office + QStringLiteral(".");
}

}  // namespace CheckTexts
