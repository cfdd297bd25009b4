#pragma once

#include "reports/Report.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

// The small dialog that confirms printing or previewing a record (the intervention sheet, the vehicle
// sheet): an instruction picture over "Annulla" (`btnAnnulla`) and the confirm button (`btnStampa`).
// When shown it loads its picture (the workshop logo, the vehicle's photo) if the caller gives one;
// on confirming, the caller's builder fills its template from the window and lays it out, then the
// report is printed (after the print dialog) or shown in the preview window. Any failure on the way
// shows the caller's warning; the dialog closes either way. "Annulla" closes it without output.
//
//     RecordPrintDialog::Setup setup = RecordPrintDialog::printing(failureText);
//     setup.centreOver = vehicleWindow;
//     setup.picture = [] { return ...the photo...; };
//     setup.build = [](const QImage &photo) -> std::optional<PreparedReport> { ... };
//     RecordPrintDialog dialog(setup, parent); dialog.exec();
class RecordPrintDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Output { Print, Preview };

    struct Setup
    {
        QString caption;   // the window title
        QString iconPath;  // the instruction picture: icon, title and lines
        QString title;
        QStringList lines;
        QString confirmText;  // the confirm button
        Output output = Output::Print;
        QString failureMessage;         // the warning shown when anything fails
        QWidget *centreOver = nullptr;  // the calling window
        // Loaded when the dialog is shown and kept in imgLogo; none: imgLogo stays empty.
        std::function<QImage()> picture;
        // Fills the template and prepares it, given imgLogo; nothing when that failed.
        std::function<std::optional<PreparedReport>(const QImage &picture)> build;
    };

    // " Stampa documento" with "Stampa", and " Anteprima di stampa" with "Mostra anteprima": the faces
    // of the print and preview dialogs, with their instruction texts.
    static Setup face(Output output, const QString &failureMessage);
    static Setup printing(const QString &failureMessage) { return face(Output::Print, failureMessage); }
    static Setup previewing(const QString &failureMessage) { return face(Output::Preview, failureMessage); }

    RecordPrintDialog(const Setup &setup, QWidget *parent = nullptr);

    QLabel *imgIstruzioni;
    QPushButton *btnAnnulla, *btnStampa;
    // Hidden picture: what Setup::picture loaded when the dialog was shown.
    QImage imgLogo;

    void FormShow();
    void btnStampaClick();
    void btnAnnullaClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Prints or previews; false when that failed (a cancelled print dialog is no failure).
    bool output(const PreparedReport &report);

    Setup m_setup;
    bool m_shown = false;
};
