// The settings of the auto-complete edit that are plain values: its options,
// the flags they become for the completion engine, and the kinds of source.
#pragma once

#include "platform/ComAutoComplete.h"

#include <cstdint>
#include <initializer_list>

enum TACOption { acAutoAppend, acAutoSuggest, acUseArrowKey };

// A set of TACOption.
class TACOptions {
public:
    constexpr TACOptions() = default;
    constexpr TACOptions(std::initializer_list<TACOption> options)
    {
        for (TACOption option : options) bits_ |= Bit(option);
    }
    constexpr bool Contains(TACOption option) const { return (bits_ & Bit(option)) != 0; }
    friend constexpr bool operator==(TACOptions, TACOptions) = default;

private:
    static constexpr uint8_t Bit(TACOption option) { return static_cast<uint8_t>(1u << option); }
    uint8_t bits_ = 0;
};

inline constexpr TACOptions kDefaultACOptions = {acAutoSuggest, acUseArrowKey};

// The engine's flags for a set: each option in declaration order ORs in its
// flag; the default set gives 0x21, the empty set 0.
constexpr DWORD ACOptionFlags(TACOptions options)
{
    constexpr DWORD kFlagOf[] = {ACO_AUTOAPPEND, ACO_AUTOSUGGEST, ACO_UPDOWNKEYDROPSLIST};
    DWORD flags = ACO_NONE;
    for (TACOption option : {acAutoAppend, acAutoSuggest, acUseArrowKey})
        if (options.Contains(option)) flags |= kFlagOf[option];
    return flags;
}

// Where the strings come from: the control's own list, or one of the shell's.
enum TACSource { acsList, acsHistory, acsMRU, acsShell };

inline constexpr GUID kNoClass{};

// The class of a shell source; acsList has none (the control makes its own).
constexpr const GUID& ACSourceClass(TACSource source)
{
    switch (source) {
    case acsList: return kNoClass;
    case acsHistory: return CLSID_ACLHistory;
    case acsMRU: return CLSID_ACLMRU;
    case acsShell: return CLSID_ACListISF;
    }
    return kNoClass;
}
