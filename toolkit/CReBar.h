#pragma once

#include <vector>

class CReBarBand;
class QMainWindow;
class QWidget;

// The bar at the top of a frame that holds other bars as bands in one row,
// each with a gripper, movable by the user. The first bands take their
// natural width and the last band takes the rest of the row.
class CReBar
{
public:
    explicit CReBar(QMainWindow* frame) : m_frame(frame) {}

    // Puts bar into a new band at the end of the row; the band.
    CReBarBand* AddBar(QWidget* bar);

    int GetBandCount() const { return static_cast<int>(m_bands.size()); }
    CReBarBand* GetBand(int index) const;

private:
    QMainWindow* m_frame;
    std::vector<CReBarBand*> m_bands; // children of the frame
};
