#include "app/CFollowCarsDlg.h"

#include "res/DialogTemplates.h"
#include "toolkit/CListBox.h"

#include <QLineEdit>
#include <QListWidgetItem>

#include <algorithm>

CFollowCarsDlg::CFollowCarsDlg(std::vector<ChannelCars::Car> cars, std::vector<std::string> followed, QWidget* parent)
    : CDialog(IDD_FOLLOW_CARS, parent), m_cars(std::move(cars)), m_followed(std::move(followed))
{}

CFollowCarsDlg::~CFollowCarsDlg() = default;

bool CFollowCarsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* list = GetDlgItemAs<CListBox>(IDC_FOLLOW_LIST))
        connect(list, &QListWidget::itemChanged, this, [this] { WriteTickedCars(); });
    if (auto* numbers = GetDlgItemAs<QLineEdit>(IDC_FOLLOW_NUMBERS))
        connect(numbers, &QLineEdit::textEdited, this, [this] { TickTypedCars(); });
    return true;
}

void CFollowCarsDlg::DoDataExchange(bool save)
{
    if (save) {
        m_followed = ChannelCars::ParseNumbers(GetDlgItemText(IDC_FOLLOW_NUMBERS));
        return;
    }
    auto* list = GetDlgItemAs<CListBox>(IDC_FOLLOW_LIST);
    if (!list)
        return;
    m_syncing = true;
    list->clear();
    for (const ChannelCars::Car& car : m_cars) {
        auto* item = new QListWidgetItem(QString::fromStdString(car.number + "  " + car.driver));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        list->addItem(item);
    }
    m_syncing = false;
    SetDlgItemText(IDC_FOLLOW_NUMBERS, ChannelCars::JoinNumbers(m_followed));
    TickTypedCars();
}

bool CFollowCarsDlg::OnCommand(int id, int code)
{
    if (code == DialogControls::Clicked && (id == IDC_FOLLOW_ALL || id == IDC_FOLLOW_NONE)) {
        TickAll(id == IDC_FOLLOW_ALL);
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CFollowCarsDlg::TickTypedCars()
{
    auto* list = GetDlgItemAs<CListBox>(IDC_FOLLOW_LIST);
    if (!list || m_syncing)
        return;
    const std::vector<std::string> typed = ChannelCars::ParseNumbers(GetDlgItemText(IDC_FOLLOW_NUMBERS));
    m_syncing = true;
    for (int row = 0; row < list->count() && row < static_cast<int>(m_cars.size()); ++row) {
        const bool followed =
            std::find(typed.begin(), typed.end(), m_cars[static_cast<std::size_t>(row)].number) != typed.end();
        list->item(row)->setCheckState(followed ? Qt::Checked : Qt::Unchecked);
    }
    m_syncing = false;
}

void CFollowCarsDlg::WriteTickedCars()
{
    auto* list = GetDlgItemAs<CListBox>(IDC_FOLLOW_LIST);
    if (!list || m_syncing)
        return;
    // Typed numbers the table does not hold stay in the line, so that OK
    // can say they match no car.
    std::vector<std::string> numbers;
    for (const std::string& typed : ChannelCars::ParseNumbers(GetDlgItemText(IDC_FOLLOW_NUMBERS)))
        if (std::none_of(m_cars.begin(), m_cars.end(),
                         [&](const ChannelCars::Car& car) { return car.number == typed; }))
            numbers.push_back(typed);
    for (int row = 0; row < list->count() && row < static_cast<int>(m_cars.size()); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            numbers.push_back(m_cars[static_cast<std::size_t>(row)].number);
    m_syncing = true;
    SetDlgItemText(IDC_FOLLOW_NUMBERS, ChannelCars::JoinNumbers(numbers));
    m_syncing = false;
}

void CFollowCarsDlg::TickAll(bool ticked)
{
    auto* list = GetDlgItemAs<CListBox>(IDC_FOLLOW_LIST);
    if (!list)
        return;
    m_syncing = true;
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    m_syncing = false;
    WriteTickedCars();
}
