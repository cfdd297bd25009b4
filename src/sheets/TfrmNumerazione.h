#pragma once

#include <QDialog>

class AppHost;
class FocusFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The numbering dialog: the start value that New adds to the number of stored sheets.
class TfrmNumerazione : public QDialog
{
    Q_OBJECT
public:
    TfrmNumerazione(AppHost &host, QWidget *parent);

    QLabel *lblMemory;
    QLabel *imgIstruzioni;
    QLineEdit *txtInizio;
    FocusFrame *effInizio;
    QPushButton *cmdAnnulla;
    QPushButton *cmdApplica;

    void FormShow();
    bool txtInizioKeyDown(QKeyEvent *event);
    void txtInizioExit();
    void cmdApplicaClick();
    void cmdAnnullaClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppHost &m_host;
};
