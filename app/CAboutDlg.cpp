#include "app/CAboutDlg.h"

#include "res/ResourceIds.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(IDD_ABOUTBOX, parent) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(bool save)
{
    CDialog::DoDataExchange(save);
}
