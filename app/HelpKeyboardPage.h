#pragma once

#include <QString>

// The help guide's keyboard page, made from an accelerator table so that it
// lists exactly the keys the window binds.

// The name a user knows a command by: its menu label without the mnemonic
// and the key hint, else its tooltip; empty when it has neither.
QString CommandDisplayName(int command);

// An HTML page with one table row per binding of accelerator table
// acceleratorTableId, in the table's order: the keys, then the command.
QString KeyboardPageHtml(int acceleratorTableId);
