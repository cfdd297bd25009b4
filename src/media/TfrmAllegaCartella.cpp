#include "media/TfrmAllegaCartella.h"

#include "common/TextRules.h"
#include "customers/TfrmClienti.h"
#include "media/Attachments.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "shell/ContextWords.h"
#include "shell/TMisc.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/Artwork.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RecordWindow.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kOrdinals[] = {"1°", "2°", "3°"};

QString numbered(const char *name, int slot)
{
    return QString::fromLatin1(name) + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString TfrmAllegaCartella::overwriteQuestion()
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
                          "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
}

QString TfrmAllegaCartella::copyFailed()
{
    return QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella dei documenti "
                          "allegati.\r\n\r\nAccertarsi di possedere i privilegi di scrittura nella cartella "
                          "Documenti_Allegati del programma e che il file scelto sia leggibile.");
}

QString TfrmAllegaCartella::nameTooLong()
{
    return QStringLiteral("Attenzione: il nome del file scelto è troppo lungo per essere memorizzato nella "
                          "scheda.\r\n\r\nRinominare il file con un nome più breve (al massimo 250 caratteri) "
                          "e allegarlo di nuovo.");
}

QString TfrmAllegaCartella::nameNotStorable()
{
    return QStringLiteral("Attenzione: il nome del file scelto contiene caratteri che non possono essere "
                          "memorizzati nella scheda.\r\n\r\nRinominare il file usando solo lettere, cifre e "
                          "segni comuni e allegarlo di nuovo.");
}

QString TfrmAllegaCartella::nameRefused()
{
    return QStringLiteral("Attenzione: il nome del file allegato non è valido e il file non può essere "
                          "aperto.\r\n\r\nIl nome deve indicare un file della cartella Documenti_Allegati, "
                          "senza percorso.");
}

TfrmAllegaCartella::TfrmAllegaCartella(AppWindows &windows, QWidget *parent) : QDialog(parent), m_windows(windows)
{
    setWindowTitle(QStringLiteral(" Allega file"));
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    imgIstruzioni = new QLabel(this);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));

    QLineEdit **const files[] = {&txtFile01, &txtFile02, &txtFile03};
    QLineEdit **const descriptions[] = {&txtDesc01, &txtDesc02, &txtDesc03};
    QPushButton **const browses[] = {&btnSfoglia01, &btnSfoglia02, &btnSfoglia03};
    QPushButton **const opens[] = {&btnApri01, &btnApri02, &btnApri03};
    PictureButton **const erasers[] = {&imgCancella01, &imgCancella02, &imgCancella03};

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 14);
    body->setSpacing(10);
    for (int slot = 0; slot < 3; ++slot) {
        auto *group = new QGroupBox(this);
        const QString ordinal = QString::fromUtf8(kOrdinals[slot]);

        QLineEdit *file = new QLineEdit(group);
        file->setObjectName(numbered("txtFile", slot));
        file->setReadOnly(true);
        file->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
        file->setMinimumWidth(280);

        auto *browse = new QPushButton(QStringLiteral("Sfoglia..."), group);
        browse->setObjectName(numbered("btnSfoglia", slot));
        auto *open = new QPushButton(QStringLiteral("Apri"), group);
        open->setObjectName(numbered("btnApri", slot));
        open->setEnabled(false);
        for (QPushButton *button : {browse, open}) {
            button->setAutoDefault(false);
            button->setMinimumSize(84, 28);
        }
        auto *eraser = new PictureButton(QStringLiteral(":/icons/edit-clear.svg"), QSize(22, 22),
                                         QStringLiteral("Cancella il nome del file allegato"), group);
        eraser->setObjectName(numbered("imgCancella", slot));
        eraser->setToolTip(QStringLiteral("Cancella il nome del file allegato"));

        QLineEdit *description = new QLineEdit(group);
        description->setObjectName(numbered("txtDesc", slot));
        description->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10));
        // The record keeps 250 bytes of it, one byte per character.
        description->setMaxLength(Attachments::kNameCapacity);
        FormHelpers::applyFieldColours(description);

        auto *grid = new QGridLayout(group);
        grid->setContentsMargins(10, 8, 10, 10);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        grid->addWidget(FormHelpers::caption(QStringLiteral("Nome %1 file allegato:").arg(ordinal), group, 9), 0, 0, 1,
                        4);
        grid->addWidget(file, 1, 0);
        grid->addWidget(browse, 1, 1);
        grid->addWidget(open, 1, 2);
        grid->addWidget(eraser, 1, 3);
        grid->addWidget(FormHelpers::caption(QStringLiteral("Descrizione %1 file allegato:").arg(ordinal), group, 9), 2,
                        0, 1, 4);
        grid->addWidget(description, 3, 0, 1, 4);
        grid->setColumnStretch(0, 1);
        body->addWidget(group);

        *files[slot] = m_files[slot] = file;
        *descriptions[slot] = m_descriptions[slot] = description;
        *browses[slot] = browse;
        *opens[slot] = m_opens[slot] = open;
        *erasers[slot] = eraser;
    }

    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    for (QPushButton *button : {btnApplica, btnAnnulla}) {
        button->setAutoDefault(false);
        button->setMinimumSize(130, 32);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(btnApplica);
    body->addLayout(buttons);

    // The header spans the whole width of the groups below it.
    imgIstruzioni->setPixmap(Artwork::header(
        QSize(qMax(560, body->sizeHint().width()), 112), QStringLiteral(":/icons/mail-attachment.svg"),
        QStringLiteral("ALLEGA FILE"),
        {QStringLiteral("Scegliere ciascun file con Sfoglia..., poi premere Applica e chiudi e in seguito "
                        "Salva sulla schermata per conservare le modifiche."),
         QStringLiteral("Con Apri si apre il file allegato.")}));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgIstruzioni);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Name, Sfoglia, Apri, description for each slot in turn, then the two buttons.
    QList<QWidget *> chain;
    for (int slot = 0; slot < 3; ++slot)
        chain << m_files[slot] << *browses[slot] << m_opens[slot] << m_descriptions[slot];
    chain << btnApplica << btnAnnulla;
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));

    connect(btnSfoglia01, &QPushButton::clicked, this, &TfrmAllegaCartella::btnSfoglia01Click);
    connect(btnSfoglia02, &QPushButton::clicked, this, &TfrmAllegaCartella::btnSfoglia02Click);
    connect(btnSfoglia03, &QPushButton::clicked, this, &TfrmAllegaCartella::btnSfoglia03Click);
    connect(btnApri01, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApri01Click);
    connect(btnApri02, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApri02Click);
    connect(btnApri03, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApri03Click);
    connect(imgCancella01, &QToolButton::clicked, this, &TfrmAllegaCartella::imgCancella01Click);
    connect(imgCancella02, &QToolButton::clicked, this, &TfrmAllegaCartella::imgCancella02Click);
    connect(imgCancella03, &QToolButton::clicked, this, &TfrmAllegaCartella::imgCancella03Click);
    connect(txtFile01, &QLineEdit::textChanged, this, &TfrmAllegaCartella::txtFile01Change);
    connect(txtFile02, &QLineEdit::textChanged, this, &TfrmAllegaCartella::txtFile02Change);
    connect(txtFile03, &QLineEdit::textChanged, this, &TfrmAllegaCartella::txtFile03Change);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);

    FormHelpers::centre(this, parent ? parent->window() : nullptr);
}

bool TfrmAllegaCartella::editAttachments(AppWindows &windows, RecordWindow &window, const QString &context)
{
    TfrmAllegaCartella dialog(windows, &window);
    dialog.lblMemory->setText(context);
    dialog.loadFrom(window);
    return dialog.exec() == QDialog::Accepted;
}

void TfrmAllegaCartella::setTexts(const QString &file01, const QString &desc01, const QString &file02,
                                  const QString &desc02, const QString &file03, const QString &desc03)
{
    const QString names[] = {file01, file02, file03};
    const QString descriptions[] = {desc01, desc02, desc03};
    for (int slot = 0; slot < 3; ++slot) {
        m_files[slot]->setText(TextRules::trim(names[slot]));
        m_descriptions[slot]->setText(TextRules::trim(descriptions[slot]));
        fileChange(slot);
    }
}

void TfrmAllegaCartella::loadFrom(const RecordWindow &window)
{
    const RecordWindow::AttachedFiles files = window.attachments();
    setTexts(files[0].file, files[0].description, files[1].file, files[1].description, files[2].file,
             files[2].description);
}

RecordWindow *TfrmAllegaCartella::windowFor(const QString &context) const
{
    switch (ContextWords::of(context)) {
    case ContextWords::Target::Interventi: return m_windows.frmInterventi();
    case ContextWords::Target::Clienti: return m_windows.frmClienti();
    case ContextWords::Target::Autoparco: return m_windows.frmAutoparco();
    default: return nullptr;
    }
}

void TfrmAllegaCartella::sfoglia(int slot)
{
    const QString chosen = FileDialogs::openFileName(this, dialogTitle(), dialogFilter());
    if (chosen.isEmpty())
        return;
    const QString name = QFileInfo(chosen).fileName();

    // The record must be able to keep the name exactly, or it would name a file that is not there.
    switch (Attachments::fitOfName(name)) {
    case Attachments::NameFit::Fits: break;
    case Attachments::NameFit::TooLong: MessageBoxes::warning(this, nameTooLong()); return;
    case Attachments::NameFit::Unrepresentable: MessageBoxes::warning(this, nameNotStorable()); return;
    }

    const QString programFolder = m_windows.programFolder();
    const QString target = Attachments::folderPath(programFolder) + QLatin1Char('/') + name;
    const QFileInfo source(chosen);
    const QFileInfo existing(target);
    // A file chosen from the attachments folder itself is already in place.
    if (existing.exists() && source.exists() && source.canonicalFilePath() == existing.canonicalFilePath()) {
        m_files[slot]->setText(name);
        return;
    }

    if (!Attachments::ensureFolder(programFolder)) {
        MessageBoxes::warning(this, copyFailed());
        return;
    }
    if (QFileInfo::exists(target) && !MessageBoxes::confirm(this, overwriteQuestion())) {
        // The file already in the folder stays, and the slot names it.
        m_files[slot]->setText(name);
        return;
    }
    // The slot must not name a file that did not reach the folder: it keeps its former name.
    if (!Attachments::copyReplacing(chosen, target)) {
        MessageBoxes::warning(this, copyFailed());
        return;
    }
    m_files[slot]->setText(name);
}

void TfrmAllegaCartella::apri(int slot)
{
    const QString path = Attachments::pathForOpening(m_windows.programFolder(), m_files[slot]->text());
    if (path.isEmpty()) {
        MessageBoxes::warning(this, nameRefused());
        return;
    }
    TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void TfrmAllegaCartella::cancella(int slot)
{
    m_files[slot]->clear();
}

void TfrmAllegaCartella::fileChange(int slot)
{
    m_opens[slot]->setEnabled(!TextRules::trim(m_files[slot]->text()).isEmpty());
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (RecordWindow *window = windowFor(lblMemory->text())) {
        RecordWindow::AttachedFiles files;
        for (int slot = 0; slot < 3; ++slot)
            files[slot] = {TextRules::trim(m_files[slot]->text()), TextRules::trim(m_descriptions[slot]->text())};
        window->setAttachments(files);
    }
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}
