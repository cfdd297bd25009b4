#include "invoicing/TfrmDatiOfficina.h"

#include "invoice/WorkshopSettings.h"
#include "invoicing/InvoiceInput.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmDatiOfficina::TfrmDatiOfficina(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setWindowTitle(QStringLiteral(" Dati dell'officina"));
    FormHelpers::makeFixedWithoutButtons(this);
    panInfo = new QLabel(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setWordWrap(true);
    panInfo->setMinimumHeight(34);

    struct Field
    {
        QLineEdit *&edit;
        const char *name;
        const char *caption;
        const char *field;  // as the status line names it
        int maxLength;
        bool upper;
    };
    const Field fields[] = {
        {txtDenominazione, "txtDenominazione", "Denominazione (ditta)", "denominazione dell'officina", 80, false},
        {txtNome, "txtNome", "Nome", "nome dell'officina", 60, false},
        {txtCognome, "txtCognome", "Cognome", "cognome dell'officina", 60, false},
        {txtPartitaIva, "txtPartitaIva", "Partita IVA", "partita IVA dell'officina", 11, true},
        {txtCodiceFiscale, "txtCodiceFiscale", "Codice fiscale", "codice fiscale dell'officina", 16, true},
        {txtIndirizzo, "txtIndirizzo", "Indirizzo", "indirizzo dell'officina", 60, false},
        {txtNumeroCivico, "txtNumeroCivico", "N. civico", "numero civico dell'officina", 8, false},
        {txtCAP, "txtCAP", "CAP", "CAP dell'officina", 5, false},
        {txtComune, "txtComune", "Comune", "comune dell'officina", 60, false},
        {txtProvincia, "txtProvincia", "Provincia", "provincia dell'officina", 2, true},
        {txtNazione, "txtNazione", "Nazione", "nazione dell'officina", 2, true},
        {txtREAUfficio, "txtREAUfficio", "Ufficio REA (provincia)", "ufficio REA", 2, true},
        {txtREANumero, "txtREANumero", "Numero REA", "numero REA", 20, false},
        {txtTelefono, "txtTelefono", "Telefono", "telefono dell'officina", 12, false},
        {txtEmail, "txtEmail", "E-mail", "e-mail dell'officina", 100, false},
        {txtIBAN, "txtIBAN", "IBAN per i bonifici", "IBAN dell'officina", 34, true},
    };
    QHash<QLineEdit *, QString> captions;
    for (const Field &f : fields) {
        f.edit = new QLineEdit(this);
        f.edit->setObjectName(QLatin1String(f.name));
        f.edit->setMaxLength(f.maxLength);
        f.edit->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
        FormHelpers::applyWhiteFieldColours(f.edit);
        InvoiceInput::guard(f.edit, panInfo, QString::fromUtf8(f.field), f.upper);
        captions.insert(f.edit, QString::fromUtf8(f.caption));
    }
    cboRegimeFiscale = new QComboBox(this);
    cboRegimeFiscale->setObjectName(QStringLiteral("cboRegimeFiscale"));
    cboRegimeFiscale->addItem(QStringLiteral("RF01 - Ordinario"), Invoice::kOrdinario);
    cboRegimeFiscale->addItem(QStringLiteral("RF19 - Forfettario"), Invoice::kForfettario);
    cboModalitaPagamento = new QComboBox(this);
    cboModalitaPagamento->setObjectName(QStringLiteral("cboModalitaPagamento"));
    for (const QString &code : Invoice::paymentCodes())
        cboModalitaPagamento->addItem(code + QStringLiteral(" - ") + Invoice::paymentName(code), code);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    int row = 0;
    const auto place = [&](QWidget *control, const QString &caption, int column, int span = 1) {
        grid->addWidget(FormHelpers::caption(caption, this, 9), row, column, 1, span);
        grid->addWidget(control, row + 1, column, 1, span);
    };
    place(txtDenominazione, captions.value(txtDenominazione), 0, 4);
    row += 2;
    place(txtNome, captions.value(txtNome), 0, 2);
    place(txtCognome, captions.value(txtCognome), 2, 2);
    row += 2;
    place(txtPartitaIva, captions.value(txtPartitaIva), 0);
    place(txtCodiceFiscale, captions.value(txtCodiceFiscale), 1);
    place(cboRegimeFiscale, QStringLiteral("Regime fiscale"), 2, 2);
    row += 2;
    place(txtIndirizzo, captions.value(txtIndirizzo), 0, 3);
    place(txtNumeroCivico, captions.value(txtNumeroCivico), 3);
    row += 2;
    place(txtCAP, captions.value(txtCAP), 0);
    place(txtComune, captions.value(txtComune), 1);
    place(txtProvincia, captions.value(txtProvincia), 2);
    place(txtNazione, captions.value(txtNazione), 3);
    row += 2;
    place(txtREAUfficio, captions.value(txtREAUfficio), 0);
    place(txtREANumero, captions.value(txtREANumero), 1);
    place(txtTelefono, captions.value(txtTelefono), 2);
    place(txtEmail, captions.value(txtEmail), 3);
    row += 2;
    place(txtIBAN, captions.value(txtIBAN), 0, 2);
    place(cboModalitaPagamento, QStringLiteral("Pagamento predefinito"), 2, 2);
    for (int c = 0; c < 4; ++c)
        grid->setColumnMinimumWidth(c, 150);

    cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdSalva = new QPushButton(QStringLiteral("Salva e chiudi"), this);
    cmdSalva->setObjectName(QStringLiteral("cmdSalva"));
    for (QPushButton *b : {cmdAnnulla, cmdSalva}) {
        b->setAutoDefault(false);
        b->setMinimumSize(130, 32);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(cmdSalva);

    auto *heading = new QLabel(this);
    heading->setPixmap(Artwork::header(QSize(660, 70), QStringLiteral(":/icons/x-office-address-book.svg"),
                                       QStringLiteral("Dati dell'officina per la fattura elettronica")));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(14, 6, 14, 10);
    body->addLayout(grid);
    body->addSpacing(10);
    body->addLayout(buttons);
    layout->addLayout(body);
    layout->addWidget(panInfo);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdSalva, &QPushButton::clicked, this, &TfrmDatiOfficina::cmdSalvaClick);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void TfrmDatiOfficina::FormShow()
{
    bool ok = true;
    const Invoice::Cedente c = WorkshopSettings::read(m_host.programFolder(), &ok);
    const QList<QPair<QLineEdit *, QString>> values{{txtDenominazione, c.Denominazione},
                                                    {txtNome, c.Nome},
                                                    {txtCognome, c.Cognome},
                                                    {txtPartitaIva, c.PartitaIva},
                                                    {txtCodiceFiscale, c.CodiceFiscale},
                                                    {txtIndirizzo, c.sede.Indirizzo},
                                                    {txtNumeroCivico, c.sede.NumeroCivico},
                                                    {txtCAP, c.sede.CAP},
                                                    {txtComune, c.sede.Comune},
                                                    {txtProvincia, c.sede.Provincia},
                                                    {txtNazione, c.sede.Nazione},
                                                    {txtREAUfficio, c.REAUfficio},
                                                    {txtREANumero, c.REANumero},
                                                    {txtTelefono, c.Telefono},
                                                    {txtEmail, c.Email},
                                                    {txtIBAN, c.IBAN}};
    for (const auto &[edit, value] : values)
        edit->setText(value);
    cboRegimeFiscale->setCurrentIndex(qMax(0, cboRegimeFiscale->findData(c.RegimeFiscale)));
    cboModalitaPagamento->setCurrentIndex(qMax(0, cboModalitaPagamento->findData(c.ModalitaPagamento)));
    panInfo->setText(ok ? QStringLiteral("Questi dati compaiono come cedente in ogni fattura elettronica.")
                        : QStringLiteral("Impossibile leggere Cablora.ini."));
}

void TfrmDatiOfficina::cmdSalvaClick()
{
    Invoice::Cedente c;
    c.Denominazione = txtDenominazione->text().trimmed();
    c.Nome = txtNome->text().trimmed();
    c.Cognome = txtCognome->text().trimmed();
    c.PartitaIva = txtPartitaIva->text().trimmed();
    c.CodiceFiscale = txtCodiceFiscale->text().trimmed();
    c.RegimeFiscale = cboRegimeFiscale->currentData().toString();
    c.sede.Indirizzo = txtIndirizzo->text().trimmed();
    c.sede.NumeroCivico = txtNumeroCivico->text().trimmed();
    c.sede.CAP = txtCAP->text().trimmed();
    c.sede.Comune = txtComune->text().trimmed();
    c.sede.Provincia = txtProvincia->text().trimmed();
    c.sede.Nazione = txtNazione->text().trimmed().isEmpty() ? QStringLiteral("IT") : txtNazione->text().trimmed();
    c.REAUfficio = txtREAUfficio->text().trimmed();
    c.REANumero = txtREANumero->text().trimmed();
    c.Telefono = txtTelefono->text().trimmed();
    c.Email = txtEmail->text().trimmed();
    c.IBAN = txtIBAN->text().remove(QLatin1Char(' '));
    c.ModalitaPagamento = cboModalitaPagamento->currentData().toString();
    const QStringList problems = Invoice::cedenteProblems(c);
    if (!problems.isEmpty()
        && !MessageBoxes::confirm(this, QStringLiteral("Con questi dati non si può emettere una fattura:\r\n\r\n- %1"
                                                       "\r\n\r\nSalvarli comunque?")
                                            .arg(problems.join(QStringLiteral("\r\n- ")))))
        return;
    if (!WorkshopSettings::write(m_host.programFolder(), c)) {
        MessageBoxes::warning(this, QStringLiteral("Attenzione: non è stato possibile memorizzare i dati dell'officina."
                                                   "\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                                                   "cartella di installazione del programma."));
        return;
    }
    accept();
}
