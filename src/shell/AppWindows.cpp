#include "shell/AppWindows.h"

#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCambiaPassword.h"
#include "shell/TfrmPassword.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/DateEdits.h"

#include <QCoreApplication>
#include <QDir>

AppWindows::AppWindows(const QString &programFolder)
    : m_programFolder(programFolder),
      m_endHandler([] { QCoreApplication::exit(0); }),
      m_dateEdits(std::make_unique<DateEdits>())
{
}

AppWindows::~AppWindows() = default;

void AppWindows::create()
{
    m_password = std::make_unique<TfrmPassword>(*this);
    m_cambiaPassword = std::make_unique<TfrmCambiaPassword>(*this);
    m_avvio = std::make_unique<TfrmAvvio>(*this);
    m_clienti = std::make_unique<TfrmClienti>(*this);
    m_autoparco = std::make_unique<TfrmAutoparco>(*this);
    m_interventi = std::make_unique<TfrmInterventi>(*this);
}

void AppWindows::start()
{
    showLogin();
}

QString AppWindows::filePath(const QString &fileName) const
{
    return QDir(m_programFolder).filePath(fileName);
}

void AppWindows::showLauncher(QWidget *hiding)
{
    m_avvio->showMaximized();
    if (hiding)
        hiding->hide();
}

void AppWindows::showApp(AppWindow *app)
{
    app->showMaximized();
    app->FormShow();
    m_avvio->hide();
}

void AppWindows::showChangePassword()
{
    m_cambiaPassword->show();
    m_cambiaPassword->FormShow();
    m_password->hide();
}

void AppWindows::showLogin()
{
    m_password->show();
    m_password->FormShow();
}

void AppWindows::endProgram()
{
    m_endHandler();
}
