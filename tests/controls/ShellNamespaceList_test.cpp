#include "controls/ShellNamespaceList.h"

#include "platform/ComMemory.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> All(IEnumString& e)
{
    std::vector<std::u16string> out;
    char16_t* block = nullptr;
    ULONG fetched = 0;
    while (e.Next(1, &block, &fetched) == S_OK) {
        out.emplace_back(block);
        CoTaskMemFree(block);
    }
    return out;
}

TEST(ShellNamespaceList, ExpandListsTheTypedFolderAsWholePaths)
{
    TempFolder temp;
    std::filesystem::create_directory(temp.Path() / "Songs");
    std::filesystem::create_directory(temp.Path() / "songs");
    std::filesystem::create_directory(temp.Path() / ".hidden");
    WriteFileBytes(temp / "notes.txt", "x");
    const std::u16string folder = temp.Path().u16string() + u"/";

    ComPtr<IEnumString> list(static_cast<IEnumString*>(new TShellNamespaceList));
    EXPECT_TRUE(All(*list).empty());  // nothing before the first Expand
    ComPtr<IACList> expander;
    ASSERT_EQ(list.As(expander), S_OK);

    ASSERT_EQ(expander->Expand(folder.c_str()), S_OK);
    EXPECT_EQ(All(*list), (std::vector<std::u16string>{folder + u"Songs", folder + u"notes.txt", folder + u"songs"}));

    ASSERT_EQ(expander->Expand((folder + u"Songs/").c_str()), S_OK);
    EXPECT_TRUE(All(*list).empty());
    ASSERT_EQ(expander->Expand((folder + u"missing/").c_str()), S_OK);
    EXPECT_TRUE(All(*list).empty());
    ASSERT_EQ(expander->Expand(u"\xD800/"), S_OK);  // a lone surrogate names no folder
    EXPECT_TRUE(All(*list).empty());
}

TEST(ShellNamespaceList, AnswersItsThreeInterfacesOnly)
{
    ComPtr<IUnknown> list(NewShellNamespaceList());
    ComPtr<IEnumString> strings;
    ComPtr<IACList> expander;
    ComPtr<IAutoComplete> other;
    EXPECT_EQ(list.As(strings), S_OK);
    EXPECT_EQ(list.As(expander), S_OK);
    EXPECT_EQ(list.As(other), E_NOINTERFACE);
}

}  // namespace
