#pragma once

#include "sheets/SchedaSearch.h"

#include <QDialog>
#include <QList>

class AppWindows;
class FocusFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class RecordListView;

// The sheet search: up to ten criteria at once, the matching sheets one line each, "Trova" within
// the list, a double-click opens the sheet in the sheet window (context word "interventi"), and
// "Stampa" prints the list as a summary. Created for one use by the sheet window:
//     TfrmTrovaInterventi dlg(windows, this); dlg.lblMemory->setText("interventi"); dlg.exec();
class TfrmTrovaInterventi : public QDialog
{
    Q_OBJECT
public:
    TfrmTrovaInterventi(AppWindows &windows, QWidget *parent = nullptr);

    // Hidden: the context word of the caller.
    QLabel *lblMemory;

    // Criteria page.
    QWidget *panAvvio;
    QLabel *imgIstruzioni, *imgDecoro;
    QLineEdit *txtNumScheda, *txtData, *txtTecnico, *txtPratica, *txtCliente, *txtRecapito,
        *txtMarca, *txtTarga, *txtStato, *txtNote;
    FocusFrame *effNumScheda, *effData, *effTecnico, *effPratica, *effCliente, *effRecapito,
        *effMarca, *effTarga, *effStato, *effNote;
    QLabel *lblAttendere;
    QPushButton *btnAnnulla, *btnCerca;

    // Results page.
    QWidget *panContainer;
    QLabel *imgIstruzioniTrova, *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    RecordListView *lstRecords;
    QLabel *lblTrovate, *lblRigo03;
    QPushButton *btnChiudi, *btnStampa;

    // The ten criterion edits in their order (the order of SchedaSearch::criterionFields()).
    QList<QLineEdit *> criterionEdits() const;
    // The criteria as typed.
    QList<SchedaSearch::Criterion> criteriaFromScreen() const;

    static QString reportName() { return QStringLiteral("Riepilogo dati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo schede interventi in archivio"); }

    void FormShow();
    void FormClose();
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    bool txtTrovaKeyDown(QKeyEvent *event);
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    AppWindows &m_windows;
    QStackedWidget *m_pages;
};
