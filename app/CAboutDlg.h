#pragma once

#include "toolkit/CDialog.h"

// The About box: program name and version, the icon, the notices and where
// to download the program. Exchanges no data.
class CAboutDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

protected:
    void DoDataExchange(bool save) override;
};
