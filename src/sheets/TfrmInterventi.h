#pragma once

#include "shell/AppWindow.h"

class PictureButton;

// The app window "Schede Interventi". Its screen is built step by step; for now it holds the exit
// command and the status line.
class TfrmInterventi : public AppWindow
{
    Q_OBJECT
public:
    explicit TfrmInterventi(AppWindows &windows);

    PictureButton *cmdEsci;

    void FormShow() override;
    void cmdEsciClick();
};
