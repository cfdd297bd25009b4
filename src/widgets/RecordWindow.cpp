#include "widgets/RecordWindow.h"

#include "archive/RecordArchive.h"
#include "common/TextRules.h"
#include "widgets/AppHost.h"
#include "widgets/ArchiveBrowser.h"
#include "widgets/CommandKeys.h"
#include "widgets/FormBuilder.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QLabel>
#include <QLineEdit>

RecordWindow::RecordWindow(AppHost &host, const QString &caption, const RecordFormat &format)
    : AppWindow(host, caption), m_binding(format), m_unsaved(m_binding), m_format(format)
{
}

const QList<RecordWindow::CommandKey> &RecordWindow::commandKeys()
{
    static const QList<CommandKey> keys = {
        {"cmdSalva", Qt::CTRL | Qt::Key_S, "Ctrl+S"},
        {"cmdNuovo", Qt::CTRL | Qt::Key_N, "Ctrl+N"},
        {"cmdDuplica", Qt::CTRL | Qt::Key_D, "Ctrl+D"},
        {"cmdTrova", Qt::CTRL | Qt::Key_F, "Ctrl+F"},
        {"cmdStampa", Qt::CTRL | Qt::Key_P, "Ctrl+P"},
        {"cmdIndietro", QKeyCombination(Qt::Key_PageUp), "PgSu"},
        {"cmdAvanti", QKeyCombination(Qt::Key_PageDown), "PgGiù"},
        {"cmdPrimo", Qt::CTRL | Qt::Key_Home, "Ctrl+Home"},
        {"cmdUltimo", Qt::CTRL | Qt::Key_End, "Ctrl+Fine"},
        {"cmdEsci", QKeyCombination(Qt::Key_Escape), "Esc"},
    };
    return keys;
}

void RecordWindow::contentReady()
{
    QList<PictureButton *> commands;
    for (PictureButton *button : findChildren<PictureButton *>()) {
        if (button->objectName().startsWith(QLatin1String("cmd")))
            commands.append(button);
    }
    CommandKeys::group(this, commands);
    for (const CommandKey &key : commandKeys()) {
        if (auto *command = findChild<PictureButton *>(QLatin1String(key.command)))
            CommandKeys::shortcut(this, command, QKeySequence(key.key), QString::fromUtf8(key.keyName));
    }
}

PictureButton *RecordWindow::addCommand(const char *name, const QString &icon, const QString &caption,
                                        const QString &hint)
{
    return FormBuilder::command(m_commandParent, icon, caption, hint, QString::fromLatin1(name));
}

void RecordWindow::makeCommands(QWidget *parent, const QString &newSheet)
{
    m_commandParent = parent;
    auto command = [parent](const char *name, const char *icon, const char *caption, const QString &hint) {
        return FormBuilder::command(parent, QString::fromLatin1(icon), QString::fromUtf8(caption), hint,
                                    QString::fromLatin1(name));
    };
    const QString prepare = QStringLiteral("Prepara la schermata per ") + newSheet;
    cmdNuovo = command("cmdNuovo", ":/icons/document-new.svg", "Nuovo", prepare + QLatin1Char('.'));
    cmdDuplica = command("cmdDuplica", ":/icons/edit-copy.svg", "Duplica",
                         prepare + QStringLiteral(" duplicando i dati correnti."));
    cmdSalva =
        command("cmdSalva", ":/icons/document-save.svg", "Salva", QStringLiteral("Salva la scheda in archivio."));
    cmdTrova =
        command("cmdTrova", ":/icons/system-search.svg", "Trova", QStringLiteral("Trova una scheda in archivio."));
    cmdFile =
        command("cmdFile", ":/icons/mail-attachment.svg", "Allega file", QStringLiteral("Allega file alla scheda."));
    cmdAnteprima = command("cmdAnteprima", ":/icons/document-print-preview.svg", "Anteprima",
                           QStringLiteral("Visualizza l'anteprima di stampa della scheda."));
    cmdStampa = command("cmdStampa", ":/icons/document-print.svg", "Stampa", QStringLiteral("Stampa la scheda."));
    cmdGuida =
        command("cmdGuida", ":/icons/help-browser.svg", "Guida", QStringLiteral("Visualizza la guida in linea."));
    cmdEsci = command("cmdEsci", ":/icons/system-log-out.svg", "Esci", QStringLiteral("Esci da questa schermata."));
    connect(cmdNuovo, &QToolButton::clicked, this, [this] { cmdNuovoClick(); });
    connect(cmdDuplica, &QToolButton::clicked, this, &RecordWindow::cmdDuplicaClick);
    connect(cmdSalva, &QToolButton::clicked, this, &RecordWindow::cmdSalvaClick);
    connect(cmdTrova, &QToolButton::clicked, this, [this] { cmdTrovaClick(); });
    connect(cmdFile, &QToolButton::clicked, this, [this] { cmdFileClick(); });
    connect(cmdAnteprima, &QToolButton::clicked, this, [this] { cmdAnteprimaClick(); });
    connect(cmdStampa, &QToolButton::clicked, this, [this] { cmdStampaClick(); });
    connect(cmdGuida, &QToolButton::clicked, this, [this] { cmdGuidaClick(); });
    connect(cmdEsci, &QToolButton::clicked, this, &RecordWindow::cmdEsciClick);
}

void RecordWindow::buildFields(QWidget *content, const QList<FieldRow> &rows, const QList<QGridLayout *> &sections,
                               FieldTable::EnterMoves enter)
{
    const QList<QWidget *> controls = FieldTable::build(host(), this, content, m_binding, m_format, rows, sections,
                                                        enter, [this](const QString &why) { panInfo->setText(why); });
    makeAttachmentHolders(content);
    bindAttachmentHolders();
    m_firstField = controls.value(0);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).mandatory)
            m_mandatory.append({qobject_cast<QLineEdit *>(controls.at(i)), rows.at(i).mandatory});
    }
}

QByteArray RecordWindow::screenBytes() const
{
    QByteArray record(m_format.size(), '\0');
    const QStringList values = m_binding.collect();
    for (int i = 0; i < m_format.fieldCount() && i < values.size(); ++i)
        m_format.put(record, i, values.at(i));
    return record;
}

void RecordWindow::cmdSalvaClick()
{
    saveRecord();
}

void RecordWindow::cmdEsciClick()
{
    close();
}

bool RecordWindow::saveRecord()
{
    beforeSave();
    if (!mandatoryFilled())
        return false;
    QString confirmation;
    const qint64 position = storeScreen(&confirmation);
    if (position == 0)
        return false;  // another workstation's record kept, as the user chose
    if (position < 0) {
        tellArchiveFailure();
        return false;
    }
    if (!storedAt(position))
        return false;
    m_unsaved.remember();
    MessageBoxes::information(this, confirmation);
    return true;
}

qint64 RecordWindow::storeScreen(QString *confirmation)
{
    return storeRecord(screenBytes(), confirmation);
}

void RecordWindow::tellArchiveFailure()
{
    MessageBoxes::error(this, archiveAccessMessage());
}

bool RecordWindow::storedAt(qint64)
{
    return true;
}

void RecordWindow::cmdDuplicaClick()
{
    if (!mayDuplicate())
        return;
    clearAttachmentHolders();
    lblPosizione->clear();
    if (!prepareDuplicate())
        return;
    m_firstField->setFocus(Qt::OtherFocusReason);
    MessageBoxes::information(this, duplicatedMessage());
}

QString RecordWindow::archivePath() const
{
    return host().filePath(m_format.fileName());
}

QWidget *RecordWindow::makeBrowseBar(QWidget *parent, int labelPointSize, bool captions)
{
    auto command = [parent, captions](const char *name, const char *icon, const char *caption, const char *hint) {
        return FormBuilder::command(parent, QString::fromLatin1(icon),
                                    captions ? QString::fromUtf8(caption) : QString(), QString::fromUtf8(hint),
                                    QString::fromLatin1(name));
    };
    cmdPrimo = command("cmdPrimo", ":/icons/go-first.svg", "Prima", "Visualizza la prima scheda in archivio.");
    cmdIndietro =
        command("cmdIndietro", ":/icons/go-previous.svg", "Precedente", "Visualizza la scheda precedente in archivio.");
    cmdAvanti =
        command("cmdAvanti", ":/icons/go-next.svg", "Successiva", "Visualizza la scheda successiva in archivio.");
    cmdUltimo = command("cmdUltimo", ":/icons/go-last.svg", "Ultima", "Visualizza l'ultima scheda in archivio.");
    connect(cmdPrimo, &QToolButton::clicked, this, &RecordWindow::cmdPrimoClick);
    connect(cmdIndietro, &QToolButton::clicked, this, &RecordWindow::cmdIndietroClick);
    connect(cmdAvanti, &QToolButton::clicked, this, &RecordWindow::cmdAvantiClick);
    connect(cmdUltimo, &QToolButton::clicked, this, &RecordWindow::cmdUltimoClick);
    makePositionLabel(parent, labelPointSize);
    return FormBuilder::commandGroup(parent, {cmdPrimo, cmdIndietro, lblPosizione, cmdAvanti, cmdUltimo});
}

QLabel *RecordWindow::makePositionLabel(QWidget *parent, int pointSize)
{
    lblPosizione = new QLabel(parent);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setMinimumWidth(64);
    lblPosizione->setFont(FormHelpers::font(QStringLiteral("Verdana"), pointSize, true));
    return lblPosizione;
}

void RecordWindow::makeAttachmentHolders(QWidget *parent)
{
    QLabel **const holders[] = {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03};
    const char *const names[] = {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"};
    for (int i = 0; i < 6; ++i) {
        *holders[i] = new QLabel(parent);
        (*holders[i])->setObjectName(QString::fromLatin1(names[i]));
        (*holders[i])->hide();
    }
}

void RecordWindow::bindAttachmentHolders()
{
    QLabel *const holders[] = {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03};
    const char *const fields[] = {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"};
    for (int i = 0; i < 6; ++i)
        m_binding.hidden(m_format.indexOf(fields[i]), holders[i]);
}

void RecordWindow::clearAttachmentHolders()
{
    for (QLabel *holder : {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})
        holder->clear();
}

bool RecordWindow::OpenRecordAt(qint64 position)
{
    if (!isVisible() && !host().showApp(this))
        return false;
    return ShowRecordAt(position);
}

bool RecordWindow::ShowRecordAt(qint64 position)
{
    if (!mayReplaceRecord())
        return false;
    QByteArray bytes;
    if (!RecordArchive::readRecordAt(archivePath(), m_format.size(), position, bytes))
        return false;
    showFromArchive(bytes, position);
    return true;
}

void RecordWindow::showFromArchive(const QByteArray &record, qint64 position)
{
    m_shown = {position, record};
    showStored(record, position);
}

void RecordWindow::finishShowing(qint64 position)
{
    lblPosizione->setText(QString::number(position));
    shownAt(position);
    m_unsaved.remember();
}

void RecordWindow::browse(BrowseCommand command)
{
    ArchiveBrowser::run(
        this, lblPosizione, archivePath(), m_format.size(), command,
        [this](const QByteArray &record, qint64 position) { showFromArchive(record, position); },
        [this] { return mayReplaceRecord(); });
}

void RecordWindow::cmdPrimoClick()
{
    browse(BrowseCommand::First);
}

void RecordWindow::cmdIndietroClick()
{
    browse(BrowseCommand::Previous);
}

void RecordWindow::cmdAvantiClick()
{
    browse(BrowseCommand::Next);
}

void RecordWindow::cmdUltimoClick()
{
    browse(BrowseCommand::Last);
}

bool RecordWindow::FormCloseQuery()
{
    return mayReplaceRecord();
}

bool RecordWindow::mayReplaceRecord()
{
    return m_unsaved.mayLeave(this, QStringLiteral("Salvare le modifiche alla scheda?"),
                              [this] { return saveRecord(); });
}

bool RecordWindow::mandatoryFilled()
{
    for (const Mandatory &field : std::as_const(m_mandatory)) {
        if (TextRules::trim(field.edit->text()).isEmpty()) {
            MessageBoxes::warning(this, QString::fromUtf8(field.warning));
            field.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

bool RecordWindow::mayDuplicate()
{
    if (!TextRules::trim(lblPosizione->text()).isEmpty())
        return true;
    MessageBoxes::warning(this, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                               "dopo che questa è stata inserita in archivio."));
    return false;
}

QString RecordWindow::duplicatedMessage()
{
    return QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl "
                          "termine premere Salva per inserire la scheda in archivio.");
}

qint64 RecordWindow::storeRecord(const QByteArray &record, QString *confirmation)
{
    const QString label = TextRules::trim(lblPosizione->text());
    if (label.isEmpty())
        return appendRecord([&record](RecordArchive &, qint64) { return record; }, confirmation);
    *confirmation = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    bool numeric = false;
    const qint64 position = label.toLongLong(&numeric);
    if (!numeric)
        return -1;
    // What the overwrite expects to find: the record as shown. A window that never read the record
    // at its position has nothing to compare with and overwrites as it is told.
    const bool known = m_shown.position == position && !m_shown.record.isEmpty();
    QByteArray expected = m_shown.record;
    const auto asExpected = [&](const QByteArray &now) { return !known || m_format.sameFields(now, expected); };
    for (;;) {
        RecordArchive archive;
        QByteArray storedNow;
        RecordArchive::Overwrite outcome = RecordArchive::Overwrite::Failed;
        if (archive.OpenOrCreate(archivePath(), m_format.size()))
            outcome = archive.WriteAtIf(position, record, asExpected, &storedNow);
        archive.Close();
        if (outcome == RecordArchive::Overwrite::Failed)
            return -1;
        if (outcome == RecordArchive::Overwrite::Written) {
            m_shown = {position, record};
            return position;
        }
        // The question is asked with no file open and no lock held.
        const QString question =
            changedElsewhereSentence()
            + QStringLiteral("\n\r\n\rSovrascrivi: la scheda com'è sullo schermo prende il posto di quella salvata "
                             "dall'altra postazione.\n\rRicarica: mostra la scheda com'è ora in archivio; le "
                             "modifiche sullo schermo vanno perse.\n\rAnnulla: non salva nulla e lascia la scheda "
                             "sullo schermo com'è.");
        switch (MessageBoxes::show(this, MessageBoxes::Kind::OverwriteQuestion, question)) {
        case MessageBoxes::Answer::Overwrite:
            // Over the record just seen: should yet another change come in meanwhile, it is told too.
            expected = storedNow;
            continue;
        case MessageBoxes::Answer::Reload: showFromArchive(storedNow, position); return 0;
        default: return 0;
        }
    }
}

qint64 RecordWindow::appendRecord(const std::function<QByteArray(RecordArchive &, qint64)> &build,
                                  QString *confirmation)
{
    *confirmation = QStringLiteral("La scheda corrente è stata inserita in archivio.");
    RecordArchive archive;
    qint64 position = -1;
    QByteArray appended;
    if (archive.OpenOrCreate(archivePath(), m_format.size()))
        position = archive.Append([&](qint64 count) { return appended = build(archive, count); });
    archive.Close();
    if (position >= 1) {
        lblPosizione->setText(QString::number(position));
        m_shown = {position, appended};
    }
    return position;
}

RecordWindow::AttachedFiles RecordWindow::attachments() const
{
    const QStringList values = m_binding.collect();
    AttachedFiles files;
    for (int slot = 0; slot < int(files.size()); ++slot) {
        files[slot].file = values.value(attachmentField(slot, false));
        files[slot].description = values.value(attachmentField(slot, true));
    }
    return files;
}

void RecordWindow::setAttachments(const AttachedFiles &files)
{
    for (int slot = 0; slot < int(files.size()); ++slot) {
        setFieldText(attachmentField(slot, false), files[slot].file);
        setFieldText(attachmentField(slot, true), files[slot].description);
    }
}

void RecordWindow::setFieldText(int field, const QString &text)
{
    m_binding.showField(field, text);
}

int RecordWindow::attachmentField(int slot, bool description) const
{
    const char *const files[] = {"File01", "File02", "File03"};
    const char *const descriptions[] = {"Desc01", "Desc02", "Desc03"};
    return m_format.indexOf(description ? descriptions[slot] : files[slot]);
}
