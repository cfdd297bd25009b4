#pragma once

#include "reports/SheetReport.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>

class AppWindows;
struct PreparedReport;
class QLabel;
class QPushButton;
class TfrmInterventi;

// What the sheet's print and preview dialogs share.
namespace SheetPrinting {

// The sheet as the window shows it at this moment (saved or not): the texts of its controls, the
// pictures of its two photo areas at full size, and the logo.
SheetReport::Values valuesFromWindow(const TfrmInterventi &window, const QImage &logo);

}  // namespace SheetPrinting

// What the print and the preview dialog of the sheet share: the instruction picture over "Annulla"
// and the confirm button; the logo loaded on showing; the template filled from the sheet window on
// confirming, then handed to output(); a warning when anything fails; the dialog closes either way.
class SheetPrintDialog : public QDialog
{
    Q_OBJECT
public:
    QLabel *imgIstruzioni;
    QPushButton *btnAnnulla, *btnStampa;
    // Hidden picture: the workshop logo, loaded when the dialog is shown.
    QImage imgLogo;

    void FormShow();
    void btnStampaClick();
    void btnAnnullaClick();

protected:
    struct Face
    {
        QString caption, iconPath, title;
        QStringList lines;
        QString confirmText;
    };
    SheetPrintDialog(AppWindows &windows, QWidget *parent, const Face &face);

    // Prints or previews the prepared sheet; false when that failed.
    virtual bool output(const PreparedReport &report) = 0;
    virtual QString failure() const = 0;

    void showEvent(QShowEvent *event) override;

private:
    AppWindows &m_windows;
    bool m_shown = false;
};
