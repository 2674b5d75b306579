#include "controls/ACEdit.h"

#include "FakeAutoComplete.h"
#include "UnknownOnly.h"
#include "controls/ExceptionHandler.h"
#include "controls/QtTextComparer.h"
#include "controls/ShellNamespaceList.h"
#include "platform/ComErrors.h"
#include "platform/ComRuntime.h"

#include <QFocusEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::vector<std::u16string> Contents(const TTntStringList& list)
{
    std::vector<std::u16string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

// Puts the fake engine in the registry's place of the real one for one test.
class ACEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        realEngine_ = CoRegisterClass(CLSID_AutoComplete, [this] { return static_cast<IAutoComplete2*>(new FakeAutoComplete(fake)); });
    }
    void TearDown() override
    {
        edit.reset();
        CoRegisterClass(CLSID_AutoComplete, realEngine_);
    }

    void Exit(Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(edit.get(), &out);
    }

    FakeBehaviour fake;
    std::unique_ptr<TACEdit> edit = std::make_unique<TACEdit>();

private:
    ComClassFactory realEngine_;
};

TEST(ACEditUnit, AsksForApartmentModeAndRegistersTheShellStandInsAtLoad)
{
    EXPECT_EQ(CoInitFlags, COINIT_APARTMENTTHREADED);
    for (const GUID& registered : {CLSID_AutoComplete, CLSID_ACListISF}) EXPECT_TRUE(CreateComObject(registered));
    for (const GUID& absent : {CLSID_ACLHistory, CLSID_ACLMRU}) EXPECT_THROW(CreateComObject(absent), EOleSysError);
}

TEST(QtCaseInsensitiveComparer, OrdersByTheLocaleWithoutRegardToCase)
{
    TTntStringList list(QtCaseInsensitiveComparer(QLocale(QLocale::German, QLocale::Germany)));
    for (const char16_t* s : {u"Music", u"art", u"ART", u"Books", u"Ähre", u"zoo"}) list.Add(s);
    EXPECT_EQ(Contents(list), (std::vector<std::u16string>{u"Ähre", u"art", u"Books", u"Music", u"zoo"}));
}

TEST_F(ACEditTest, ANewControlHasTheDefaultsAndNoBinding)
{
    EXPECT_TRUE(edit->ACEnabled());
    EXPECT_TRUE(edit->ACOptions() == kDefaultACOptions);
    EXPECT_EQ(ACOptionFlags(edit->ACOptions()), 0x21u);
    EXPECT_EQ(ACOptionFlags({}), 0u);
    EXPECT_EQ(ACOptionFlags({acAutoAppend, acAutoSuggest, acUseArrowKey}), 0x23u);
    EXPECT_EQ(edit->ACSource(), acsList);
    EXPECT_TRUE(edit->AutoAdd());
    EXPECT_EQ(edit->ACList().Count(), 0);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(edit->ACObject(), nullptr);
    EXPECT_EQ(edit->ACSourceObject(), nullptr);
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(ACEditTest, WindowCreationBindsAListEnumeratorAndAppliesTheSettings)
{
    edit->ACList().Add(u"Music");
    edit->ACList().Add(u"art");
    edit->HandleNeeded();
    EXPECT_EQ(fake.log, (Log{"Init", "Enable(1)", "SetOptions(0x21)"}));
    ASSERT_NE(edit->ACSourceObject(), nullptr);
    EXPECT_EQ(fake.lastSource, edit->ACSourceObject());
    // The source reads the control's list, live.
    edit->ACList().Add(u"Books");
    char16_t* blocks[4] = {};
    ULONG fetched = 0;
    EXPECT_EQ(edit->ACSourceObject()->Next(4, blocks, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 3u);
    EXPECT_EQ(std::u16string(blocks[1]), u"Books");
    for (ULONG i = 0; i < fetched; ++i) CoTaskMemFree(blocks[i]);
}

TEST_F(ACEditTest, WritesWhileBoundReachTheEngineEveryTime)
{
    edit->HandleNeeded();
    fake.log.clear();
    edit->SetACEnabled(false);
    edit->SetACEnabled(false);
    edit->SetACOptions({});
    edit->SetACOptions({});
    edit->SetACOptions({acAutoAppend});
    edit->SetAutoAdd(false);
    EXPECT_EQ(fake.log, (Log{"Enable(0)", "Enable(0)", "SetOptions(0x0)", "SetOptions(0x0)", "SetOptions(0x2)"}));
    EXPECT_FALSE(edit->ACEnabled());
    EXPECT_TRUE(edit->ACOptions() == TACOptions{acAutoAppend});
}

TEST_F(ACEditTest, WritesWithoutAWindowOnlyStoreAndTheWindowAppliesThem)
{
    edit->SetACEnabled(false);
    edit->SetACOptions({acAutoAppend, acUseArrowKey});
    EXPECT_TRUE(fake.log.empty());
    edit->HandleNeeded();
    EXPECT_EQ(fake.log, (Log{"Init", "Enable(0)", "SetOptions(0x22)"}));
}

TEST_F(ACEditTest, OptionsAreStoredButNotPassedWithoutIAutoComplete2)
{
    fake.offersOptions = false;
    edit->HandleNeeded();
    edit->SetACOptions({});
    EXPECT_EQ(fake.log, (Log{"Init", "Enable(1)"}));
    EXPECT_TRUE(edit->ACOptions() == TACOptions{});
}

TEST_F(ACEditTest, SourceChangeRebuildsTheBindingOnlyWhileThereIsAWindow)
{
    edit->SetACSource(acsShell);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_TRUE(fake.log.empty());
    edit->HandleNeeded();
    ComPtr<IACList> namespaceList;  // the shell namespace list is the source
    ASSERT_EQ(ComPtr<IEnumString>(edit->ACSourceObject()).As(namespaceList), S_OK);
    namespaceList.Clear();

    fake.log.clear();
    edit->SetACSource(acsShell);
    EXPECT_TRUE(fake.log.empty());
    edit->SetACSource(acsList);
    EXPECT_EQ(fake.log, (Log{"Destroyed", "Init", "Enable(1)", "SetOptions(0x21)"}));
    EXPECT_NE(ComPtr<IEnumString>(edit->ACSourceObject()).As(namespaceList), S_OK);
}

TEST_F(ACEditTest, WithoutAnEngineTheFieldIsAPlainEdit)
{
    const ComClassFactory fakeEngine = CoRegisterClass(CLSID_AutoComplete, {});
    edit->ACList().Add(u"kept");
    edit->HandleNeeded();
    EXPECT_TRUE(edit->HandleAllocated());
    EXPECT_EQ(edit->ACObject(), nullptr);
    EXPECT_EQ(edit->ACSourceObject(), nullptr);  // no source is made either
    edit->SetACEnabled(false);
    edit->SetACOptions({});
    EXPECT_FALSE(edit->ACEnabled());
    edit->setText("abc");
    edit->setCursorPosition(0);
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "bc");
    EXPECT_EQ(Contents(edit->ACList()), std::vector<std::u16string>{u"kept"});
    CoRegisterClass(CLSID_AutoComplete, fakeEngine);
}

TEST_F(ACEditTest, FailingInitRaisesAndKeepsTheSourceForTheNextWindow)
{
    fake.initResult = E_FAIL;
    try {
        edit->HandleNeeded();
        FAIL();
    } catch (const EOleError&) {
        FAIL() << "must be the base class";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Could not initialize AutoComplete");
    }
    EXPECT_EQ(fake.log, (Log{"Init", "Destroyed"}));
    EXPECT_EQ(edit->ACObject(), nullptr);
    IEnumString* kept = edit->ACSourceObject();
    ASSERT_NE(kept, nullptr);

    // The kept list source is used again, whatever ACSource now says.
    fake.initResult = S_OK;
    edit->SetACSource(acsShell);
    EXPECT_EQ(edit->ACSourceObject(), kept);
    EXPECT_EQ(fake.lastSource, kept);
    EXPECT_NE(edit->ACObject(), nullptr);
}

TEST_F(ACEditTest, ShellSourcesThatCannotBeMadeRaiseThePlatformsErrors)
{
    const ComClassFactory before = CoRegisterClass(CLSID_ACLMRU, [] { return new UnknownOnly; });
    struct Row {
        TACSource source;
        const char* message;
    };
    for (const Row& row : {Row{acsHistory, "Class not registered, ClassID: {00BB2764-6A77-11D0-A535-00C04FD7D062}"},
                           Row{acsMRU, "Interface not supported"}}) {
        SCOPED_TRACE(row.message);
        edit = std::make_unique<TACEdit>();
        fake.log.clear();
        edit->SetACSource(row.source);
        try {
            edit->HandleNeeded();
            FAIL();
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
        EXPECT_TRUE(edit->HandleAllocated());
        EXPECT_NE(edit->ACObject(), nullptr);  // held, without Init
        EXPECT_EQ(edit->ACSourceObject(), nullptr);
        EXPECT_TRUE(fake.log.empty());  // neither Init nor the settings
    }
    CoUnregisterClass(CLSID_ACLMRU);
    if (before) CoRegisterClass(CLSID_ACLMRU, before);
}

TEST_F(ACEditTest, ExitAddsTheTextInListModeBeforeOnExitRuns)
{
    std::vector<int> countsSeenByHandler;
    edit->OnExit = [&] { countsSeenByHandler.push_back(edit->ACList().Count()); };
    struct Row {
        const char* text;
        TACSource source;
        bool autoAdd;
        Qt::FocusReason reason;
        std::vector<std::u16string> after;
    };
    const std::vector<std::u16string> once = {u"C:/Songs"};
    const Row rows[] = {
        {"C:/Songs", acsList, true, Qt::TabFocusReason, once},
        {"c:/songs", acsList, true, Qt::MouseFocusReason, once},  // the same entry, first form kept
        {"", acsList, true, Qt::TabFocusReason, once},
        {"Other", acsList, false, Qt::TabFocusReason, once},
        {"Other", acsShell, true, Qt::TabFocusReason, once},
        {"Other", acsList, true, Qt::ActiveWindowFocusReason, once},  // the window lost activation: no exit
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        edit->SetACSource(row.source);
        edit->SetAutoAdd(row.autoAdd);
        edit->setText(row.text);
        Exit(row.reason);
        EXPECT_EQ(Contents(edit->ACList()), row.after);
    }
    EXPECT_EQ(countsSeenByHandler, (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST_F(ACEditTest, DeleteKeyRemovesTheHighlightedSuggestionAndTheEditStillDeletes)
{
    struct Row {
        const char* name;
        std::vector<std::u16string> list;
        DWORD flags;
        std::optional<std::u16string> highlighted;
        HRESULT statusResult;
        bool offersDropDown;
        Qt::KeyboardModifiers modifiers;  // any: Delete is Delete whatever the modifiers
        Log log;
        std::vector<std::u16string> after;
    };
    const Row rows[] = {
        {"highlighted entry, other case", {u"songs", u"hymns"}, ACDD_VISIBLE, u"Songs", S_OK, true, Qt::NoModifier,
         {"GetDropDownStatus", "ResetEnumerator"}, {u"hymns"}},
        {"with Shift, Ctrl and Alt", {u"songs", u"hymns"}, ACDD_VISIBLE, u"songs", S_OK, true,
         Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, {"GetDropDownStatus", "ResetEnumerator"}, {u"hymns"}},
        {"highlighted text not in the list", {u"songs"}, ACDD_VISIBLE, u"psalms", S_OK, true, Qt::NoModifier,
         {"GetDropDownStatus", "ResetEnumerator"}, {u"songs"}},
        {"drop-down hidden", {u"songs"}, 0, u"songs", S_OK, true, Qt::NoModifier, {"GetDropDownStatus"}, {u"songs"}},
        {"flags not exactly visible", {u"songs"}, ACDD_VISIBLE | 2, u"songs", S_OK, true, Qt::NoModifier,
         {"GetDropDownStatus"}, {u"songs"}},
        {"status fails", {u"songs"}, ACDD_VISIBLE, u"songs", E_FAIL, true, Qt::NoModifier, {"GetDropDownStatus"}, {u"songs"}},
        {"no drop-down interface", {u"songs"}, ACDD_VISIBLE, u"songs", S_OK, false, Qt::NoModifier, {}, {u"songs"}},
        {"nothing highlighted removes the empty entry", {u"", u"songs"}, ACDD_VISIBLE, std::nullopt, S_OK, true, Qt::NoModifier,
         {"GetDropDownStatus", "ResetEnumerator"}, {u"songs"}},
        {"only an empty entry: nothing asked", {u""}, ACDD_VISIBLE, std::nullopt, S_OK, true, Qt::NoModifier, {}, {u""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        edit = std::make_unique<TACEdit>();
        for (const auto& s : row.list) edit->ACList().Add(s);
        fake.dropDownFlags = row.flags;
        fake.highlighted = row.highlighted;
        fake.statusResult = row.statusResult;
        fake.offersDropDown = row.offersDropDown;
        edit->HandleNeeded();
        fake.log.clear();
        int keySeenByHandler = 0;
        edit->OnKeyDown = [&](int& key, Qt::KeyboardModifiers) { keySeenByHandler = key; };
        edit->setText("xyz");
        edit->setCursorPosition(1);
        QTest::keyClick(edit.get(), Qt::Key_Delete, row.modifiers);
        EXPECT_EQ(fake.log, row.log);
        EXPECT_EQ(Contents(edit->ACList()), row.after);
        EXPECT_EQ(keySeenByHandler, Qt::Key_Delete);
        if (row.modifiers == Qt::NoModifier) {
            EXPECT_EQ(edit->text(), "xz");  // the edit's own deletion
        }
    }
}

TEST_F(ACEditTest, DeleteKeyOutsideListModeLeavesTheListAlone)
{
    edit->ACList().Add(u"songs");
    edit->SetACSource(acsShell);
    edit->HandleNeeded();
    fake.dropDownFlags = ACDD_VISIBLE;
    fake.highlighted = u"songs";
    fake.log.clear();
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    EXPECT_TRUE(fake.log.empty());
    EXPECT_EQ(edit->ACList().Count(), 1);
}

TEST_F(ACEditTest, AKeyHandlerCanStopTheEditsOwnHandling)
{
    edit->OnKeyDown = [](int& key, Qt::KeyboardModifiers) { key = 0; };
    edit->setText("xyz");
    edit->setCursorPosition(0);
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "xyz");
}

TEST_F(ACEditTest, ListWritesCopyAndRefuseNull)
{
    TTntStringList other(QtCaseInsensitiveComparer());
    other.Add(u"b");
    other.Add(u"a");
    edit->SetACList(&other);
    other.Clear();
    EXPECT_EQ(Contents(edit->ACList()), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_THROW(edit->SetACList(nullptr), EConvertError);
    EXPECT_EQ(edit->ACList().Count(), 2);
    edit->SetACList(&edit->ACList());
    EXPECT_EQ(edit->ACList().Count(), 0);
}

TEST_F(ACEditTest, DestructionReleasesTheEngineAndAHeldEnumeratorReadsNothing)
{
    edit->ACList().Add(u"one");
    edit->HandleNeeded();
    ComPtr<IEnumString> outliving(edit->ACSourceObject());
    fake.log.clear();
    edit.reset();
    EXPECT_EQ(fake.log, Log{"Destroyed"});
    char16_t* block = nullptr;
    ULONG fetched = 7;
    EXPECT_EQ(outliving->Next(1, &block, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST_F(ACEditTest, ShowingTheControlMakesItsWindowAndErrorsGoToTheDefaultHandler)
{
    fake.initResult = E_FAIL;
    std::vector<std::string> shown;
    SetApplicationExceptionHandler([&](const std::exception& e) { shown.push_back(e.what()); });
    edit->show();
    SetApplicationExceptionHandler({});
    EXPECT_TRUE(edit->HandleAllocated());
    EXPECT_EQ(shown, std::vector<std::string>{"Could not initialize AutoComplete"});
}

}  // namespace
