#include "controls/EnumString.h"

#include "platform/ComMemory.h"
#include "platform/ComPtr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::shared_ptr<TTntStringList> ListOf(std::vector<std::u16string> strings)
{
    auto list = std::make_shared<TTntStringList>(LocaleCaseInsensitiveComparer("en_US"));
    for (const auto& s : strings) list->Add(s);
    return list;
}

ComPtr<IEnumString> EnumOver(const std::shared_ptr<TTntStringList>& list)
{
    return ComPtr<IEnumString>(new TEnumString(list));
}

// Calls Next and takes the blocks back, checking each is a zero-terminated
// string of exactly (length + 1) code units.
struct Fetched {
    HRESULT result;
    ULONG count;
    std::vector<std::u16string> strings;
};

Fetched NextOf(IEnumString& e, ULONG celt)
{
    std::vector<char16_t*> blocks(celt + 1, nullptr);
    Fetched f{};
    f.count = 0xDEAD;
    f.result = e.Next(celt, blocks.data(), &f.count);
    for (ULONG i = 0; i < f.count && i < celt; ++i) {
        f.strings.emplace_back(blocks[i]);
        CoTaskMemFree(blocks[i]);
    }
    return f;
}

enum class Op { Next, Skip, Reset };

struct Step {
    Op op;
    ULONG celt;
    HRESULT result;
    std::vector<std::u16string> strings;  // what Next hands out
};

struct Case {
    const char* name;
    std::vector<std::u16string> list;
    std::vector<Step> steps;
};

const std::vector<std::u16string> kTwo = {u"a", u"b"};
const std::vector<std::u16string> kThree = {u"a", u"b", u"c"};
const std::vector<std::u16string> kFive = {u"a", u"b", u"c", u"d", u"e"};

const Case kCases[] = {
    {"next past the end gives what is left, then nothing",
     kTwo,
     {{Op::Next, 3, S_FALSE, {u"a", u"b"}}, {Op::Next, 1, S_FALSE, {}}}},
    {"next of zero is complete", kTwo, {{Op::Next, 0, S_OK, {}}, {Op::Next, 1, S_OK, {u"a"}}}},
    {"next of exactly what is there", kTwo, {{Op::Next, 2, S_OK, {u"a", u"b"}}}},
    {"empty string is a block holding only the terminator", {u""}, {{Op::Next, 1, S_OK, {u""}}}},
    {"empty list", {}, {{Op::Next, 1, S_FALSE, {}}, {Op::Skip, 0, S_FALSE, {}}}},
    {"skip inside the list", kFive, {{Op::Skip, 2, S_OK, {}}, {Op::Next, 1, S_OK, {u"c"}}}},
    {"skip onto the end wraps to the start", kThree, {{Op::Skip, 3, S_FALSE, {}}, {Op::Next, 1, S_OK, {u"a"}}}},
    {"skip past the end wraps to the start", kThree, {{Op::Skip, 10, S_FALSE, {}}, {Op::Next, 1, S_OK, {u"a"}}}},
    {"skip by the largest count does not overflow",
     kThree,
     {{Op::Next, 1, S_OK, {u"a"}}, {Op::Skip, 0xFFFFFFFFu, S_FALSE, {}}, {Op::Next, 1, S_OK, {u"a"}}}},
    {"reset after the end starts again",
     kTwo,
     {{Op::Next, 5, S_FALSE, {u"a", u"b"}}, {Op::Reset, 0, S_OK, {}}, {Op::Next, 1, S_OK, {u"a"}}}},
};

TEST(TEnumString, FollowsTheTableOfCases)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        auto list = ListOf(c.list);
        auto e = EnumOver(list);
        for (const Step& step : c.steps) {
            switch (step.op) {
            case Op::Next: {
                const Fetched f = NextOf(*e, step.celt);
                EXPECT_EQ(f.result, step.result);
                EXPECT_EQ(f.count, step.strings.size());
                EXPECT_EQ(f.strings, step.strings);
                break;
            }
            case Op::Skip: EXPECT_EQ(e->Skip(step.celt), step.result); break;
            case Op::Reset: EXPECT_EQ(e->Reset(), step.result); break;
            }
        }
    }
}

TEST(TEnumString, BlocksAreZeroTerminatedUtf16AndNullFetchedIsNeverWritten)
{
    auto list = ListOf({u"Grüße", u"\U0001F3B5 note"});
    auto e = EnumOver(list);
    char16_t* blocks[2] = {};
    EXPECT_EQ(e->Next(2, blocks, nullptr), S_OK);  // symbols sort before letters
    EXPECT_EQ(std::u16string(blocks[0]), u"\U0001F3B5 note");
    EXPECT_EQ(std::char_traits<char16_t>::length(blocks[0]), 7u);  // a surrogate pair and 5 more
    EXPECT_EQ(std::u16string(blocks[1]), u"Grüße");
    EXPECT_EQ(blocks[1][5], u'\0');
    CoTaskMemFree(blocks[0]);
    CoTaskMemFree(blocks[1]);
}

TEST(TEnumString, AnswersOnlyIUnknownAndIEnumString)
{
    auto list = ListOf({});
    auto* e = new TEnumString(list);
    EXPECT_EQ(e->AddRef(), 1u);  // count 0 after construction
    void* got = nullptr;
    EXPECT_EQ(e->QueryInterface(IID_IUnknown, &got), S_OK);
    EXPECT_NE(got, nullptr);
    EXPECT_EQ(e->QueryInterface(IID_IEnumString, &got), S_OK);
    EXPECT_EQ(e->Release(), 2u);
    EXPECT_EQ(e->Release(), 1u);
    got = reinterpret_cast<void*>(1);
    EXPECT_EQ(e->QueryInterface(GuidFromText("{EAC04BC0-3791-11D2-BB95-0060977B464C}"), &got), E_NOINTERFACE);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(e->Release(), 0u);  // deleted here; the sanitizer build checks it
}

TEST(TEnumString, CloneStartsAtThePositionMovesIndependentlyAndSharesTheLiveList)
{
    auto list = ListOf({u"a", u"b", u"c", u"d"});
    auto e = EnumOver(list);
    ASSERT_EQ(e->Skip(2), S_OK);
    IEnumString* raw = nullptr;
    ASSERT_EQ(e->Clone(&raw), S_OK);
    auto clone = ComPtr<IEnumString>::Attach(raw);
    EXPECT_EQ(clone->AddRef(), 2u);  // handed out holding exactly one reference
    clone->Release();

    EXPECT_EQ(NextOf(*clone, 1).strings, std::vector<std::u16string>{u"c"});
    EXPECT_EQ(NextOf(*clone, 1).strings, std::vector<std::u16string>{u"d"});
    EXPECT_EQ(NextOf(*e, 1).strings, std::vector<std::u16string>{u"c"});

    list->Add(u"cc");  // sorts between "c" and "d"
    EXPECT_EQ(NextOf(*e, 1).strings, std::vector<std::u16string>{u"cc"});
    EXPECT_EQ(NextOf(*clone, 1).strings, std::vector<std::u16string>{u"d"});
    list->Add(u"e");
    EXPECT_EQ(NextOf(*clone, 5).strings, std::vector<std::u16string>{u"e"});
}

TEST(TEnumString, CloneIntoNullIsRefused)
{
    auto list = ListOf({u"a"});
    auto e = EnumOver(list);
    EXPECT_EQ(e->Clone(nullptr), E_POINTER);
}

TEST(TEnumString, OutlivingItsListReadsAnEmptyList)
{
    auto list = ListOf({u"a", u"b"});
    auto e = EnumOver(list);
    ASSERT_EQ(NextOf(*e, 1).strings, std::vector<std::u16string>{u"a"});
    list.reset();
    const Fetched f = NextOf(*e, 1);
    EXPECT_EQ(f.result, S_FALSE);
    EXPECT_EQ(f.count, 0u);
    EXPECT_EQ(e->Skip(0), S_FALSE);
    IEnumString* raw = nullptr;
    ASSERT_EQ(e->Clone(&raw), S_OK);
    auto clone = ComPtr<IEnumString>::Attach(raw);
    EXPECT_EQ(NextOf(*clone, 1).count, 0u);
}

TEST(TEnumString, OutOfTaskMemoryHandsOutNothingAndKeepsThePosition)
{
    auto list = ListOf({u"a", u"b", u"c"});
    auto e = EnumOver(list);
    CoTaskMemFailAfter(1);  // "a" gets its block, "b" does not
    char16_t* blocks[3] = {};
    ULONG fetched = 99;
    EXPECT_EQ(e->Next(3, blocks, &fetched), E_OUTOFMEMORY);
    CoTaskMemFailAfter(-1);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(blocks[0], nullptr);  // freed again; the leak check of the sanitizer build sees to the rest
    EXPECT_EQ(NextOf(*e, 3).strings, (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

}  // namespace
