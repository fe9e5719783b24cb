#pragma once

#include "modules/vnScannerBands.h"

#include <QString>

#include <vector>

// The help guide's keyboard page, made from an accelerator table so that it
// lists exactly the keys the window binds.

// The name a user knows a command by: its menu label without the mnemonic
// and the key hint, else its tooltip; empty when it has neither.
QString CommandDisplayName(int command);

// An HTML page with one table row per binding of accelerator table
// acceleratorTableId, in the table's order: the keys, then the command.
QString KeyboardPageHtml(int acceleratorTableId);

// The keys that run a command: the one its menu label shows first, then the
// others the window's accelerator table binds to it ("Ctrl+F5 or Shift+F5");
// empty when it has none.
QString CommandKeys(int command);

// Where a command stands in the menus: "Edit > Follow Cars"; its name
// alone when no menu holds it.
QString CommandMenuPath(int command);

// A help page with its generated parts filled in, so that pages cannot
// differ from the program: "{{keys:NAME}}" becomes the keys of the command
// NAME ("upload-all", "print", ...; see HelpKeyboardPage.cpp), "{{menu:NAME}}"
// its place in the menus, "{{bands}}" the table of each scanner model's bands
// with its source, as the installed module gives them.
QString ExpandHelpPage(const QString& html, const std::vector<vnModelBands>& models);
