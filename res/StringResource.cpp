#include "res/StringResource.h"

#include "channels/vnWords.h"

std::string_view LoadStringResource(int id)
{
    return vnWords::Text(id);
}

QString LoadStringText(int id)
{
    const std::string_view text = LoadStringResource(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view LoadCommandPrompt(int command)
{
    const std::string_view text = LoadStringResource(command);
    return text.substr(0, text.find('\n'));
}

std::string_view LoadCommandTooltip(int command)
{
    const std::string_view text = LoadStringResource(command);
    const std::size_t newline = text.find('\n');
    return newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
}
