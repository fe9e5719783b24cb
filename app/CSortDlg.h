#pragma once

#include "core/ChannelArrange.h"
#include "toolkit/CDialog.h"

// Sort Channels: by which key, in which direction and which channels. The
// selected channels are offered only when more than one is selected.
class CSortDlg : public CDialog
{
    Q_OBJECT

public:
    CSortDlg(const ChannelArrange::SortOrder& initial, bool canSortSelection, QWidget* parent = nullptr);
    ~CSortDlg() override;

    // The order accepted by OK.
    const ChannelArrange::SortOrder& GetOrder() const { return m_order; }

    void OnOK() override;

protected:
    bool OnInitDialog() override;

private:
    bool IsChecked(int id) const;
    void Check(int id);

    ChannelArrange::SortOrder m_order;
    bool m_canSortSelection;
};
