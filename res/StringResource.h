#pragma once

#include <QString>

#include <string_view>

// The string table. A command's string holds its status-bar prompt and,
// after a line feed, its tooltip.

// The string with this id; empty when the table has none.
std::string_view LoadStringResource(int id);
// The same string for a widget.
QString LoadStringText(int id);

// The part of a command's string before the line feed.
std::string_view LoadCommandPrompt(int command);
// The part after the line feed; empty when there is none.
std::string_view LoadCommandTooltip(int command);
