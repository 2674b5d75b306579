#include "platform/ComAutoComplete.h"
#include "platform/ComErrors.h"
#include "platform/ComMemory.h"
#include "platform/ComRuntime.h"
#include "UnknownOnly.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

TEST(ComGuid, TextFormIsUpperCaseInBracesAndRoundTrips)
{
    constexpr GUID history = GuidFromText("{00bb2764-6a77-11d0-a535-00c04fd7d062}");
    static_assert(history.Data1 == 0x00BB2764 && history.Data2 == 0x6A77 && history.Data4[7] == 0x62);
    EXPECT_EQ(GuidToString(history), "{00BB2764-6A77-11D0-A535-00C04FD7D062}");
    for (const GUID& g : {CLSID_AutoComplete, CLSID_ACLHistory, CLSID_ACLMRU, CLSID_ACListISF, IID_IEnumString,
                          IID_IAutoComplete2, IID_IAutoCompleteDropDown})
        EXPECT_EQ(GuidFromText(GuidToString(g)), g);
    EXPECT_FALSE(CLSID_ACLHistory == CLSID_AutoComplete);
    for (const char* bad : {"", "00BB2764-6A77-11D0-A535-00C04FD7D062", "{00BB2764-6A77-11D0-A535-00C04FD7D06G}",
                            "{00BB27646-A77-11D0-A535-00C04FD7D062}"})
        EXPECT_THROW(GuidFromText(bad), std::invalid_argument) << bad;
}

constexpr GUID kPlainClass = GuidFromText("{8A1E0C52-3B1F-4C5E-9D77-0F1E2D3C4B5A}");

class ComRuntime : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(InitComObj(), S_OK);
        CoRegisterClass(kPlainClass, [] { return new UnknownOnly; });
    }
    void TearDown() override
    {
        CoUnregisterClass(kPlainClass);
        CoUninitialize();
    }
};

TEST_F(ComRuntime, CreatesRegisteredClassesAndFailsAsThePlatformDoes)
{
    struct Row {
        const char* name;
        GUID clsid;
        IUnknown* outer;
        DWORD context;
        GUID iid;
        HRESULT result;
    };
    UnknownOnly* outer = new UnknownOnly;
    outer->AddRef();
    const Row rows[] = {
        {"registered, IUnknown", kPlainClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, S_OK},
        {"local server is served too", kPlainClass, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, S_OK},
        {"interface missing", kPlainClass, nullptr, CLSCTX_INPROC_SERVER, IID_IEnumString, E_NOINTERFACE},
        {"not registered", CLSID_ACLHistory, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, REGDB_E_CLASSNOTREG},
        {"aggregation", kPlainClass, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, CLASS_E_NOAGGREGATION},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(CoCreateInstance(row.clsid, row.outer, row.context, row.iid, &object), row.result);
        if (row.result == S_OK) {
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u);
        } else {
            EXPECT_EQ(object, nullptr);
        }
    }
    outer->Release();
    EXPECT_EQ(UnknownOnly::live, 0);  // the object without the interface was freed again
}

TEST_F(ComRuntime, CreationOnAThreadWithoutComFails)
{
    CoUninitialize();
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(kPlainClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(InitComObj(), S_OK);
}

TEST_F(ComRuntime, InitialisationCountsAndRefusesAnotherMode)
{
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(kPlainClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), S_OK);
    static_cast<IUnknown*>(object)->Release();
}

TEST(ComInitMode, TheFirstChoiceWins)
{
    const int before = CoInitFlags;
    CoInitFlags = kCoInitModeNotChosen;
    ChooseCoInitMode(COINIT_APARTMENTTHREADED);
    EXPECT_EQ(CoInitFlags, COINIT_APARTMENTTHREADED);
    ChooseCoInitMode(COINIT_MULTITHREADED);
    EXPECT_EQ(CoInitFlags, COINIT_APARTMENTTHREADED);

    CoInitFlags = COINIT_MULTITHREADED;
    EXPECT_EQ(InitComObj(), S_OK);  // start-up initialises in the chosen mode
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    CoInitFlags = before;
}

TEST_F(ComRuntime, CreateComObjectNamesTheResultAndTheClass)
{
    try {
        CreateComObject(CLSID_ACLHistory);
        FAIL();
    } catch (const EOleSysError& e) {
        EXPECT_STREQ(e.what(), "Class not registered, ClassID: {00BB2764-6A77-11D0-A535-00C04FD7D062}");
        EXPECT_EQ(e.ErrorCode(), REGDB_E_CLASSNOTREG);
    }
    CoUninitialize();
    try {
        CreateComObject(kPlainClass);
        FAIL();
    } catch (const EOleSysError& e) {
        EXPECT_STREQ(e.what(), "CoInitialize has not been called, ClassID: {8A1E0C52-3B1F-4C5E-9D77-0F1E2D3C4B5A}");
    }
    ASSERT_EQ(InitComObj(), S_OK);
    const ComPtr<IUnknown> plain = CreateComObject(kPlainClass);
    EXPECT_TRUE(plain);
}

TEST_F(ComRuntime, AMissingInterfaceIsInterfaceNotSupported)
{
    const ComPtr<IUnknown> plain = CreateComObject(kPlainClass);
    try {
        CastInterface<IEnumString>(plain);
        FAIL();
    } catch (const EIntfCastError& e) {
        EXPECT_STREQ(e.what(), "Interface not supported");
    }
    EXPECT_TRUE(CastInterface<IUnknown>(plain));
}

TEST(ComErrors, SystemTextsCarryNoFullStop)
{
    EXPECT_EQ(SysErrorMessage(E_NOINTERFACE), "No such interface supported");
    EXPECT_EQ(SysErrorMessage(ResultFromBits(0x8000FFFF)), "Error 0x8000FFFF");
    EXPECT_THROW(OleCheck(E_FAIL), EOleSysError);
    EXPECT_NO_THROW(OleCheck(S_FALSE));
}

TEST(ComMemory, PlannedFailuresComeAfterTheGivenSuccesses)
{
    CoTaskMemFailAfter(2);
    void* first = CoTaskMemAlloc(0);
    void* second = CoTaskMemAlloc(8);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(CoTaskMemAlloc(8), nullptr);
    CoTaskMemFailAfter(-1);
    void* third = CoTaskMemAlloc(8);
    EXPECT_NE(third, nullptr);
    for (void* block : {first, second, third}) CoTaskMemFree(block);
    CoTaskMemFree(nullptr);
}

}  // namespace
