#include "AboutBox.h"

#include "framework/CDialog.h"
#include "resources/resource.h"

void ShowAboutBox()
{
    // A plain dialog: OK, Esc and the close box end it without any help from us.
    CDialog about(IDD_ABOUTBOX);
    about.DoModal();
}
