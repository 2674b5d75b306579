// The main window: its start-up state, its handlers, and what each failure
// shows.
#include "WindowFixture.h"
#include "app/ImportRun.h"
#include "platform/CodePage.h"
#include "platform/System.h"
#include "../GoldenFiles.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The title the platform forms from this test program's name.
const QString kTitle = QStringLiteral("window_tests");

}  // namespace

TEST_F(WindowTest, StartsClosedWithTheDefaultFolderAndTheDesignedLayout)
{
    MakeWindow();
    EXPECT_EQ(window->windowTitle(), "Tessaline 1.00");
    EXPECT_EQ(window->size(), QSize(775, 529));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->ACEdit1->text().toStdString(), DefaultOutputFolder());
    EXPECT_TRUE(window->GoBtn->isEnabled());
    EXPECT_EQ(window->ACEdit1->ACSource(), acsShell);

    // Toolbar, grid and panel from top to bottom, the grid taking the rest.
    EXPECT_EQ(window->CustomBar->windowTitle(), "Custom 1");
    EXPECT_TRUE(window->CustomBar->isMovable());
    EXPECT_TRUE(window->CustomBar->isFloatable());
    EXPECT_EQ(window->CustomBar->actions(), QList<QAction*>{window->dxBarButton1});
    EXPECT_EQ(window->dxBarButton1->text(), "Open Database...");
    EXPECT_EQ(window->dxBarButton1->iconText(), "Open Database...");   // what the button shows
    EXPECT_EQ(window->dxBarButton1->toolTip(), "Open Database");
    EXPECT_EQ(window->CustomBar->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    EXPECT_TRUE(window->dxBarButton1->icon().availableSizes().contains(QSize(16, 16)));
    const QRect grid = window->SongsGrid->geometry();
    const QRect panel = window->Panel1->geometry();
    EXPECT_EQ(panel.height(), 57);
    EXPECT_EQ(panel.width(), 775);
    EXPECT_EQ(grid.bottom() + 1, panel.top());
    EXPECT_EQ(window->centralWidget()->geometry().bottom(), 528);
    EXPECT_EQ(window->SongsGrid->horizontalHeader()->count(), 3);
    EXPECT_EQ(ShownRows(), 0);

    const std::vector<std::pair<QString, int>> columns = {{"Title", 278}, {"Author", 224}, {"Copyright", 271}};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(window->SongsGrid->model()->headerData(c, Qt::Horizontal).toString(), columns[c].first);
        EXPECT_EQ(window->SongsGrid->columnWidth(c), columns[c].second);
    }
    EXPECT_EQ(window->SongsGrid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(window->SongsGrid->palette().color(QPalette::Base), QColor(203, 226, 248));
    EXPECT_EQ(window->SongsGrid->palette().color(QPalette::AlternateBase), QColor(221, 237, 251));
    EXPECT_TRUE(window->SongsGrid->alternatingRowColors());

    // The panel's controls at their designed places, sizes and texts.
    EXPECT_EQ(window->Label11->pos(), QPoint(8, 11));
    EXPECT_EQ(window->Label11->text(), "Output Folder:");
    EXPECT_EQ(window->ACEdit1->geometry(), QRect(88, 8, 460, 21));
    EXPECT_EQ(window->btnBrowse->geometry(), QRect(554, 8, 41, 21));
    EXPECT_EQ(window->btnBrowse->text(), "...");
    EXPECT_EQ(window->GoBtn->geometry(), QRect(608, 6, 161, 25));
    EXPECT_EQ(window->GoBtn->text(), "Create SNG Files!");
    EXPECT_EQ(window->Label17->pos(), QPoint(8, 35));
    EXPECT_EQ(window->Label17->width(), 761);
    EXPECT_EQ(window->Label17->text(), "Careful: Existing songs in the output folder will be overwritten!");
    EXPECT_TRUE(window->Label17->font().bold());
    EXPECT_EQ(window->Label17->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(window->Label17->alignment() & Qt::AlignHCenter);
    // Tab order: Go, then the folder, then its browse button.
    EXPECT_EQ(window->GoBtn->nextInFocusChain(), window->ACEdit1);
    EXPECT_EQ(window->ACEdit1->nextInFocusChain(), window->btnBrowse);

    // The panel keeps its controls in place when the window grows.
    window->resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Panel1->height(), 57);
    EXPECT_EQ(window->Panel1->width(), 1000);
    EXPECT_EQ(window->GoBtn->geometry(), QRect(608, 6, 161, 25));
    EXPECT_GT(window->SongsGrid->height(), grid.height());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowTest, GoButtonIsEnabledExactlyWhenTheFolderTextIsNotEmpty)
{
    MakeWindow();
    const std::pair<QString, bool> cases[] = {{"", false}, {"x", true}, {"", false}, {" ", true}, {"/tmp/a", true}};
    for (const auto& [text, enabled] : cases) {
        window->ACEdit1->setText(text);
        EXPECT_EQ(window->GoBtn->isEnabled(), enabled) << text.toStdString();
    }
    // Typing goes through the same change handler.
    window->ACEdit1->clear();
    window->ACEdit1->setFocus();
    QTest::keyClick(window->ACEdit1, Qt::Key_A);
    EXPECT_EQ(window->ACEdit1->text(), "a");
    EXPECT_TRUE(window->GoBtn->isEnabled());
}

TEST_F(WindowTest, OpeningTheSampleLibraryShowsItsRowsInTableOrderDecodedFromAnsi)
{
    MakeWindow();
    Open(kSampleTable);
    ASSERT_TRUE(boxes.empty()) << boxes[0].text.toStdString();
    ASSERT_EQ(ShownRows(), 13);
    // Row for row the table's records, in table order, decoded from Windows-1252.
    QStringList titles;
    for (int row = 0; row < 13; ++row) {
        for (int c = 0; c < 3; ++c) {
            const int field = window->Table1.FieldIndex(std::array{"Title", "Author", "Copyright"}[c]);
            EXPECT_EQ(Shown(row, c), QString::fromStdString(AnsiToUtf8(window->Table1.RecordText(row, field))));
        }
        titles << Shown(row, 0);
    }
    EXPECT_TRUE(titles.contains(QString::fromUtf8("Gro\xC3\x9F" "er Gott, wir loben dich"))) << titles.join('|').toStdString();
    EXPECT_TRUE(titles.contains("Amazing Grace"));

    // Cancelling the dialog changes nothing.
    Open("");
    EXPECT_EQ(ShownRows(), 13);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowTest, RunThroughTheWindowWritesTheFilesOfTheCommandLine)
{
    TempFolder scratch;
    MakeWindow();
    Open(kSampleTable);
    window->ACEdit1->setText(QString::fromStdString(scratch / "out"));
    // Every program start begins the untitled-song numbers at 0.
    RandSeed = 0;
    QTest::mouseClick(window->GoBtn, Qt::LeftButton);
    ASSERT_TRUE(boxes.empty()) << boxes[0].text.toStdString();
    ExpectSameFiles(scratch.Path() / "out", kGolden);
    // The grid stands on the table's current record, the last one.
    EXPECT_EQ(window->SongsGrid->currentIndex().row(), 12);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(WindowTest, SortedViewLeavesTheRunInTableOrder)
{
    TempFolder scratch;
    MakeWindow();
    Open(kSampleTable);
    window->SongsGrid->sortByColumn(0, Qt::DescendingOrder);
    EXPECT_NE(Shown(0, 0), "Amazing Grace");
    window->ACEdit1->setText(QString::fromStdString(scratch / "out"));
    RandSeed = 0;
    window->GoBtnClick();
    ASSERT_TRUE(boxes.empty()) << boxes[0].text.toStdString();
    ExpectSameFiles(scratch.Path() / "out", kGolden);
    // The current row is the table's last record, wherever the view shows it.
    const QModelIndex current = window->SongsGrid->currentIndex();
    EXPECT_EQ(window->DataSource1->mapToSource(current).row(), 12);
}

TEST_F(WindowTest, EachFailureShowsItsTextAndLeavesTheWindowUsable)
{
    TempFolder scratch;
    std::ofstream(scratch / "Songs.DB") << "not a Paradox table";
    fs::create_directories(scratch / "blocked/Amazing Grace.sng");
    const fs::path previous = fs::current_path();
    fs::current_path(scratch.Path());

    struct Case {
        const char* what;
        std::string table;       // opened first (empty: none)
        std::string openAfter;   // then opened (empty: none)
        std::string folder;      // then Go with this folder (empty: no run)
        QString text;            // the box's text; empty: starts with the table file's name
        int rowsAfter;
    };
    const Case cases[] = {
        {"not a table", "", scratch / "Songs.DB", "", "", 0},
        {"another table while open", kSampleTable, scratch / "Songs.DB", "",
         "Table1: Cannot perform this operation on an open dataset.", 13},
        {"run before any table", "", "", scratch / "made", "Table1: Field 'Words' not found.", 0},
        {"relative folder that cannot be made", kSampleTable, "", "abc/def", "Unable to create directory.", 13},
        {"song file that cannot be created", kSampleTable, "", scratch / "blocked",
         QString::fromStdString("Cannot create file \"" + scratch / "blocked/Amazing Grace.sng" +
                                "\". Is a directory."),
         13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        MakeWindow();
        if (!c.table.empty()) Open(c.table);
        ASSERT_TRUE(boxes.empty());
        if (!c.openAfter.empty()) Open(c.openAfter);
        if (!c.folder.empty()) {
            window->ACEdit1->setText(QString::fromStdString(c.folder));
            window->GoBtnClick();
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, kTitle);
        if (c.text.isEmpty())
            EXPECT_TRUE(boxes[0].text.contains("Songs.DB")) << boxes[0].text.toStdString();
        else
            EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(ShownRows(), c.rowsAfter);
        ExpectUsable();
    }
    // A run before any table still made the absolute folder.
    EXPECT_TRUE(fs::is_directory(scratch / "made"));
    // The refused run stopped at the record it could not write, and the grid
    // stands there.
    EXPECT_EQ(Shown(window->SongsGrid->currentIndex().row(), 0), "Amazing Grace");

    // Usable: after the failures the same window opens the sample and runs.
    boxes.clear();
    MakeWindow();
    Open(scratch / "Songs.DB");
    ASSERT_EQ(boxes.size(), 1u);
    Open(kSampleTable);
    window->ACEdit1->setText(QString::fromStdString(scratch / "out"));
    RandSeed = 0;
    window->GoBtnClick();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ShownRows(), 13);
    ExpectSameFiles(scratch.Path() / "out", kGolden);
    fs::current_path(previous);
}

TEST_F(WindowTest, OpeningTheSameFileAgainChangesNothing)
{
    MakeWindow();
    Open(kSampleTable);
    window->SongsGrid->setCurrentIndex(window->SongsGrid->model()->index(5, 1));
    Open(kSampleTable);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ShownRows(), 13);
    EXPECT_EQ(window->SongsGrid->currentIndex().row(), 5);
}
