#include "customers/TfrmClienti.h"

#include "widgets/FormHelpers.h"

#include <QHBoxLayout>

TfrmClienti::TfrmClienti(AppWindows &windows) : AppWindow(windows, QStringLiteral(" Cablora - Anagrafica Clienti"))
{
    auto *content = new QWidget(this);
    auto *bar = new QHBoxLayout;
    cmdEsci = new PictureButton(QStringLiteral(":/icons/system-log-out.svg"), QSize(40, 40),
                                QStringLiteral("Esci da questa schermata."), content);
    bar->addStretch(1);
    bar->addWidget(cmdEsci);
    auto *layout = new QVBoxLayout(content);
    layout->addLayout(bar);
    layout->addStretch(1);
    setContent(content);
    connect(cmdEsci, &QToolButton::clicked, this, &TfrmClienti::cmdEsciClick);
}

void TfrmClienti::FormShow()
{
    panInfo->clear();
}

void TfrmClienti::cmdEsciClick()
{
    close();
}
