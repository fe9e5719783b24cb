#pragma once

#include <span>

// A menu as data: popups of items, each item a command id and its label.
// A label may hold '&' before the mnemonic letter and, after a tab, a key
// name that is only shown; key bindings come from the accelerator table.
struct MenuItemResource
{
    int command; // 0: a separator
    // Null with a command: the place of a list of items that the program
    // fills at run time, with the commands from this one on.
    const char* label;
};

struct PopupMenuResource
{
    const char* title;
    std::span<const MenuItemResource> items;
};

struct MenuResource
{
    int id;
    std::span<const PopupMenuResource> popups;
};

// The menu with this id, or null when there is none.
const MenuResource* FindMenuResource(int id);
