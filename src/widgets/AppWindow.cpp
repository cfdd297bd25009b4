#include "widgets/AppWindow.h"

#include "widgets/AppHost.h"
#include "widgets/FormHelpers.h"

#include <QCloseEvent>
#include <QVBoxLayout>

AppWindow::AppWindow(AppHost &host, const QString &caption) : m_host(host)
{
    setWindowTitle(caption);
    panInfo = new QLabel(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(FormHelpers::font(QStringLiteral("Tahoma"), 12));
    panInfo->setMinimumHeight(26);
}

AppWindows &AppWindow::windows() const
{
    return m_host.windows();
}

void AppWindow::setContent(QWidget *content)
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("appCentral"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(content, 1);
    layout->addWidget(panInfo);
    setCentralWidget(central);
    FormHelpers::installStatusHints(this, panInfo);
    contentReady();
}

void AppWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (!FormCloseQuery())
        return;
    FormClose();
    m_host.showLauncher(this);
}

bool AppWindow::giveWay()
{
    if (!FormCloseQuery())
        return false;
    FormClose();
    hide();
    return true;
}
