#include "toolkit/CReBar.h"

#include "toolkit/CReBarBand.h"

#include <QMainWindow>

CReBarBand* CReBar::AddBar(QWidget* bar)
{
    auto* band = new CReBarBand(bar, m_frame);
    // Bands added one after the other share the first row of the top area.
    m_frame->addToolBar(Qt::TopToolBarArea, band);
    m_bands.push_back(band);
    return band;
}

CReBarBand* CReBar::GetBand(int index) const
{
    if (index < 0 || index >= GetBandCount())
        return nullptr;
    return m_bands[static_cast<std::size_t>(index)];
}
