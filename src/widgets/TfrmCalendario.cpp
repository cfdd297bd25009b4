#include "widgets/TfrmCalendario.h"

#include "common/Formats.h"
#include "widgets/AppHost.h"
#include "widgets/DateEdits.h"
#include "widgets/FormHelpers.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalendario::TfrmCalendario(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setWindowTitle(QStringLiteral(" Importazione data"));
    FormHelpers::makeFixedWithoutButtons(this);

    lblMemory = new QLabel(this);
    lblMemory->hide();
    lblCaption = FormHelpers::caption(QStringLiteral("Importare una data:"), this, 11);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panCalendario"));
    calAppuntamenti = new QCalendarWidget(panel);
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setSelectedDate(QDate::currentDate());
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(10, 10, 10, 10);
    panelLayout->addWidget(calAppuntamenti);

    cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    cmdImporta = new QPushButton(QStringLiteral("Importa"), this);
    cmdImporta->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(cmdImporta);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblCaption);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdImporta->setObjectName(QStringLiteral("cmdImporta"));

    connect(cmdImporta, &QPushButton::clicked, this, &TfrmCalendario::cmdImportaClick);
    connect(cmdAnnulla, &QPushButton::clicked, this, &TfrmCalendario::cmdAnnullaClick);
    connect(calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::cmdImportaClick);
    FormHelpers::centre(this, parent ? parent->window() : nullptr);
}

void TfrmCalendario::cmdImportaClick()
{
    QLineEdit *target = m_host.dateEdits().find(lblMemory->text());
    if (!target)
        return;  // a word the picker does not serve: the dialog stays open
    target->setText(Formats::dateText(calAppuntamenti->selectedDate()));
    accept();
}

void TfrmCalendario::cmdAnnullaClick()
{
    reject();
}
