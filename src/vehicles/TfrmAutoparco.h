#pragma once

#include "shell/AppWindow.h"

class PictureButton;

// The app window "Parco Automezzi". Its screen is built step by step; for now it holds the exit
// command and the status line.
class TfrmAutoparco : public AppWindow
{
    Q_OBJECT
public:
    explicit TfrmAutoparco(AppWindows &windows);

    PictureButton *cmdEsci;

    void FormShow() override;
    void cmdEsciClick();
};
