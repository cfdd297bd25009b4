#pragma once

#include "shell/AppWindow.h"

class PictureButton;

// The app window "Anagrafica Clienti". Its screen is built step by step; for now it holds the exit
// command and the status line.
class TfrmClienti : public AppWindow
{
    Q_OBJECT
public:
    explicit TfrmClienti(AppWindows &windows);

    PictureButton *cmdEsci;

    void FormShow() override;
    void cmdEsciClick();
};
