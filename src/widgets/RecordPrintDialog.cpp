#include "widgets/RecordPrintDialog.h"

#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ReportPreview.h"
#include "widgets/ReportPrinting.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

namespace {

// The texts of the two faces: caption, icon, picture title, the picture's two lines, confirm button.
struct FaceTexts
{
    const char *caption, *icon, *title, *firstLine, *secondLine, *confirm;
};

const FaceTexts kPrintFace = {
    " Stampa documento",
    ":/icons/document-print.svg",
    "Stampa documento",
    "Questa operazione provvederà a stampare su carta il documento con i dati immessi nei campi di testo.",
    "Premere il pulsante Stampa per dare avvio alla stampa su carta oppure premere Annulla per annullare "
    "l'operazione.",
    "Stampa"};

const FaceTexts kPreviewFace = {
    " Anteprima di stampa",
    ":/icons/document-print-preview.svg",
    "Anteprima di stampa",
    "Questa operazione consente di visualizzare in anteprima i dati che appariranno in stampa.",
    "Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di eseguire la stampa "
    "su carta.",
    "Mostra anteprima"};

}  // namespace

RecordPrintDialog::Setup RecordPrintDialog::face(Output output, const QString &failureMessage)
{
    const FaceTexts &texts = output == Output::Print ? kPrintFace : kPreviewFace;
    Setup setup;
    setup.caption = QString::fromUtf8(texts.caption);
    setup.iconPath = QString::fromUtf8(texts.icon);
    setup.title = QString::fromUtf8(texts.title);
    setup.lines = {QString::fromUtf8(texts.firstLine), QString::fromUtf8(texts.secondLine)};
    setup.confirmText = QString::fromUtf8(texts.confirm);
    setup.output = output;
    setup.failureMessage = failureMessage;
    return setup;
}

RecordPrintDialog::RecordPrintDialog(const Setup &setup, QWidget *parent) : QDialog(parent), m_setup(setup)
{
    setWindowTitle(setup.caption);
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);
    setObjectName(QStringLiteral("faccia"));

    imgIstruzioni = new QLabel(this);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    // The dialog is 364 x 287 pixels: the picture fills it within the margins, over the buttons.
    imgIstruzioni->setPixmap(Artwork::header(QSize(332, 203), setup.iconPath, setup.title, setup.lines));

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnStampa = new QPushButton(setup.confirmText, this);
    btnStampa->setObjectName(QStringLiteral("btnStampa"));
    for (QPushButton *button : {btnAnnulla, btnStampa})
        button->setMinimumSize(140, 34);
    // Enter presses the confirm button, unless the focus is on Annulla; Esc cancels.
    btnStampa->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(btnStampa);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(18);
    layout->addWidget(imgIstruzioni);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnAnnulla, &QPushButton::clicked, this, &RecordPrintDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &RecordPrintDialog::btnStampaClick);
    FormHelpers::centre(this, setup.centreOver);
}

void RecordPrintDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void RecordPrintDialog::FormShow()
{
    if (m_setup.picture)
        imgLogo = m_setup.picture();
    btnStampa->setFocus(Qt::OtherFocusReason);
}

void RecordPrintDialog::btnStampaClick()
{
    bool ok = false;
    try {
        // Confirmed without having been shown: the picture is loaded now.
        if (imgLogo.isNull() && m_setup.picture)
            imgLogo = m_setup.picture();
        if (m_setup.build) {
            if (const std::optional<PreparedReport> report = m_setup.build(imgLogo))
                ok = output(*report);
        }
    } catch (const std::exception &) {
        ok = false;
    }
    if (!ok)
        MessageBoxes::warning(this, m_setup.failureMessage);
    accept();
}

bool RecordPrintDialog::output(const PreparedReport &report)
{
    if (m_setup.output == Output::Preview)
        return ReportPreview::run(report, this);
    return ReportPrinting::print(report, this) != ReportPrinting::Outcome::Failed;
}

void RecordPrintDialog::btnAnnullaClick()
{
    reject();
}
