#include "sheets/TfrmNumerazione.h"

#include "common/TextRules.h"
#include "sheets/SchedaRules.h"
#include "shell/ContextWords.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FieldInput.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmNumerazione::TfrmNumerazione(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setWindowTitle(QStringLiteral(" Impostazione inizio numerazione"));
    FormHelpers::makeFixedWithoutButtons(this);

    lblMemory = new QLabel(this);
    lblMemory->hide();

    imgIstruzioni = new QLabel(this);
    imgIstruzioni->setPixmap(Artwork::header(QSize(470, 84), QStringLiteral(":/icons/x-office-calendar.svg"),
                                             QStringLiteral("Numerazione automatica")));
    auto *first = new QLabel(QStringLiteral("Utilizzare la presente funzione se si vuole far partire la "
                                            "numerazione automatica dei documenti da un numero superiore "
                                            "a 1."),
                             this);
    auto *second = new QLabel(QStringLiteral("Attenzione: per sfruttare la numerazione automatica bisogna "
                                             "premere il pulsante Nuovo prima di compilare il documento."),
                              this);
    for (QLabel *paragraph : {first, second}) {
        paragraph->setWordWrap(true);
        paragraph->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10));
    }
    second->setObjectName(QStringLiteral("lblAttenzione"));

    auto *group = new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this);
    group->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    txtInizio = new QLineEdit(group);
    txtInizio->setMaxLength(5);
    txtInizio->setAlignment(Qt::AlignCenter);
    txtInizio->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));
    txtInizio->setFixedWidth(140);
    effInizio = new FocusFrame(txtInizio, group);
    auto *hand = new QLabel(group);
    hand->setPixmap(Artwork::picture(QStringLiteral(":/art/mano.svg"), QSize(56, 40)));
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addStretch(1);
    groupLayout->addWidget(effInizio);
    groupLayout->addSpacing(12);
    groupLayout->addWidget(hand);
    groupLayout->addStretch(1);

    cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    cmdApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    for (QPushButton *button : {cmdAnnulla, cmdApplica}) {
        button->setAutoDefault(false);
        button->setMinimumSize(130, 32);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(cmdApplica);

    auto *text = new QVBoxLayout;
    text->setContentsMargins(14, 8, 14, 0);
    text->addWidget(first);
    text->addWidget(second);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(imgIstruzioni);
    layout->addLayout(text);
    auto *rest = new QVBoxLayout;
    rest->setContentsMargins(14, 4, 14, 0);
    rest->addWidget(group);
    rest->addLayout(buttons);
    layout->addLayout(rest);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtInizio, cmdAnnulla);
    setTabOrder(cmdAnnulla, cmdApplica);
    EventHooks::onKeyDown(txtInizio, [this](QKeyEvent *e) { return txtInizioKeyDown(e); });
    EventHooks::onExit(txtInizio, [this] { txtInizioExit(); });
    connect(cmdApplica, &QPushButton::clicked, this, &TfrmNumerazione::cmdApplicaClick);
    connect(cmdAnnulla, &QPushButton::clicked, this, &TfrmNumerazione::cmdAnnullaClick);
}

void TfrmNumerazione::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmNumerazione::FormShow()
{
    if (ContextWords::of(lblMemory->text()) == ContextWords::Target::Contratti)
        txtInizio->setText(SchedaRules::readNumberingStart(m_host.programFolder()));
    if (TextRules::trim(txtInizio->text()).isEmpty())
        txtInizio->setText(QStringLiteral("1"));
    FormHelpers::centre(this, parentWidget() ? parentWidget()->window() : nullptr);
    txtInizio->setFocus(Qt::OtherFocusReason);
}

bool TfrmNumerazione::txtInizioKeyDown(QKeyEvent *event)
{
    if (EventHooks::isEnter(event)) {
        cmdApplica->setFocus(Qt::OtherFocusReason);
        return true;
    }
    // Digits only; the editing and selection keys pass, a refused key is told under the edit.
    return FieldInput::refuseKey(txtInizio, KeyFilters::Refuse::AllButDigits, event);
}

void TfrmNumerazione::txtInizioExit()
{
    txtInizio->setText(SchedaRules::normaliseInizio(txtInizio->text()));
}

void TfrmNumerazione::cmdApplicaClick()
{
    if (txtInizio->hasFocus())
        txtInizioExit();
    if (ContextWords::of(lblMemory->text()) == ContextWords::Target::Contratti
        && !SchedaRules::writeNumberingStart(m_host.programFolder(), txtInizio->text())) {
        // Closing as if the value were stored would mislead the user.
        MessageBoxes::warning(this, QStringLiteral("Attenzione: non è stato possibile memorizzare l'inizio "
                                                   "della numerazione.\n\r\n\rAccertarsi di possedere i "
                                                   "privilegi di scrittura nella cartella di installazione "
                                                   "del programma."));
        return;
    }
    accept();
}

void TfrmNumerazione::cmdAnnullaClick()
{
    reject();
}
