#include "modules/gre1/vnGre1Module.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "modules/gre1/vnGre1Bands.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnGre1PropertiesEditor.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/gre1/vnGre1Transfer.h"
#include "modules/gre1/vnSerialDevice.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

namespace {

// The port while none is stored: the first USB serial adapter. Without one
// there is none: a guess such as COM1 would send into nothing and report
// success.
std::string DefaultPort()
{
    return vnSerialDevice::FindUsbSerialPort();
}
constexpr std::int32_t kDefaultBaud = 4800;
constexpr std::int32_t kDefaultStopBits = 2;
const std::string kDefaultModel = "RadioShack Pro-89";
// A model name without its maker names the scanner by default.
constexpr std::string_view kMaker = "RadioShack ";
constexpr const char* kUnnamedScanner = "Scanner";
constexpr std::int32_t kDefaultCarNumbers = 1;

using vnText::IsDigit;

// The leading decimal digits as an unsigned number; no digits give 0, and a
// number too large for 32 bits gives the largest one (which no port accepts).
std::uint32_t ParseSpeed(const std::string& text)
{
    std::uint64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(c - '0'),
                                        std::numeric_limits<std::uint32_t>::max());
    }
    return static_cast<std::uint32_t>(value);
}

// Leading blanks, an optional sign and decimal digits, as an integer of which
// the caller keeps the low 8 bits; anything else gives 0.
std::uint8_t ParseStopBits(const std::string& text)
{
    std::size_t i = 0;
    const bool negative = vnText::SkipBlanksAndSign(text, i);
    std::uint32_t value = 0; // only the low 8 bits matter, so wrapping is harmless
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::uint8_t>(value);
}

} // namespace

vnGre1Module::vnGre1Module(std::shared_ptr<vnGre1PropertiesEditor> editor)
    : m_editor(std::move(editor)), m_port(std::make_unique<vnGre1Port>()),
      m_transfer(std::make_unique<vnGre1Transfer>(this))
{
    m_layout.SetFirstChannel(1);
    m_layout.SetFirstBank(1);
    m_layout.SetBankCount(10);
    m_layout.SetChannelsPerBank(20);

    vnSettingsStore& settings = vnSettings();
    const std::string port = settings.GetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, DefaultPort());
    const auto baud =
        static_cast<std::uint32_t>(settings.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, kDefaultBaud));
    const auto stopBits = static_cast<std::uint8_t>(
        settings.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, kDefaultStopBits));
    // A refused value leaves the port's own for it; the upload then runs
    // with what the port holds.
    m_port->Configure(port, baud, stopBits);
}

vnGre1Module::~vnGre1Module()
{
    // The port goes first, closing the device if an upload left it open.
    m_port.reset();
    m_transfer.reset();
}

vnModuleFactory vnGre1Module::Factory(std::shared_ptr<vnGre1PropertiesEditor> editor)
{
    return {Name, Description, [editor = std::move(editor)] { return std::make_unique<vnGre1Module>(editor); }};
}

vnResult vnGre1Module::GetName(const char** name)
{
    if (!name)
        return E_INVALIDARG;
    *name = Name;
    return S_OK;
}

vnResult vnGre1Module::GetDescription(const char** description)
{
    if (!description)
        return E_INVALIDARG;
    *description = Description;
    return S_OK;
}

vnResult vnGre1Module::ShowProperties()
{
    vnSettingsStore& settings = vnSettings();

    // Port, speed and stop bits come from the port as configured.
    vnGre1Properties values;
    values.model = settings.GetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, kDefaultModel);
    values.carNumbers = settings.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::CarNumbers, kDefaultCarNumbers);
    m_port->GetName(&values.port);
    std::uint32_t baud = 0;
    m_port->GetBaudRate(&baud);
    values.speed = std::to_string(baud);
    std::uint8_t stopBits = 0;
    m_port->GetStopBits(&stopBits);
    values.stopBits = std::to_string(stopBits);
    GetScannerName(&values.scanner);
    GetSetupProblem(&values.notice);

    // After Cancel the values are the ones shown, and those are stored.
    if (m_editor)
        m_editor->Edit(values);

    const std::uint32_t newBaud = ParseSpeed(values.speed);
    const std::uint8_t newStopBits = ParseStopBits(values.stopBits);

    settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, values.model);
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::CarNumbers, values.carNumbers);
    settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, values.port);
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, static_cast<std::int32_t>(newBaud));
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, newStopBits);
    settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerName,
                              std::string(vnText::TrimBlanks(values.scanner)));

    m_port->Configure(values.port, newBaud, newStopBits);
    return S_OK;
}

vnResult vnGre1Module::GetScannerModel(std::string* model)
{
    if (!model)
        return E_INVALIDARG;
    *model = vnSettings().GetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, kDefaultModel);
    return S_OK;
}

vnResult vnGre1Module::GetBands(vnScannerBands* bands)
{
    if (!bands)
        return E_INVALIDARG;
    std::string model;
    GetScannerModel(&model);
    *bands = vnGre1Bands::ForStoredModel(model);
    return S_OK;
}

vnResult vnGre1Module::GetModelBands(std::vector<vnModelBands>* models)
{
    if (!models)
        return E_INVALIDARG;
    models->clear();
    for (const vnGre1Bands::Model& model : vnGre1Bands::Table())
        models->push_back({vnScannerBands(model.name, model.ranges), model.source});
    return S_OK;
}

vnResult vnGre1Module::GetScannerName(std::string* name)
{
    if (!name)
        return E_INVALIDARG;
    *name = vnSettings().GetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerName, std::string());
    if (!vnText::TrimBlanks(*name).empty())
        return S_OK;
    std::string model;
    GetScannerModel(&model);
    *name = model.starts_with(kMaker) ? model.substr(kMaker.size()) : model;
    if (vnText::TrimBlanks(*name).empty() || name->front() == '(')
        *name = kUnnamedScanner;
    return S_OK;
}

std::string vnGre1Module::NoPortText()
{
    std::string text = vnWords::Say(IDS_NO_ADAPTER);
    if (const std::string hint = vnSerialDevice::MissingAdapterHint(); !hint.empty())
        text += "\n" + hint;
    return text;
}

vnResult vnGre1Module::GetSetupProblem(std::string* problem)
{
    if (!problem)
        return E_INVALIDARG;
    std::string port;
    m_port->GetName(&port);
    *problem = vnText::TrimBlanks(port).empty() ? NoPortText() : std::string();
    return S_OK;
}

vnResult vnGre1Module::GetTransfer(vnTransfer** transfer)
{
    if (!transfer)
        return E_INVALIDARG;
    *transfer = m_transfer.get();
    return S_OK;
}

vnResult vnGre1Module::GetSerialPort(vnGre1Port** port)
{
    if (!port)
        return E_INVALIDARG;
    *port = m_port.get();
    return S_OK;
}
