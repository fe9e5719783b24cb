#include "settings/CSettingsStore.h"

#include <QByteArray>
#include <QSettings>
#include <QVariant>

#include <limits>

#ifdef _WIN32
#include "registry/vnRegistrySettingsStore.h"
#endif

namespace {

QString KeyOf(const std::string& section, const std::string& name)
{
    const QString value = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (section.empty())
        return value;
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') + value;
}

bool IsUtf8(const std::string& text)
{
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return decoded.toUtf8() == QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A format error comes from reading a damaged file, which the write has just
// replaced; only an access error means the value did not reach the store.
bool Flush(QSettings& settings)
{
    settings.sync();
    return settings.status() != QSettings::AccessError;
}

} // namespace

CSettingsStore::CSettingsStore()
{
#ifdef _WIN32
    m_registry = std::make_unique<vnRegistrySettingsStore>();
#endif
}

CSettingsStore::CSettingsStore(const QString& iniFilePath) : m_iniFilePath(iniFilePath) {}

std::unique_ptr<QSettings> CSettingsStore::Open() const
{
    if (m_iniFilePath.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Pellmark"),
                                           QStringLiteral("Scanlore"));
    return std::make_unique<QSettings>(m_iniFilePath, QSettings::IniFormat);
}

std::int32_t CSettingsStore::GetSettingInt(const std::string& section, const std::string& name,
                                           std::int32_t defaultValue) const
{
    if (m_registry)
        return m_registry->GetSettingInt(section, name, defaultValue);
    const QVariant value = Open()->value(KeyOf(section, name));
    bool ok = false;
    qlonglong number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        // The registry keeps integers as numbers.
        number = value.toLongLong(&ok);
        break;
    case QMetaType::QString:
        // A text file keeps them as decimal text.
        number = value.toString().trimmed().toLongLong(&ok, 10);
        break;
    default:
        break;
    }
    if (!ok || number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
        return defaultValue;
    return static_cast<std::int32_t>(number);
}

bool CSettingsStore::SetSettingInt(const std::string& section, const std::string& name, std::int32_t value)
{
    if (m_registry)
        return m_registry->SetSettingInt(section, name, value);
    auto settings = Open();
    settings->setValue(KeyOf(section, name), static_cast<int>(value));
    return Flush(*settings);
}

std::string CSettingsStore::GetSettingString(const std::string& section, const std::string& name,
                                             const std::string& defaultValue) const
{
    if (m_registry)
        return m_registry->GetSettingString(section, name, defaultValue);
    const QVariant value = Open()->value(KeyOf(section, name));
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QByteArray bytes = value.toString().toUtf8();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString().toStdString();
    default:
        return defaultValue;
    }
}

bool CSettingsStore::SetSettingString(const std::string& section, const std::string& name, const std::string& value)
{
    if (m_registry)
        return m_registry->SetSettingString(section, name, value);
    auto settings = Open();
    // Text that is not UTF-8 is kept as raw bytes so that it reads back unchanged.
    if (IsUtf8(value))
        settings->setValue(KeyOf(section, name), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    else
        settings->setValue(KeyOf(section, name), QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    return Flush(*settings);
}
