#include "controls/TntStringList.h"

#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Contents(const TTntStringList& list)
{
    std::vector<std::u16string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

TTntStringList EnglishList() { return TTntStringList(LocaleCaseInsensitiveComparer("en_US")); }

TEST(TTntStringList, StaysSortedWithoutRegardToCaseAndKeepsTheFirstForm)
{
    TTntStringList list = EnglishList();
    EXPECT_EQ(list.Add(u"Music"), 0);
    EXPECT_EQ(list.Add(u"art"), 0);
    EXPECT_EQ(list.Add(u"ART"), 0);  // the index of the entry already there
    EXPECT_EQ(list.Add(u"Books"), 1);
    EXPECT_EQ(list.Add(u"MUSIC"), 2);
    EXPECT_EQ(Contents(list), (std::vector<std::u16string>{u"art", u"Books", u"Music"}));
}

TEST(TTntStringList, OrdersByTheLocaleNotByCodeUnits)
{
    // Code-unit order would put "Zebra" before "apple" and "Ähre" after "zoo".
    TTntStringList list(LocaleCaseInsensitiveComparer("de_DE"));
    for (const char16_t* s : {u"zoo", u"Ähre", u"Zebra", u"apple", u"ähre", u"Ahre"}) list.Add(s);
    EXPECT_EQ(Contents(list), (std::vector<std::u16string>{u"Ahre", u"Ähre", u"apple", u"Zebra", u"zoo"}));
}

TEST(TTntStringList, FindIsABinarySearchGivingTheInsertionPointWhenAbsent)
{
    TTntStringList list = EnglishList();
    for (const char16_t* s : {u"b", u"d", u"f", u"h"}) list.Add(s);
    struct Row {
        const char16_t* text;
        bool found;
        int index;
    };
    for (const Row& row : {Row{u"a", false, 0}, Row{u"B", true, 0}, Row{u"c", false, 1}, Row{u"F", true, 2},
                           Row{u"h", true, 3}, Row{u"z", false, 4}, Row{u"", false, 0}}) {
        int index = -1;
        EXPECT_EQ(list.Find(row.text, index), row.found) << std::string(row.text, row.text + 1);
        EXPECT_EQ(index, row.index);
    }
}

TEST(TTntStringList, DeleteAndIndexOutsideTheListAreRefused)
{
    TTntStringList list = EnglishList();
    list.Add(u"one");
    list.Add(u"two");
    EXPECT_THROW(list.Strings(2), EStringListError);
    try {
        list.Delete(-1);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    list.Delete(0);
    EXPECT_EQ(Contents(list), std::vector<std::u16string>{u"two"});
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TTntStringList, AssignSortsAndDropsDuplicatesWhateverTheSourceOrder)
{
    // A comparer that finds every entry smaller keeps the source in the order
    // of adding: "b", "a", "B".
    TTntStringList source([](std::u16string_view, std::u16string_view) { return -1; });
    for (const char16_t* s : {u"b", u"a", u"B"}) source.Add(s);
    ASSERT_EQ(Contents(source), (std::vector<std::u16string>{u"b", u"a", u"B"}));
    TTntStringList list = EnglishList();
    list.Add(u"old");
    list.Assign(&source);
    EXPECT_EQ(Contents(list), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(TTntStringList, AssignOfNullIsRefusedAndChangesNothing)
{
    TTntStringList list = EnglishList();
    list.Add(u"kept");
    try {
        list.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TTntStringList");
    }
    EXPECT_EQ(Contents(list), std::vector<std::u16string>{u"kept"});
}

TEST(TTntStringList, AssignOfItselfEmptiesIt)
{
    TTntStringList list = EnglishList();
    list.Add(u"x");
    list.Add(u"y");
    list.Assign(&list);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
