#pragma once

#include "modules/vnChannelLayout.h"
#include "modules/vnResult.h"
#include "modules/vnScannerBands.h"

#include <string>
#include <vector>

class vnTransfer;

// A scanner module. The base answers E_NOTIMPL for everything but the
// channel layout, which it embeds and hands out by address.
class vnModule
{
public:
    vnModule() = default;
    vnModule(const vnModule&) = delete;
    vnModule& operator=(const vnModule&) = delete;
    virtual ~vnModule() = default;

    // Texts are constants of the module that outlive every module object.
    virtual vnResult GetName(const char** name)
    {
        (void)name;
        return E_NOTIMPL;
    }
    virtual vnResult GetDescription(const char** description)
    {
        (void)description;
        return E_NOTIMPL;
    }
    virtual vnResult GetChannelLayout(vnChannelLayout** layout)
    {
        if (!layout)
            return E_INVALIDARG;
        *layout = &m_layout;
        return S_OK;
    }
    virtual vnResult ShowProperties() { return E_NOTIMPL; }
    // The transfer stays owned by the module.
    virtual vnResult GetTransfer(vnTransfer** transfer)
    {
        (void)transfer;
        return E_NOTIMPL;
    }

    // The scanner model the user chose for this module, as stored; for
    // printouts and titles.
    virtual vnResult GetScannerModel(std::string* model)
    {
        (void)model;
        return E_NOTIMPL;
    }

    // The frequencies the chosen scanner model receives, so that channels
    // outside them can be pointed out before they are sent.
    virtual vnResult GetBands(vnScannerBands* bands)
    {
        (void)bands;
        return E_NOTIMPL;
    }

    // Every scanner model the module uploads to, with its bands and their
    // source, so that the help can show them without knowing the module.
    virtual vnResult GetModelBands(std::vector<vnModelBands>* models)
    {
        (void)models;
        return E_NOTIMPL;
    }

protected:
    vnChannelLayout m_layout;
};
