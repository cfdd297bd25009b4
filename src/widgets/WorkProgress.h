#pragma once

#include <QProgressDialog>

#include <functional>

class QWidget;

// The progress window of a long piece of work (printing, a preview, a copy): it appears only when the
// work lasts more than half a second, shows how far it has gone, and its "Annulla" stops the work.
// The window stays responsive meanwhile.
//
//     WorkProgress progress(this, QStringLiteral("Stampa in corso..."));
//     ReportRender::render(report, printer, 1, 0, progress.callback());
//     if (progress.wasCancelled()) ...
class WorkProgress
{
public:
    WorkProgress(QWidget *parent, const QString &text);

    // Told the work done and the whole: false once the user pressed Annulla.
    std::function<bool(qint64 done, qint64 total)> callback();
    bool wasCancelled() const { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
};
