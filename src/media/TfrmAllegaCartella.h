#pragma once

#include <QDialog>

class AppWindows;
class PictureButton;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordWindow;

// The attachment dialog: the three attachment slots (file name and description) of the record on a
// sheet, customer or vehicle screen. "Sfoglia..." copies a chosen file into the attachments folder
// and names it in the slot, "Apri" opens the slot's file from that folder, the eraser empties the
// name. "Applica e chiudi" hands the six texts to the screen that the context word in lblMemory
// names ("interventi", "clienti", "autoparco"), which keeps them in its hidden holders
// (RecordWindow::setAttachments); "Annulla" hands over nothing.
// Created for one use by the screen's attachment command:
//     TfrmAllegaCartella::editAttachments(windows(), *this, QStringLiteral("clienti"));
class TfrmAllegaCartella : public QDialog
{
    Q_OBJECT
public:
    TfrmAllegaCartella(AppWindows &windows, QWidget *parent);

    // Creates the dialog over the screen, sets the context word, loads the screen's six holders,
    // shows the dialog modally and discards it. True when the user applied.
    static bool editAttachments(AppWindows &windows, RecordWindow &window, const QString &context);

    QLabel *lblMemory;
    QLabel *imgIstruzioni;
    QLineEdit *txtFile01, *txtFile02, *txtFile03;
    QPushButton *btnSfoglia01, *btnSfoglia02, *btnSfoglia03;
    QPushButton *btnApri01, *btnApri02, *btnApri03;
    PictureButton *imgCancella01, *imgCancella02, *imgCancella03;
    QLineEdit *txtDesc01, *txtDesc02, *txtDesc03;
    QPushButton *btnApplica, *btnAnnulla;

    // Puts the three names and three descriptions (each trimmed) into the edits.
    void setTexts(const QString &file01, const QString &desc01, const QString &file02, const QString &desc02,
                  const QString &file03, const QString &desc03);
    // The same from a screen's attachments.
    void loadFrom(const RecordWindow &window);

    void btnSfoglia01Click() { sfoglia(0); }
    void btnSfoglia02Click() { sfoglia(1); }
    void btnSfoglia03Click() { sfoglia(2); }
    void btnApri01Click() { apri(0); }
    void btnApri02Click() { apri(1); }
    void btnApri03Click() { apri(2); }
    void imgCancella01Click() { cancella(0); }
    void imgCancella02Click() { cancella(1); }
    void imgCancella03Click() { cancella(2); }
    void txtFile01Change() { fileChange(0); }
    void txtFile02Change() { fileChange(1); }
    void txtFile03Change() { fileChange(2); }
    void btnApplicaClick();
    void btnAnnullaClick();

    // The screen that a context word names, or none.
    RecordWindow *windowFor(const QString &context) const;

    static QString dialogTitle() { return QStringLiteral("Selezionare il file da allegare:"); }
    static QString dialogFilter() { return QStringLiteral("Tutti i file (*.*)"); }
    static QString overwriteQuestion();
    static QString copyFailed();
    static QString nameTooLong();
    static QString nameNotStorable();
    static QString nameRefused();

private:
    void sfoglia(int slot);
    void apri(int slot);
    void cancella(int slot);
    void fileChange(int slot);

    AppWindows &m_windows;
    QLineEdit *m_files[3];
    QLineEdit *m_descriptions[3];
    QPushButton *m_opens[3];
};
