#pragma once

#include "widgets/RecordListDialog.h"

#include <QDate>

class AppWindows;
class QComboBox;
class QLabel;

// The deadlines of the fleet ("Scadenze"): every revisione, tagliando, assicurazione and bollo that is
// overdue or falls within the chosen period, one line each, by date, with the vehicle's plate, make
// and model, owner and telephone; a date that is not valid is listed as "data non valida". The period
// (7, 30, 60 or 90 days) and the kind can be chosen; the column headings stand on the list, and under
// it the count with what the days mean; "Trova" within the list, "Stampa" prints it (titled with the
// period and kind, with the headings, the count and the meaning of the days), a
// double-click opens the vehicle in the vehicle window. Opened from the vehicle window and from the
// launcher:
//     TfrmScadenze dlg(windows, this); dlg.exec();
class TfrmScadenze : public RecordListDialog
{
    Q_OBJECT
public:
    TfrmScadenze(AppWindows &windows, QWidget *parent = nullptr);

    QLabel *imgTitolo;
    QComboBox *cmbPeriodo, *cmbTipo;
    QLabel *lblIntestazione, *lblConteggio;

    static QString reportName() { return QStringLiteral("Riepilogo scadenze"); }
    static QString reportTitle() { return QStringLiteral("Scadenze del parco automezzi"); }

    // The day the deadlines are counted from (today unless a test sets it).
    QDate today;

    void FormShow() override;
    // Lists the deadlines again for the chosen period and kind.
    void cmbFiltroChange();
    // The printed title: the report's title with the period and kind chosen and the day counted from.
    QString printTitle() const;

private:
    AppWindows &m_windows;
};
