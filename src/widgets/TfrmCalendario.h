#pragma once

#include <QDialog>

class AppHost;
class QCalendarWidget;
class QLabel;
class QPushButton;

// The date picker: writes the chosen date as "dd/mm/yyyy" into the date edit that its context word
// names (AppHost::dateEdits(): the sheet and vehicle windows register theirs), and closes. A word
// that names no edit does nothing and the picker stays open; "Annulla" closes it, leaving the edit.
// Windows open it through DateEdits::attach / DateEdits::pick.
class TfrmCalendario : public QDialog
{
    Q_OBJECT
public:
    TfrmCalendario(AppHost &host, QWidget *parent);

    QLabel *lblMemory;
    QLabel *lblCaption;
    QCalendarWidget *calAppuntamenti;
    QPushButton *cmdAnnulla;
    QPushButton *cmdImporta;

    void cmdImportaClick();
    void cmdAnnullaClick();

private:
    AppHost &m_host;
};
