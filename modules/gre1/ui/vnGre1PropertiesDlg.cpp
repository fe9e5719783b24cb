#include "modules/gre1/ui/vnGre1PropertiesDlg.h"

#include "channels/vnText.h"
#include "modules/gre1/vnSerialDevice.h"
#include "res/DialogTemplates.h"
#include "toolkit/CMessageBox.h"
#include "toolkit/DataExchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array kModels{
    vnGre1PropertiesDlg::Model{"RadioShack Pro-76", 2400, 2, 0},
    vnGre1PropertiesDlg::Model{"RadioShack Pro-79", 0, 0, 0},
    vnGre1PropertiesDlg::Model{"RadioShack Pro-82", 0, 0, 0},
    vnGre1PropertiesDlg::Model{"RadioShack Pro-89", 4800, 2, 1},
    vnGre1PropertiesDlg::Model{"RadioShack Pro-2016", 0, 0, 0},
    vnGre1PropertiesDlg::Model{"RadioShack Pro-2017", 0, 0, 0},
};

constexpr const char* kCustom = "(Custom)";
constexpr std::array kSpeeds{"1200", "2400", "4800", "9600"};
constexpr std::array kStopBits{"1", "2"};
// What a model that leaves the choice free resets the lists to: "4800", "2".
constexpr int kFreeSpeedIndex = 2;
constexpr int kFreeStopBitsIndex = 1;

using vnText::IsDigit;

// Orders device names as a person counts: ttyS2 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = IsDigit(a[i]);
        const bool digitB = IsDigit(b[j]);
        if (digitA && digitB) {
            const std::size_t startA = i;
            const std::size_t startB = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            std::string_view numberA(a.data() + startA, i - startA);
            std::string_view numberB(b.data() + startB, j - startB);
            while (numberA.size() > 1 && numberA.front() == '0')
                numberA.remove_prefix(1);
            while (numberB.size() > 1 && numberB.front() == '0')
                numberB.remove_prefix(1);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

vnGre1PropertiesDlg::SerialDeviceSource& DeviceSource()
{
    static vnGre1PropertiesDlg::SerialDeviceSource source;
    return source;
}

} // namespace

std::span<const vnGre1PropertiesDlg::Model> vnGre1PropertiesDlg::Models()
{
    return kModels;
}

vnGre1PropertiesDlg::SerialDeviceSource vnGre1PropertiesDlg::SetSerialDeviceSource(SerialDeviceSource source)
{
    return std::exchange(DeviceSource(), std::move(source));
}

std::vector<vnGre1PropertiesDlg::SerialDevice> vnGre1PropertiesDlg::WithStableNames(std::vector<SerialDevice> devices,
                                                                                    const std::string& folder)
{
    const QFileInfoList links = QDir(QString::fromStdString(folder))
                                    .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    const std::size_t count = devices.size();
    for (const QFileInfo& link : links) {
        const std::string target = link.canonicalFilePath().toStdString();
        if (target.empty())
            continue; // a link whose device has gone
        std::string tooltip = target;
        for (std::size_t i = 0; i < count; ++i)
            if (devices[i].name == target && !devices[i].tooltip.empty())
                tooltip = devices[i].tooltip + ", " + target;
        devices.push_back({link.absoluteFilePath().toStdString(), tooltip});
    }
    return devices;
}

vnGre1PropertiesDlg::vnGre1PropertiesDlg(QWidget* parent) : CDialog(IDD_GRE1_PROPERTIES, parent) {}

vnGre1PropertiesDlg::~vnGre1PropertiesDlg() = default;

void vnGre1PropertiesDlg::DoDataExchange(bool save)
{
    CDialog::DoDataExchange(save);
    m_modelList = GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL);
    m_portList = GetDlgItemAs<QComboBox>(IDC_GRE1_PORT);
    m_speedList = GetDlgItemAs<QComboBox>(IDC_GRE1_SPEED);
    m_stopBitsList = GetDlgItemAs<QComboBox>(IDC_GRE1_STOP_BITS);
    m_carNumbersBox = GetDlgItemAs<QCheckBox>(IDC_GRE1_CAR_NUMBERS);
    m_notice = GetDlgItemAs<QLabel>(IDC_GRE1_NOTICE);
    m_nameEdit = GetDlgItemAs<QLineEdit>(IDC_GRE1_NAME);
    if (!m_modelList || !m_portList || !m_speedList || !m_stopBitsList || !m_carNumbersBox)
        return;

    if (m_nameEdit) {
        if (save)
            m_values.scanner = m_nameEdit->text().trimmed().toStdString();
        else
            m_nameEdit->setText(QString::fromStdString(m_values.scanner));
    }
    if (m_notice && !save) {
        m_notice->setText(QString::fromStdString(m_values.notice));
        m_notice->setVisible(!m_values.notice.empty());
    }

    ExchangeListText(save, *m_modelList, m_values.model);
    ExchangeListText(save, *m_portList, m_values.port);
    ExchangeListText(save, *m_speedList, m_values.speed);
    ExchangeListText(save, *m_stopBitsList, m_values.stopBits);
    ExchangeCheck(save, *m_carNumbersBox, m_values.carNumbers);
}

bool vnGre1PropertiesDlg::OnInitDialog()
{
    // The exchange runs while the lists are still empty: only the check box
    // takes its value here.
    CDialog::OnInitDialog();
    if (!m_modelList || !m_portList || !m_speedList || !m_stopBitsList || !m_carNumbersBox)
        return true;

    FillLists();
    SelectStringPrefix(*m_modelList, QString::fromStdString(m_values.model));
    SelectPort();
    FitPortNames();
    // A stored speed that the list lacks (19200, say) is added and selected,
    // as an unknown port is, so that OK keeps it rather than storing 0.
    const QString speed = QString::fromStdString(m_values.speed);
    if (SelectStringPrefix(*m_speedList, speed) < 0 && !speed.isEmpty()) {
        m_speedList->addItem(speed);
        m_speedList->setCurrentIndex(m_speedList->count() - 1);
    }
    SelectStringPrefix(*m_stopBitsList, QString::fromStdString(m_values.stopBits));
    ApplyModelRule();
    return true;
}

void vnGre1PropertiesDlg::FillLists()
{
    m_modelList->addItem(QString::fromUtf8(kCustom));
    for (const Model& model : kModels)
        m_modelList->addItem(QString::fromUtf8(model.name));

    for (int n = 1; n <= 9; ++n)
        m_portList->addItem(QStringLiteral("COM%1").arg(n));
    std::vector<SerialDevice> devices = ListDevices();
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return NaturalLess(a.name, b.name); });
    for (const SerialDevice& device : devices) {
        const QString name = QString::fromStdString(device.name);
        if (name.isEmpty() || m_portList->findText(name, Qt::MatchFixedString) >= 0)
            continue;
        m_portList->addItem(name);
        if (!device.tooltip.empty())
            m_portList->setItemData(m_portList->count() - 1, QString::fromStdString(device.tooltip), Qt::ToolTipRole);
    }

    for (const char* speed : kSpeeds)
        m_speedList->addItem(QString::fromUtf8(speed));
    for (const char* stopBits : kStopBits)
        m_stopBitsList->addItem(QString::fromUtf8(stopBits));
}

// The stored port selects the item it names, ignoring case, or else the
// first item it begins (as "COM" selects "COM1"), but never one that only
// continues its number: "/dev/ttyUSB1" must not pick "/dev/ttyUSB10". A
// port that no item matches (COM12, an adapter that is unplugged now) is
// added at the end and selected, so that OK keeps it.
// A stable adapter name (/dev/serial/by-id/usb-FTDI_...) is longer than the
// template's box: the box, the group boxes and the dialog grow so that the
// longest port shows whole, and the buttons keep to the right edge.
void vnGre1PropertiesDlg::FitPortNames()
{
    const QFontMetrics metrics(m_portList->font());
    int widest = 0;
    for (int i = 0; i < m_portList->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(m_portList->itemText(i)));
    constexpr int kFrameAndArrowChars = 6;
    const int extra = widest + metrics.averageCharWidth() * kFrameAndArrowChars - m_portList->width();
    if (extra <= 0)
        return;
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QGroupBox*>(control))
            control->resize(control->width() + extra, control->height());
        else if (qobject_cast<QPushButton*>(control))
            control->move(control->x() + extra, control->y());
    }
    m_portList->resize(m_portList->width() + extra, m_portList->height());
    setFixedSize(width() + extra, height());
}

void vnGre1PropertiesDlg::SelectPort()
{
    const QString port = QString::fromStdString(m_values.port);
    // No port chosen: every item begins with the empty text, but none is
    // the cable's. The list offers them; the user picks one.
    if (port.trimmed().isEmpty()) {
        m_portList->setCurrentIndex(-1);
        m_portList->setEditText(QString());
        return;
    }
    int found = -1;
    for (int i = 0; i < m_portList->count() && found < 0; ++i)
        if (m_portList->itemText(i).compare(port, Qt::CaseInsensitive) == 0)
            found = i;
    for (int i = 0; i < m_portList->count() && found < 0; ++i) {
        const QString item = m_portList->itemText(i);
        if (!item.startsWith(port, Qt::CaseInsensitive))
            continue;
        const bool splitsNumber = !port.isEmpty() && IsDigit(port.back().toLatin1()) && item.size() > port.size() &&
            IsDigit(item.at(port.size()).toLatin1());
        if (!splitsNumber)
            found = i;
    }
    if (found < 0 && !port.isEmpty()) {
        m_portList->addItem(port);
        found = m_portList->count() - 1;
    }
    m_portList->setCurrentIndex(found);
}

void vnGre1PropertiesDlg::ApplyModelRule()
{
    // No model selected (a stored model the list does not hold) counts as
    // "(Custom)".
    const int selected = m_modelList->currentIndex();
    if (selected <= 0 || selected > static_cast<int>(kModels.size())) {
        m_speedList->setEnabled(true);
        m_stopBitsList->setEnabled(true);
        m_carNumbersBox->setEnabled(true);
        return;
    }

    const Model& model = kModels[static_cast<std::size_t>(selected - 1)];
    if (model.speed != 0) {
        SelectStringPrefix(*m_speedList, QString::number(model.speed));
        m_speedList->setEnabled(false);
    } else {
        m_speedList->setCurrentIndex(kFreeSpeedIndex);
        m_speedList->setEnabled(true);
    }

    if (model.stopBits != 0) {
        SelectStringPrefix(*m_stopBitsList, QString::number(model.stopBits));
        m_stopBitsList->setEnabled(false);
    } else {
        m_stopBitsList->setCurrentIndex(kFreeStopBitsIndex);
        m_stopBitsList->setEnabled(true);
    }

    m_carNumbersBox->setChecked(model.carNumbers != 0);
    m_carNumbersBox->setEnabled(false);
}

std::vector<vnGre1PropertiesDlg::SerialDevice> vnGre1PropertiesDlg::ListDevices() const
{
    return DeviceSource() ? DeviceSource()() : SystemSerialDevices();
}

std::string vnGre1PropertiesDlg::NewPort(const std::vector<SerialDevice>& before,
                                         const std::vector<SerialDevice>& after)
{
    // The last new one: on Linux the stable name that links to the new
    // device comes after it, and stays the same when it is plugged in again.
    for (auto device = after.rbegin(); device != after.rend(); ++device) {
        const bool known = std::any_of(before.begin(), before.end(),
                                       [&](const SerialDevice& old) { return old.name == device->name; });
        if (!known)
            return device->name;
    }
    return {};
}

void vnGre1PropertiesDlg::FindCable()
{
    if (CMessageBox::Show(this, QStringLiteral("Unplug the scanner's cable, then press Next."),
                          CMessageBox::Information, CMessageBox::NextCancel) != IDOK)
        return;
    const std::vector<SerialDevice> before = ListDevices();
    if (CMessageBox::Show(this, QStringLiteral("Plug it in, wait a few seconds, then press Next."),
                          CMessageBox::Information, CMessageBox::NextCancel) != IDOK)
        return;
    const std::string found = NewPort(before, ListDevices());
    if (found.empty()) {
        std::string text = "No new port appeared. Check that the cable is plugged in firmly, or try another socket.";
        if (const std::string hint = vnSerialDevice::MissingAdapterHint(); !hint.empty())
            text += "\n\n" + hint;
        CMessageBox::Show(this, QString::fromStdString(text), CMessageBox::Exclamation);
        return;
    }
    const QString name = QString::fromStdString(found);
    int index = m_portList->findText(name, Qt::MatchFixedString);
    if (index < 0) {
        m_portList->addItem(name);
        index = m_portList->count() - 1;
        FitPortNames();
    }
    m_portList->setCurrentIndex(index);
    if (m_notice) {
        m_notice->setText(QStringLiteral("The scanner's cable is on %1.").arg(name));
        m_notice->setVisible(true);
    }
}

bool vnGre1PropertiesDlg::OnCommand(int id, int code)
{
    if (id == IDC_GRE1_FIND_CABLE && code == DialogControls::Clicked) {
        FindCable();
        return true;
    }
    if (id == IDC_GRE1_MODEL && code == DialogControls::SelChange) {
        ApplyModelRule();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void vnGre1PropertiesDlgEditor::Edit(vnGre1Properties& values)
{
    vnGre1PropertiesDlg dialog(nullptr);
    dialog.SetValues(values);
    dialog.DoModal();
    values = dialog.GetValues();
}
