// A stand-in for the completion engine that writes down every call the edit
// makes, and answers as a test tells it to.
#pragma once

#include "platform/ComAutoComplete.h"
#include "platform/ComMemory.h"
#include "platform/ComPtr.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

struct FakeBehaviour {
    bool offersOptions = true;   // answers IAutoComplete2
    bool offersDropDown = true;  // answers IAutoCompleteDropDown
    HRESULT initResult = S_OK;
    HRESULT statusResult = S_OK;
    DWORD dropDownFlags = 0;
    std::optional<std::u16string> highlighted;  // none: no item highlighted
    std::vector<std::string> log;
    IUnknown* lastSource = nullptr;  // what the last Init was given
};

class FakeAutoComplete final : public IAutoComplete2, public IAutoCompleteDropDown {
public:
    explicit FakeAutoComplete(FakeBehaviour& behaviour) : behaviour_(behaviour) {}

    HRESULT QueryInterface(const GUID& iid, void** object) override
    {
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IAutoComplete || (iid == IID_IAutoComplete2 && behaviour_.offersOptions))
            *object = static_cast<IAutoComplete2*>(this);
        else if (iid == IID_IAutoCompleteDropDown && behaviour_.offersDropDown)
            *object = static_cast<IAutoCompleteDropDown*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            behaviour_.log.push_back("Destroyed");
            delete this;
        }
        return left;
    }

    HRESULT Init(HWND edit, IUnknown* source, const char16_t* keyPath, const char16_t* quickComplete) override
    {
        behaviour_.log.push_back(std::string("Init") + (edit ? "" : " without edit") + (keyPath ? " with key" : "") +
                                 (quickComplete ? " with format" : ""));
        behaviour_.lastSource = source;
        if (Succeeded(behaviour_.initResult)) source_ = ComPtr<IUnknown>(source);  // the engine keeps its own reference
        return behaviour_.initResult;
    }
    HRESULT Enable(BOOL enable) override
    {
        behaviour_.log.push_back("Enable(" + std::to_string(enable) + ")");
        return S_OK;
    }
    HRESULT SetOptions(DWORD flags) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "SetOptions(0x%X)", static_cast<unsigned>(flags));
        behaviour_.log.push_back(text);
        return S_OK;
    }
    HRESULT GetOptions(DWORD*) override { return E_NOTIMPL; }

    HRESULT GetDropDownStatus(DWORD* flags, char16_t** highlighted) override
    {
        behaviour_.log.push_back("GetDropDownStatus");
        *flags = behaviour_.dropDownFlags;
        *highlighted = nullptr;
        if (behaviour_.highlighted) {
            const std::u16string& text = *behaviour_.highlighted;
            *highlighted = static_cast<char16_t*>(CoTaskMemAlloc((text.size() + 1) * sizeof(char16_t)));
            std::memcpy(*highlighted, text.c_str(), (text.size() + 1) * sizeof(char16_t));
        }
        return behaviour_.statusResult;
    }
    HRESULT ResetEnumerator() override
    {
        behaviour_.log.push_back("ResetEnumerator");
        return S_OK;
    }

private:
    ~FakeAutoComplete() = default;

    FakeBehaviour& behaviour_;
    ULONG references_ = 0;
    ComPtr<IUnknown> source_;
};
