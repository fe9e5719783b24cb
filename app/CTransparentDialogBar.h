#pragma once

#include "modules/vnChannelLayout.h"
#include "toolkit/CDialogBar.h"

#include <cstdint>

// The bank bar: "Bank:" and a drop-down list (id 1013) from template 128.
// It paints no background of its own, so the band it sits in shows through,
// wherever the band is dragged.
//
// The list holds "(All Banks)" and one entry per bank of the layout the main
// window gives it; choosing a bank asks the window to go to its first
// channel, and the window tells the bar which bank its focused row is in.
class CTransparentDialogBar : public CDialogBar
{
    Q_OBJECT

public:
    explicit CTransparentDialogBar(QWidget* parent = nullptr);
    ~CTransparentDialogBar() override;

    // Fills the list from the layout's banks and selects "(All Banks)".
    void SetBanks(const vnChannelLayout& layout);
    // Selects the bank holding this channel number; "(All Banks)" when no
    // bank of the layout holds it.
    void ShowBankOf(std::int32_t channel);

signals:
    // The user chose a bank: the number of its first channel.
    void BankChosen(std::int32_t firstChannel);

protected:
    bool OnCommand(int id, int code) override;
    void moveEvent(QMoveEvent* event) override;

private:
    vnChannelLayout m_layout;
};
