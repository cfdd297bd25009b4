#include "widgets/WorkProgress.h"

#include <QApplication>

WorkProgress::WorkProgress(QWidget *parent, const QString &text)
    : m_dialog(text, QStringLiteral("Annulla"), 0, 1000, parent)
{
    m_dialog.setWindowTitle(QStringLiteral(" Cablora"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setValue(0);
}

std::function<bool(qint64, qint64)> WorkProgress::callback()
{
    return [this](qint64 done, qint64 total) {
        m_dialog.setValue(total > 0 ? int(qMin<qint64>(1000, done * 1000 / total)) : 0);
        QApplication::processEvents();
        return !m_dialog.wasCanceled();
    };
}
