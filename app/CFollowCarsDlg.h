#pragma once

#include "core/ChannelCars.h"
#include "toolkit/CDialog.h"

#include <string>
#include <vector>

// Follow Cars: the table's cars, each with its driver and a check box, and
// the same choice as a line of car numbers; ticking a car writes its number
// into the line and typing a number ticks its car. OK hands back the numbers
// in the line, which may name cars the table does not hold (the document
// says so).
class CFollowCarsDlg : public CDialog
{
    Q_OBJECT

public:
    CFollowCarsDlg(std::vector<ChannelCars::Car> cars, std::vector<std::string> followed, QWidget* parent = nullptr);
    ~CFollowCarsDlg() override;

    // The car numbers OK took.
    const std::vector<std::string>& GetFollowed() const { return m_followed; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    bool OnCommand(int id, int code) override;

private:
    // The list's ticks from the typed numbers, and the other way round.
    void TickTypedCars();
    void WriteTickedCars();
    void TickAll(bool ticked);

    std::vector<ChannelCars::Car> m_cars;
    std::vector<std::string> m_followed;
    bool m_syncing = false;
};
