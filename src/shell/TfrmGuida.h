#pragma once

#include "shell/HelpTopics.h"

#include <QDialog>

class AppHost;
class LinkLabel;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help window: one window for every help topic. The caller sets the topic's title and text,
// shows it modally and discards it; the link at the foot opens the manual Guida.pdf of the program
// folder.
class TfrmGuida : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmGuida(AppHost &host, QWidget *parent = nullptr);

    // Client area of the window, the same whichever window opens it.
    static constexpr int kWidth = 670;
    static constexpr int kHeight = 572;

    QLabel *imgLogo;
    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    QLabel *imgPDF;
    LinkLabel *lnkWeb;
    QPushButton *btnChiudi;

    // Puts the topic's title into lblTitolo and its text into txtGuida.
    void setTopic(const HelpTopics::Topic &topic);

    // What every help button does: a fresh help window on the topic, shown modally over `parent`.
    static void showTopic(AppHost &host, const HelpTopics::Topic &topic, QWidget *parent);

    // The text handed to the desktop by the PDF link: the manual's path in double quotes.
    QString manualTarget() const;

    void FormShow();
    void btnChiudiClick();
    void lnkWebClick();
    void lnkWebMouseDown();
    void lnkWebMouseUp();

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppHost &m_host;
};
