#pragma once

#include "framework/CWinApp.h"

// Runs the main window and ends the program when it closes.
class BootwiseApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
