#include "vehicles/TfrmAutoparco.h"

#include "widgets/FormHelpers.h"

#include <QHBoxLayout>

TfrmAutoparco::TfrmAutoparco(AppWindows &windows) : AppWindow(windows, QStringLiteral(" Cablora - Parco Automezzi"))
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
    connect(cmdEsci, &QToolButton::clicked, this, &TfrmAutoparco::cmdEsciClick);
}

void TfrmAutoparco::FormShow()
{
    panInfo->clear();
}

void TfrmAutoparco::cmdEsciClick()
{
    close();
}
