// Editing and deleting in the grid, through the song table's write support.
// Most run over MemorySongTable, which can be made to refuse or fail; the last
// one runs over the program's own table on a copy of the sample library.
#include "WindowFixture.h"
#include "platform/System.h"
#include "platform/Table.h"
#include "../TempFolder.h"

#include <QLineEdit>
#include <QTest>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

const QString kReadOnly = QStringLiteral("Table1: Cannot modify a read-only dataset.");

}  // namespace

class GridTest : public WindowTest {
protected:
    void OpenMemorySample()
    {
        MakeWindow(true);
        Open(kSampleTable);
        ASSERT_EQ(ShownRows(), 13);
    }
    // Starts editing the shown cell and types `text` into its editor, which
    // stays open.
    QLineEdit* Type(int row, int column, const QString& text)
    {
        const QModelIndex index = window->SongsGrid->model()->index(row, column);
        window->SongsGrid->setCurrentIndex(index);
        window->SongsGrid->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(window->SongsGrid->indexWidget(index));
        if (editor != nullptr) editor->setText(text);
        return editor;
    }
    void PressCtrlDelete(int row)
    {
        window->SongsGrid->setFocus();
        window->SongsGrid->setCurrentIndex(window->SongsGrid->model()->index(row, 0));
        QTest::keyClick(window->SongsGrid, Qt::Key_Delete, Qt::ControlModifier);
    }
};

TEST_F(GridTest, AnEditInProgressIsPostedBeforeTheRunAndUsedByIt)
{
    TempFolder scratch;
    OpenMemorySample();
    const auto amazing = std::find_if(memory->records.begin(), memory->records.end(),
                                      [](const auto& r) { return r[0] == "Amazing Grace"; });
    ASSERT_NE(amazing, memory->records.end());
    const int row = static_cast<int>(amazing - memory->records.begin());
    QLineEdit* editor = Type(row, 0, QString::fromUtf8("Amazing Grace (\xC3\xBC" "berarbeitet)"));
    ASSERT_NE(editor, nullptr);
    window->ACEdit1->setText(QString::fromStdString(scratch.Path().string()));
    RandSeed = 0;
    window->GoBtnClick();   // the editor is still open
    ASSERT_TRUE(boxes.empty()) << boxes[0].text.toStdString();
    EXPECT_EQ(memory->records[row][0], "Amazing Grace (\xFC" "berarbeitet)");   // ANSI in the table
    EXPECT_EQ(window->SongsGrid->indexWidget(window->SongsGrid->model()->index(row, 0)), nullptr);   // editor closed
    EXPECT_FALSE(fs::exists(scratch.Path() / "Amazing Grace.sng"));
    // ü is kept in the name, which is UTF-8 on disk.
    const std::string written = ReadFileBytes(scratch / "Amazing Grace \xC3\xBC" "berarbeitet.sng");
    EXPECT_EQ(written.rfind("#Title=Amazing Grace (\xFC" "berarbeitet)\r\n", 0), 0u) << written;
    EXPECT_EQ(Shown(row, 0), QString::fromUtf8("Amazing Grace (\xC3\xBC" "berarbeitet)"));
}

TEST_F(GridTest, LeavingACellUnchangedWritesNothingAndTheEditorTakesNoMoreThanTheFieldHolds)
{
    OpenMemorySample();
    memory->writable = false;   // any write would show an error
    QLineEdit* title = Type(2, 0, Shown(2, 0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->maxLength(), 50);
    window->SongsGrid->PostPendingEdit();
    EXPECT_TRUE(boxes.empty());
    QLineEdit* copyright = Type(2, 2, QString(120, 'c'));
    ASSERT_NE(copyright, nullptr);
    EXPECT_EQ(copyright->maxLength(), 100);
    EXPECT_EQ(copyright->text().size(), 100);
}

TEST_F(GridTest, DeletingAsksAndRemovesTheFocusedRecordFromTheTable)
{
    OpenMemorySample();
    const std::string third = memory->records[2][0];
    deleteAnswer = false;
    PressCtrlDelete(2);
    EXPECT_EQ(deleteQuestions, 1);
    EXPECT_EQ(memory->records.size(), 13u);
    EXPECT_EQ(ShownRows(), 13);

    deleteAnswer = true;
    PressCtrlDelete(2);
    EXPECT_EQ(deleteQuestions, 2);
    ASSERT_EQ(memory->records.size(), 12u);
    EXPECT_NE(memory->records[2][0], third);
    EXPECT_EQ(ShownRows(), 12);
    EXPECT_EQ(Shown(2, 0), QString::fromStdString(memory->records[2][0]));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(GridTest, InASortedViewTheShownRowIsTheOneEditedAndDeleted)
{
    OpenMemorySample();
    // Titles that sort before every other title of the sample.
    memory->records[3][0] = "0 apple";
    memory->records[4][0] = "0 Banana";
    memory->records[5][0] = "0 cherry";
    window->SongsGridView->Reload();
    window->SongsGrid->sortByColumn(0, Qt::AscendingOrder);
    // Without regard to case: "Banana" between "apple" and "cherry".
    QStringList shown;
    for (int r = 0; r < ShownRows(); ++r) shown << Shown(r, 0);
    const int first = static_cast<int>(shown.indexOf("0 apple"));
    EXPECT_EQ(shown.mid(first, 3), (QStringList{"0 apple", "0 Banana", "0 cherry"}));

    Type(first, 0, "0 apricot");
    window->SongsGrid->PostPendingEdit();
    EXPECT_EQ(memory->records[3][0], "0 apricot");

    const int banana = first + 1;
    deleteAnswer = true;
    PressCtrlDelete(banana);
    ASSERT_EQ(memory->records.size(), 12u);
    for (const auto& record : memory->records) EXPECT_NE(record[0], "0 Banana");
    EXPECT_EQ(memory->records[3][0], "0 apricot");
    EXPECT_EQ(memory->records[4][0], "0 cherry");
    EXPECT_EQ(shown.size() - 1, ShownRows());
}

TEST_F(GridTest, RefusedEditsAndDeletesShowTheTablesErrorAndChangeNothing)
{
    TempFolder scratch;
    OpenMemorySample();
    memory->writable = false;
    const QString before = Shown(0, 0);

    // An edit committed by leaving the cell.
    Type(0, 0, "Changed");
    window->SongsGrid->PostPendingEdit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kReadOnly);
    EXPECT_EQ(Shown(0, 0), before);

    // An edit pending when Go is pressed: the run does not start.
    Type(0, 0, "Changed");
    window->ACEdit1->setText(QString::fromStdString(scratch / "out"));
    window->GoBtnClick();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, kReadOnly);
    EXPECT_FALSE(fs::exists(scratch / "out"));

    deleteAnswer = true;
    PressCtrlDelete(1);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, kReadOnly);
    EXPECT_EQ(ShownRows(), 13);
    EXPECT_EQ(memory->records.size(), 13u);
    ExpectUsable();

    // Usable: once writable again, the same edit goes through.
    memory->writable = true;
    Type(0, 0, "Changed");
    window->SongsGrid->PostPendingEdit();
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(memory->records[0][0], "Changed");
}

TEST_F(GridTest, AnUnreadableRecordIsReportedOnceAndTheOthersShow)
{
    OpenMemorySample();
    memory->unreadableRecord = 1;
    window->SongsGridView->Reload();
    for (int paint = 0; paint < 3; ++paint) {
        window->SongsGrid->viewport()->grab();
        QCoreApplication::processEvents();
    }
    // One box per unreadable cell, whatever the number of repaints.
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Table1: Record 7 of Songs.DB is damaged.");
    EXPECT_EQ(Shown(1, 0), "");
    EXPECT_EQ(Shown(0, 0), QString::fromStdString(memory->records[0][0]));
    EXPECT_EQ(Shown(2, 0), QString::fromStdString(memory->records[2][0]));
    ExpectUsable();
}

// The same through the program's own table, on a copy of the sample library:
// the changes reach EasyWorship's files and the next run uses them.
TEST_F(GridTest, EditsAndDeletionsReachTheSongTableItself)
{
    TempFolder library, out;
    for (const char* ext : {".DB", ".MB", ".PX"})
        fs::copy_file(TESSALINE_SOURCE "/samples/Songs" + std::string(ext), library / ("Songs" + std::string(ext)));
    const std::string table = library / "Songs.DB";
    MakeWindow();
    Open(table);
    ASSERT_EQ(ShownRows(), 13);
    const auto rowOf = [this](const QString& title) {
        for (int row = 0; row < ShownRows(); ++row)
            if (Shown(row, 0) == title) return row;
        return -1;
    };

    const int amazing = rowOf(QStringLiteral("Amazing Grace"));
    ASSERT_GE(amazing, 0);
    ASSERT_NE(Type(amazing, 0, QString::fromUtf8("Amazing Grace \xC3\xBC")), nullptr);
    deleteAnswer = true;
    window->ACEdit1->setText(QString::fromStdString(out.Path().string()));
    RandSeed = 0;
    window->GoBtnClick();   // posts the open edit first
    ASSERT_TRUE(boxes.empty()) << boxes[0].text.toStdString();
    EXPECT_TRUE(fs::exists(out / "Amazing Grace \xC3\xBC.sng"));
    EXPECT_FALSE(fs::exists(out / "Amazing Grace.sng"));

    const int stille = rowOf(QStringLiteral("Stille Nacht"));
    ASSERT_GE(stille, 0);
    PressCtrlDelete(stille);
    ASSERT_TRUE(boxes.empty()) << boxes[0].text.toStdString();
    EXPECT_EQ(ShownRows(), 12);

    // A fresh reader of the files sees both changes.
    TTable reread("Table1");
    reread.Open(table);
    EXPECT_EQ(reread.RecordCount(), 12u);
    const int title = reread.FieldIndex("Title");
    std::vector<std::string> titles;
    for (size_t row = 0; row < reread.RecordCount(); ++row) titles.push_back(reread.RecordText(row, title));
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Amazing Grace \xFC"), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "Stille Nacht"), titles.end());
}
