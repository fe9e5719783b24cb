#include "core/ScannerRecordFolder.h"

#include <optional>
#include <utility>

namespace {

std::optional<std::string>& Override()
{
    static std::optional<std::string> folder;
    return folder;
}

} // namespace

std::string ScannerRecordFolder::Get()
{
    return Override() ? *Override() : SystemFolder();
}

ScannerRecordFolder::Scope::Scope(std::string folder)
    : m_previous(Override().value_or(std::string())), m_hadPrevious(Override().has_value())
{
    Override() = std::move(folder);
}

ScannerRecordFolder::Scope::~Scope()
{
    if (m_hadPrevious)
        Override() = m_previous;
    else
        Override().reset();
}
