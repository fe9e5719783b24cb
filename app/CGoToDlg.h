#pragma once

#include "toolkit/CDialog.h"

#include <cstdint>

// Go To: asks for a channel number of the current layout. OK with anything
// else keeps the dialog open and says what is wanted.
class CGoToDlg : public CDialog
{
    Q_OBJECT

public:
    CGoToDlg(std::int32_t firstChannel, std::int32_t lastChannel, QWidget* parent = nullptr);
    ~CGoToDlg() override;

    // The number accepted by OK.
    std::int32_t GetChannel() const { return m_channel; }

    void OnOK() override;

protected:
    bool OnInitDialog() override;

private:
    std::int32_t m_first;
    std::int32_t m_last;
    std::int32_t m_channel = 0;
};
