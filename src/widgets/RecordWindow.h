#pragma once

#include "archive/BrowseRule.h"
#include "archive/RecordLayout.h"
#include "widgets/AppWindow.h"
#include "widgets/FieldTable.h"
#include "widgets/FormBinding.h"
#include "widgets/UnsavedChanges.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class QGridLayout;
class QLabel;
class RecordArchive;
class PictureButton;
class QLineEdit;

// What the three record windows (sheets, customers, vehicles) share on top of an app window: one
// record of one archive in the fields of the window's field table (see FieldTable), the commands
// every record window has, the position label `lblPosizione` (empty: not stored yet), the six hidden
// attachment holders, the four browse commands, Save's course with its write at the position or
// append, Duplicate, and the unsaved-changes question before the record on screen gives way (the
// window closes, a browse command, a list or New replaces it). A window adds its field table, its
// layout, its own commands and their handlers.
class RecordWindow : public AppWindow
{
    Q_OBJECT
public:
    // The commands every record window has (see makeCommands).
    PictureButton *cmdNuovo = nullptr, *cmdDuplica = nullptr, *cmdSalva = nullptr, *cmdTrova = nullptr,
                  *cmdFile = nullptr, *cmdAnteprima = nullptr, *cmdStampa = nullptr, *cmdGuida = nullptr,
                  *cmdEsci = nullptr;
    // Browse bar: the four browse commands around the position label.
    PictureButton *cmdPrimo = nullptr, *cmdIndietro = nullptr, *cmdAvanti = nullptr, *cmdUltimo = nullptr;
    QLabel *lblPosizione = nullptr;
    // Hidden: the record's attachment names and descriptions.
    QLabel *lblFile01 = nullptr, *lblFile02 = nullptr, *lblFile03 = nullptr;
    QLabel *lblDesc01 = nullptr, *lblDesc02 = nullptr, *lblDesc03 = nullptr;

    const FormBinding &binding() const { return m_binding; }
    QString archivePath() const;

    // Reads the record at a position afresh and shows it, after the unsaved-changes question; false
    // (nothing changed, no message) when the user keeps the screen as it is or the archive cannot be
    // read there. Used by the list dialogs.
    bool ShowRecordAt(qint64 position);
    // The same from a list opened elsewhere (the launcher, another app): the window is brought up
    // first when it is not shown (the app window it replaces asks about its own changes first).
    bool OpenRecordAt(qint64 position);

    // The browse commands (First, Previous, Next, Last) on the window's archive.
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();

    bool FormCloseQuery() override;

    // The handlers of the commands every record window has. Save, Duplicate and Exit are the same
    // in every window; each window gives the others.
    virtual void cmdNuovoClick() = 0;
    void cmdDuplicaClick();
    void cmdSalvaClick();
    virtual void cmdTrovaClick() = 0;
    virtual void cmdFileClick() = 0;
    virtual void cmdAnteprimaClick() = 0;
    virtual void cmdStampaClick() = 0;
    virtual void cmdGuidaClick() = 0;
    void cmdEsciClick();

    // The command keys of every record window, each pressing the command of that object name when
    // the window has one: Ctrl+S Salva, Ctrl+N Nuovo, Ctrl+D Duplica, Ctrl+F Trova, Ctrl+P Stampa,
    // Page Up / Page Down the previous / next record, Ctrl+Home / Ctrl+End the first / last, Esc Esci
    // (with the unsaved-changes question). Their names end the commands' hints.
    struct CommandKey
    {
        const char *command;
        QKeyCombination key;
        const char *keyName;
    };
    static const QList<CommandKey> &commandKeys();

protected:
    RecordWindow(AppHost &host, const QString &caption, const RecordFormat &format);

    // Shows a whole record read from the archive at a position (see RecordWindowOf).
    virtual void showStored(const QByteArray &record, qint64 position) = 0;
    // After a record's fields were shown: the position label, what belongs to the record (shownAt),
    // and the screen as it stands now is the one without changes.
    void finishShowing(qint64 position);
    // The window shows what belongs to the record at that position besides its fields (its photos).
    virtual void shownAt(qint64 position) { Q_UNUSED(position) }
    // Save with all its checks and messages; true only when everything on screen was stored (the
    // record and its photos): a close that asked for Save goes on only then. The mandatory fields
    // are checked in table order, the record is stored (storeScreen), the window stores what
    // belongs to the record (storedAt), then the confirmation is shown.
    bool saveRecord();
    // What Save does first (a field whose leaving rewrites it is left, for instance).
    virtual void beforeSave() {}
    // Stores the screen's record; the position, 0 when nothing was stored as the user chose, -1 when
    // the archive could not be written (told by tellArchiveFailure). See storeRecord.
    virtual qint64 storeScreen(QString *confirmation);
    virtual void tellArchiveFailure();
    // After the record was stored at position: the window stores the rest (its photos); false when
    // something was not stored (the window has told the user).
    virtual bool storedAt(qint64 position);
    // What Duplicate does after the shared part (attachments and position emptied); false stops it
    // before the focus moves to the first field and the user is told.
    virtual bool prepareDuplicate() { return true; }

    // The commands every record window has, made in parent with their pictures, captions and hints:
    // `newSheet` names the new sheet that New and Duplicate prepare ("l'inserimento di una nuova
    // scheda"). Each is connected to its handler.
    void makeCommands(QWidget *parent, const QString &newSheet);
    // One more command of the window's own, made beside the shared ones (in the parent given to
    // makeCommands) with its picture, caption, hint and object name.
    PictureButton *addCommand(const char *name, const QString &icon, const QString &caption, const QString &hint);
    // The fields of the window from its table (see FieldTable): made, placed in the grids of
    // `sections`, bound, given their input rules, Tab order and code-page guard; the attachment
    // holders are bound too.
    void buildFields(QWidget *content, const QList<FieldRow> &rows, const QList<QGridLayout *> &sections,
                     FieldTable::EnterMoves enter = FieldTable::EnterMoves::FocusOnly);
    // The control of the first row: New and Duplicate put the focus there.
    QWidget *firstField() const { return m_firstField; }

    // Every command that replaces the record on screen asks this first: with unsaved changes, "Salvare
    // le modifiche alla scheda?" with Sì (save; the command goes on only when everything was
    // stored), No (drop them) and Annulla (stay). True when the command may go on.
    bool mayReplaceRecord();

    // The browse bar (commands, with or without captions, around the position label), made once by
    // the window's constructor.
    QWidget *makeBrowseBar(QWidget *parent, int labelPointSize, bool captions);
    QLabel *makePositionLabel(QWidget *parent, int pointSize);
    void clearAttachmentHolders();

    // The first mandatory field of the table that is empty (blanks count as empty) gets its warning
    // and the focus.
    bool mandatoryFilled();
    // The screen's record as Save stores it.
    QByteArray screenBytes() const;

    // Duplicate may only copy a stored record: otherwise the warning is shown and false returned.
    bool mayDuplicate();
    static QString duplicatedMessage();

    // Writes the screen's record at the position of the label, or appends it when the label is
    // empty; sets the label and returns the position, or -1 when the archive could not be written.
    // confirmation receives the message that tells which of the two happened.
    // Before it overwrites, it compares (under the write lock) the record stored now with the record
    // as this window showed it: when another workstation changed it meanwhile, nothing is written
    // silently; the user is told and chooses to overwrite, to reload the stored record (shown in place
    // of the screen's) or to cancel. Those last two return 0: nothing stored, nothing more to tell.
    qint64 storeRecord(const QByteArray &record, QString *confirmation);
    // The sentence that tells that another workstation changed the record since this window showed
    // it: "La scheda è stata modificata da un'altra postazione dopo che è stata aperta." in the
    // words of each window.
    virtual QString changedElsewhereSentence() const = 0;
    // Appends the record that build makes while the archive's write lock is held: build receives the
    // open archive and its record count, so it may read what other workstations stored meanwhile; an
    // empty result stores nothing. Label, result and confirmation as storeRecord.
    qint64 appendRecord(const std::function<QByteArray(RecordArchive &archive, qint64 count)> &build,
                        QString *confirmation);

    FormBinding m_binding;
    UnsavedChanges m_unsaved;

    // Every command of the window (a picture command named "cmd...") becomes a Tab stop after the
    // fields, reached also with the arrows, and gets its key from commandKeys().
    void contentReady() override;

private:
    // The hidden attachment holders, made and bound (in the record's fields of that name) with the
    // fields.
    void makeAttachmentHolders(QWidget *parent);
    void bindAttachmentHolders();
    void browse(BrowseCommand command);
    // Shows a record read from the archive, and keeps it as the record the screen started from.
    void showFromArchive(const QByteArray &record, qint64 position);
    const RecordFormat &m_format;
    QWidget *m_commandParent = nullptr;
    QWidget *m_firstField = nullptr;
    struct Mandatory
    {
        QLineEdit *edit;
        const char *warning;
    };
    QList<Mandatory> m_mandatory;
    // The record as the archive held it when this window showed it or stored it, at its position:
    // what an overwrite expects to find there.
    struct Shown
    {
        qint64 position = 0;
        QByteArray record;
    } m_shown;

    // Values that dialogs hand to the window. Which control shows which value is the window's own
    // business: a dialog calls these (or a window's own import functions) and never writes into the
    // window's controls.
public:
    // The record's three attachments: each slot's file name and description.
    struct Attachment
    {
        QString file;
        QString description;
    };
    using AttachedFiles = std::array<Attachment, 3>;
    // The attachments as the hidden holders hold them now.
    AttachedFiles attachments() const;
    // Puts the attachments into the hidden holders; Save stores them.
    void setAttachments(const AttachedFiles &files);

protected:
    // Shows a value handed to the window in the control bound to field, as the record's display
    // shows it; the screen then counts as changed, as if the user had typed the value.
    void setFieldText(int field, const QString &text);

private:
    // The record field of an attachment slot's file name or description.
    int attachmentField(int slot, bool description) const;
};

// A record window of one record type: the record typed as it goes on the screen and comes back from
// it. A window derives from RecordWindowOf<its record> and adds only what is its own.
template<typename Record>
class RecordWindowOf : public RecordWindow
{
public:
    // Shows a record at a position: its fields, the position label and what belongs to it there.
    void ShowRecord(const Record &record, qint64 position)
    {
        m_binding.showRecord(record);
        finishShowing(position);
    }
    // The record the screen holds, as Save writes it.
    Record RecordFromScreen() const { return m_binding.collectRecord<Record>(); }

protected:
    using RecordWindow::RecordWindow;
    void showStored(const QByteArray &record, qint64 position) override
    {
        ShowRecord(Record::fromBytes(record), position);
    }
};
