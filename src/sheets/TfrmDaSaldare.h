#pragma once

#include <QDialog>

class AppWindows;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordListView;

// The unpaid-accounts list: every sheet whose paid flag is "No", one line each, built from the
// archive each time the dialog is shown; "Trova" within the list, a double-click opens the sheet in
// the sheet window, "Stampa" prints the list. Created for one use by the sheet window:
//     TfrmDaSaldare dlg(windows, this); dlg.exec();
class TfrmDaSaldare : public QDialog
{
    Q_OBJECT
public:
    TfrmDaSaldare(AppWindows &windows, QWidget *parent = nullptr);

    QLabel *imgTitolo, *imgIstruzioni, *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    RecordListView *lstRecords;
    QLabel *lblRigo03;
    QPushButton *btnChiudi, *btnStampa;

    static QString reportName() { return QStringLiteral("Riepilogo conti non saldati"); }
    static QString reportTitle() { return QStringLiteral("Riepilogo conti non saldati"); }

    void FormShow();
    void FormClose();
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
};
