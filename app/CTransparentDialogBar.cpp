#include "app/CTransparentDialogBar.h"

#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QComboBox>
#include <QMoveEvent>

namespace {

constexpr int kAllBanks = 0; // list entry; bank i is entry i + 1

// The first channel number of bank index (0-based), in 64 bits so that no
// layout can overflow it.
std::int64_t FirstChannelOfBank(const vnChannelLayout& layout, int index)
{
    return static_cast<std::int64_t>(layout.GetFirstChannel()) +
        static_cast<std::int64_t>(index) * layout.GetChannelsPerBank();
}

} // namespace

CTransparentDialogBar::CTransparentDialogBar(QWidget* parent) : CDialogBar(IDD_BANK_BAR, parent)
{
    // The bar and its label fill nothing: what the parent paints under them
    // stays visible. Only the drop-down list draws itself.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_StyledBackground, false);
}

CTransparentDialogBar::~CTransparentDialogBar() = default;

void CTransparentDialogBar::SetBanks(const vnChannelLayout& layout)
{
    auto* banks = GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    if (!banks)
        return;
    m_layout = layout;
    banks->clear();
    banks->addItem(LoadStringText(IDS_ALL_BANKS));
    if (layout.GetChannelsPerBank() > 0) {
        for (int index = 0; index < layout.GetBankCount(); ++index) {
            const std::int64_t first = FirstChannelOfBank(layout, index);
            banks->addItem(LoadStringText(IDS_BANK_ENTRY)
                               .arg(static_cast<std::int64_t>(layout.GetFirstBank()) + index)
                               .arg(first)
                               .arg(first + layout.GetChannelsPerBank() - 1));
        }
    }
    banks->setCurrentIndex(kAllBanks);
}

void CTransparentDialogBar::ShowBankOf(std::int32_t channel)
{
    auto* banks = GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    if (!banks)
        return;
    const std::int64_t offset = static_cast<std::int64_t>(channel) - m_layout.GetFirstChannel();
    const int perBank = m_layout.GetChannelsPerBank();
    const bool inLayout = perBank > 0 && offset >= 0 && offset < m_layout.GetChannelCount();
    // Selecting by program reports nothing back to the window.
    banks->setCurrentIndex(inLayout ? static_cast<int>(offset / perBank) + 1 : kAllBanks);
}

bool CTransparentDialogBar::OnCommand(int id, int code)
{
    if (id != IDC_BANK_COMBO || code != DialogControls::SelChange)
        return CDialogBar::OnCommand(id, code);
    const auto* banks = GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    const int entry = banks ? banks->currentIndex() : kAllBanks;
    if (entry > kAllBanks)
        emit BankChosen(static_cast<std::int32_t>(FirstChannelOfBank(m_layout, entry - 1)));
    return true;
}

// The parent's background under the bar changes with the bar's place (a
// gradient along the band, say): repaint it at the new place.
void CTransparentDialogBar::moveEvent(QMoveEvent* event)
{
    CDialogBar::moveEvent(event);
    update();
}
