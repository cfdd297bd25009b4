#include "widgets/AppHost.h"

#include "widgets/DateEdits.h"

#include <QDir>

AppHost::AppHost(const QString &programFolder)
    : m_programFolder(programFolder), m_dateEdits(std::make_unique<DateEdits>())
{
}

AppHost::~AppHost() = default;

QString AppHost::filePath(const QString &fileName) const
{
    return QDir(m_programFolder).filePath(fileName);
}
