#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// One intervention sheet of "Schede_Interventi_Elettrauto.pro": 28 zero-terminated text fields packed
// into 11895 bytes. The total, the dates and the paid flag are text as the screen shows them.
struct SchedaRecord
{
    static constexpr int kSize = 11895;
    static QString fileName() { return QStringLiteral("Schede_Interventi_Elettrauto.pro"); }

    enum Field {
        fNumScheda, fData, fTecnico, fAzienda, fPratica, fCliente, fRecapito, fVeicolo, fTarga,
        fMarca, fChilometraggio, fDanni, fDataInizio, fStato, fDataFine, fVernice, fRicambi,
        fInterventi, fManodopera, fNote, fTotale, fPagato, fFile01, fFile02, fFile03, fDesc01,
        fDesc02, fDesc03,
        FieldCount
    };

    struct Layout
    {
        const char *name;
        int offset;
        int capacity;  // the field occupies capacity + 1 bytes
        QString SchedaRecord::*member;
    };
    static const std::array<Layout, FieldCount> &layout();

    QString NumScheda, Data, Tecnico, Azienda, Pratica, Cliente, Recapito, Veicolo, Targa, Marca,
        Chilometraggio, Danni, DataInizio, Stato, DataFine, Vernice, Ricambi, Interventi, Manodopera,
        Note, Totale, Pagato, File01, File02, File03, Desc01, Desc02, Desc03;

    QString &operator[](Field field) { return this->*layout()[field].member; }
    const QString &operator[](Field field) const { return this->*layout()[field].member; }

    // The stored bytes: each text as given (untrimmed), converted to Windows-1252 and cut to its
    // field's capacity, followed by a zero byte; the rest of each field is zero.
    QByteArray toBytes() const;
    // Reads a record (missing bytes of a short buffer read as zero); every text comes back trimmed.
    static SchedaRecord fromBytes(const QByteArray &bytes);
    // The stored bytes of one field of a record buffer, up to its terminator, untouched.
    static QByteArray rawField(const char *record, Field field);
};
