#pragma once

#include <QDialog>

class AppHost;
class LinkLabel;
class QLabel;
class QPushButton;

// The information window, opened from the launcher's information icon: the program, its version,
// what it does and the folder that holds its archives, and the maker's e-mail address as a link.
class TfrmInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInfo(AppHost &host, QWidget *parent = nullptr);

    QLabel *imgLogo;
    // The information pictures.
    QLabel *imgProgramma;
    QLabel *imgDescrizione;
    QLabel *imgCartella;
    QLabel *imgEmail;
    LinkLabel *lnkWeb;
    QPushButton *btnChiudi;

    // The text handed to the desktop by the e-mail link: "mailto:" and the address, in double quotes.
    static QString mailTarget();

    void btnChiudiClick();
    void lnkWebClick();
    void lnkWebMouseDown();
    void lnkWebMouseUp();
};
