// The real engine in a real line edit: paths of a temporary folder tree, and a
// list that the Delete key trims while its drop-down is open.
#include "controls/ACEdit.h"

#include "../TempFolder.h"
#include "platform/ComMemory.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct DropDownState {
    bool visible = false;
    std::optional<QString> highlighted;
};

DropDownState StateOf(TACEdit& edit)
{
    ComPtr<IAutoCompleteDropDown> dropDown;
    EXPECT_EQ(ComPtr<IAutoComplete>(edit.ACObject()).As(dropDown), S_OK);
    DropDownState state;
    if (!dropDown) return state;
    DWORD flags = 0;
    char16_t* text = nullptr;
    EXPECT_EQ(dropDown->GetDropDownStatus(&flags, &text), S_OK);
    state.visible = flags == ACDD_VISIBLE;
    if (text) state.highlighted = QString::fromUtf16(text);
    CoTaskMemFree(text);
    return state;
}

// What the open drop-down offers, top to bottom.
QStringList Offered()
{
    QStringList rows;
    auto* view = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
    if (!view) return rows;
    for (int row = 0; row < view->model()->rowCount(); ++row) rows << view->model()->index(row, 0).data().toString();
    return rows;
}

// Keys go where the system sends them: to the open drop-down, else the edit.
void Press(TACEdit& edit, Qt::Key key)
{
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup : static_cast<QWidget*>(&edit), key);
}

class PathCompletion : public testing::Test {
protected:
    PathCompletion()
    {
        for (const char* folder : {"Songs", "Slides", "other", "Songs/Christmas"})
            std::filesystem::create_directory(temp.Path() / folder);
        WriteFileBytes(temp / "Songbook.txt", "x");
        root = QString::fromStdString(temp.Path().string()) + "/";
    }
    ~PathCompletion() override
    {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->hide();
    }

    std::unique_ptr<TACEdit> ShownEdit(TACSource source, TACOptions options)
    {
        auto edit = std::make_unique<TACEdit>();
        edit->SetACSource(source);
        edit->SetACOptions(options);
        edit->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(edit.get()));
        edit->activateWindow();
        edit->setFocus();
        return edit;
    }

    TempFolder temp;
    QString root;
};

TEST_F(PathCompletion, TypingPartOfAFolderPathOffersIt)
{
    auto edit = ShownEdit(acsShell, kDefaultACOptions);
    ASSERT_NE(edit->ACObject(), nullptr);
    QTest::keyClicks(edit.get(), root + "So");
    EXPECT_TRUE(StateOf(*edit).visible);
    EXPECT_EQ(Offered(), (QStringList{root + "Songbook.txt", root + "Songs"}));
    EXPECT_EQ(edit->text(), root + "So");  // nothing appended inline

    Press(*edit, Qt::Key_Down);
    EXPECT_EQ(StateOf(*edit).highlighted, root + "Songbook.txt");
    Press(*edit, Qt::Key_Down);
    EXPECT_EQ(StateOf(*edit).highlighted, root + "Songs");
    EXPECT_EQ(edit->text(), root + "Songs");

    // Going on into the folder lists what is inside it.
    Press(*edit, Qt::Key_Escape);
    QTest::keyClicks(edit.get(), "/c");
    EXPECT_EQ(Offered(), QStringList{root + "Songs/Christmas"});
}

TEST_F(PathCompletion, AutoAppendCompletesInlineAndArrowKeysOpenTheDropDown)
{
    auto edit = ShownEdit(acsShell, {acAutoAppend, acUseArrowKey});
    QTest::keyClicks(edit.get(), root + "sl");
    EXPECT_FALSE(StateOf(*edit).visible);  // no suggestions without acAutoSuggest
    EXPECT_EQ(edit->text(), root + "slides");
    EXPECT_EQ(edit->selectedText(), "ides");

    edit->clear();
    QTest::keyClicks(edit.get(), root + "o");
    EXPECT_EQ(edit->text(), root + "other");
    Press(*edit, Qt::Key_Backspace);  // removes the appended part only
    EXPECT_EQ(edit->text(), root + "o");
    Press(*edit, Qt::Key_Down);
    EXPECT_TRUE(StateOf(*edit).visible);
    EXPECT_EQ(Offered(), QStringList{root + "other"});
}

TEST_F(PathCompletion, DisabledCompletionOffersNothing)
{
    auto edit = ShownEdit(acsShell, kDefaultACOptions);
    edit->SetACEnabled(false);
    QTest::keyClicks(edit.get(), root + "So");
    EXPECT_FALSE(StateOf(*edit).visible);
    EXPECT_TRUE(Offered().isEmpty());
}

TEST_F(PathCompletion, DeleteKeyTrimsTheListWhileItsDropDownIsOpen)
{
    auto edit = std::make_unique<TACEdit>();
    for (const char16_t* s : {u"alpha", u"Alps", u"beta"}) edit->ACList().Add(s);
    edit->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit.get()));
    edit->activateWindow();
    edit->setFocus();

    QTest::keyClicks(edit.get(), "al");
    EXPECT_EQ(Offered(), (QStringList{"alpha", "Alps"}));
    Press(*edit, Qt::Key_Down);
    Press(*edit, Qt::Key_Down);
    ASSERT_EQ(StateOf(*edit).highlighted, "Alps");
    Press(*edit, Qt::Key_Delete);
    std::vector<std::u16string> left;
    for (int i = 0; i < edit->ACList().Count(); ++i) left.push_back(edit->ACList().Strings(i));
    EXPECT_EQ(left, (std::vector<std::u16string>{u"alpha", u"beta"}));
    // The drop-down read the list again: "Alps" (now the edit's text) matches nothing.
    EXPECT_FALSE(StateOf(*edit).visible);
    edit->clear();
    QTest::keyClicks(edit.get(), "a");
    EXPECT_EQ(Offered(), QStringList{"alpha"});
}

}  // namespace
