#include "app/CChooseColumnsDlg.h"

#include "channels/vnWords.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Where the table stands, in dialog units: below its label, above Role.
constexpr int kTableX = 7;
constexpr int kTableY = 40;
constexpr int kTableWidth = 316;
constexpr int kTableHeight = 98;

// The table's columns.
constexpr int kNameColumn = 0;
constexpr int kRoleColumn = 1;
constexpr int kValuesColumn = 2;
// Room beside the widest role, in dialog units.
constexpr int kRoleMargin = 8;

// The roles' names: the grid's column titles, where the role is a column.
struct RoleWords
{
    ChannelColumnRole role;
    int label;
};

constexpr RoleWords kRoleLabels[] = {
    {ChannelColumnRole::NotUsed, IDS_ROLE_NOT_USED},
    {ChannelColumnRole::Frequency, IDS_COLUMN_FREQUENCY},
    {ChannelColumnRole::Description, IDS_COLUMN_DESCRIPTION},
    {ChannelColumnRole::CarNumber, IDS_COLUMN_CAR_NUMBER},
    {ChannelColumnRole::Channel, IDS_ROLE_CHANNEL},
    {ChannelColumnRole::Lockout, IDS_COLUMN_LOCKOUT},
    {ChannelColumnRole::Delay, IDS_COLUMN_DELAY},
    {ChannelColumnRole::Priority, IDS_COLUMN_PRIORITY},
    {ChannelColumnRole::Primary, IDS_ROLE_PRIMARY},
    {ChannelColumnRole::Secondary, IDS_ROLE_SECONDARY},
    {ChannelColumnRole::Other, IDS_ROLE_OTHER},
};

// The unit drop-down's entries, in its order: the catalogue's word for the
// automatic choice, then the units' symbols.
constexpr std::pair<ChannelColumnMap::Unit, const char*> kUnits[] = {
    {ChannelColumnMap::Unit::None, nullptr},
    {ChannelColumnMap::Unit::MHz, "MHz"},
    {ChannelColumnMap::Unit::KHz, "kHz"},
    {ChannelColumnMap::Unit::Hz, "Hz"},
};

QString ValuesText(const std::vector<std::string>& values)
{
    QStringList shown;
    for (const std::string& value : values)
        shown << QString::fromStdString(value);
    return shown.join(QStringLiteral("; "));
}

} // namespace

CChooseColumnsDlg::CChooseColumnsDlg(std::string fileName, std::vector<ChannelColumnPreview> columns, QWidget* parent)
    : CDialog(IDD_CHOOSE_COLUMNS, parent), m_fileName(std::move(fileName)), m_columns(std::move(columns)),
      m_roles(m_columns.size(), ChannelColumnRole::NotUsed)
{}

CChooseColumnsDlg::~CChooseColumnsDlg() = default;

QString CChooseColumnsDlg::RoleLabel(ChannelColumnRole role)
{
    for (const RoleWords& words : kRoleLabels)
        if (words.role == role)
            return LoadStringText(words.label);
    return {};
}

bool CChooseColumnsDlg::OnInitDialog()
{
    SetDlgItemText(IDC_CHOOSE_INTRO, vnWords::Say(IDS_CHOOSE_COLUMNS_INTRO, {m_fileName}));
    delete m_table;
    m_table = new QTreeWidget(this);
    m_table->setGeometry(Units().ToPixels(kTableX, kTableY, kTableWidth, kTableHeight));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels(
        {LoadStringText(IDS_CHOOSE_COLUMN), LoadStringText(IDS_CHOOSE_ROLE), LoadStringText(IDS_CHOOSE_VALUES)});
    m_table->setAccessibleName(LoadStringText(IDS_CHOOSE_TABLE_NAME));
    if (auto* label = GetDlgItemAs<QLabel>(IDC_CHOOSE_TABLE_LABEL))
        label->setBuddy(m_table);
    // The table comes first, then the role it sets.
    if (QWidget* role = GetDlgItem(IDC_CHOOSE_ROLE))
        QWidget::setTabOrder(m_table, role);
    m_table->show();

    if (auto* roles = GetDlgItemAs<QComboBox>(IDC_CHOOSE_ROLE)) {
        roles->clear();
        for (const ChannelColumnRole role : ChannelColumnRoles())
            roles->addItem(RoleLabel(role), static_cast<int>(role));
    }
    if (auto* units = GetDlgItemAs<QComboBox>(IDC_CHOOSE_UNIT)) {
        units->clear();
        for (const auto& [unit, label] : kUnits)
            units->addItem(label ? QString::fromUtf8(label) : LoadStringText(IDS_UNIT_AUTOMATIC),
                           static_cast<int>(unit));
    }
    CDialog::OnInitDialog();
    connect(m_table, &QTreeWidget::currentItemChanged, this, [this] { ShowSelectedRole(); });
    if (m_table->topLevelItemCount() > 0)
        m_table->setCurrentItem(m_table->topLevelItem(0));
    ShowSelectedRole();
    UpdateControls();
    m_table->setFocus();
    return false;
}

void CChooseColumnsDlg::DoDataExchange(bool save)
{
    if (!m_table)
        return;
    if (!save) {
        m_table->clear();
        for (std::size_t column = 0; column < m_columns.size(); ++column) {
            auto* item = new QTreeWidgetItem(m_table);
            item->setText(kNameColumn, QString::fromStdString(m_columns[column].name));
            item->setText(kRoleColumn, RoleLabel(m_roles[column]));
            item->setText(kValuesColumn, ValuesText(m_columns[column].values));
        }
        m_table->resizeColumnToContents(kNameColumn);
        // Wide enough for every role, so that choosing one moves nothing.
        int roleWidth = m_table->header()->sectionSizeHint(kRoleColumn);
        for (const RoleWords& words : kRoleLabels)
            roleWidth = std::max(roleWidth, m_table->fontMetrics().horizontalAdvance(LoadStringText(words.label)));
        m_table->header()->resizeSection(kRoleColumn, roleWidth + Units().ToPixelsX(kRoleMargin));
        return;
    }
    m_choice = ChannelColumnChoice();
    for (std::size_t column = 0; column < m_columns.size(); ++column)
        if (m_roles[column] != ChannelColumnRole::NotUsed)
            m_choice.columns.emplace_back(m_columns[column].name, m_roles[column]);
    if (const auto* units = GetDlgItemAs<QComboBox>(IDC_CHOOSE_UNIT); units && units->isEnabled())
        m_choice.unit = static_cast<ChannelColumnMap::Unit>(units->currentData().toInt());
}

bool CChooseColumnsDlg::OnCommand(int id, int code)
{
    if (id == IDC_CHOOSE_ROLE && code == DialogControls::SelChange) {
        TakeRole();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CChooseColumnsDlg::ShowSelectedRole()
{
    auto* roles = GetDlgItemAs<QComboBox>(IDC_CHOOSE_ROLE);
    const int row = m_table ? m_table->indexOfTopLevelItem(m_table->currentItem()) : -1;
    if (!roles)
        return;
    roles->setEnabled(row >= 0);
    if (row >= 0)
        roles->setCurrentIndex(roles->findData(static_cast<int>(m_roles[static_cast<std::size_t>(row)])));
}

void CChooseColumnsDlg::TakeRole()
{
    const auto* roles = GetDlgItemAs<QComboBox>(IDC_CHOOSE_ROLE);
    QTreeWidgetItem* item = m_table ? m_table->currentItem() : nullptr;
    const int row = m_table ? m_table->indexOfTopLevelItem(item) : -1;
    if (!roles || row < 0)
        return;
    const auto role = static_cast<ChannelColumnRole>(roles->currentData().toInt());
    m_roles[static_cast<std::size_t>(row)] = role;
    item->setText(kRoleColumn, RoleLabel(role));
    UpdateControls();
}

void CChooseColumnsDlg::UpdateControls()
{
    const bool frequency = std::any_of(m_roles.begin(), m_roles.end(), IsFrequencyRole);
    EnableDlgItem(IDC_CHOOSE_UNIT, frequency);
    EnableDlgItem(IDOK, frequency);
    SetDlgItemText(IDC_CHOOSE_NOTE, frequency ? std::string() : vnWords::Say(IDS_CHOOSE_FREQUENCY_NOTE));
}
