#pragma once

#include <QKeyCombination>

#include <span>

// One key binding of an accelerator table: the keys and the command they send.
struct AcceleratorResource
{
    QKeyCombination keys;
    int command;
};

// The accelerator table with this id; empty when there is none.
std::span<const AcceleratorResource> FindAcceleratorResource(int id);
