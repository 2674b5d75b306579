// The dialogs as the handlers set them up, and what the handlers do with the
// answers.
#include "WindowFixture.h"
#include "util/DUtil.h"
#include "../TempFolder.h"

#include <QDir>
#include <QFileDialog>

namespace fs = std::filesystem;

TEST(WindowDialogs, TheOpenDialogFiltersForSongsDbAndStartsInTheWinePrefix)
{
    TempFolder scratch;
    const std::string data = scratch / "wine/drive_c/Program Files/Softouch/EasyWorship/data";
    qputenv("WINEPREFIX", QByteArray::fromStdString(scratch / "wine"));

    auto noEasyWorship = MakeDatabaseDialog(nullptr);
    EXPECT_EQ(noEasyWorship->nameFilters(), QStringList{"Easyworship Database (Songs.DB)"});
    EXPECT_EQ(noEasyWorship->defaultSuffix(), "mdb");
    EXPECT_EQ(noEasyWorship->fileMode(), QFileDialog::ExistingFile);
    const QString documents = QString::fromStdString(GetMyDocumentsPath());
    EXPECT_EQ(QDir(noEasyWorship->directory()).absolutePath(),
              QDir(QDir(documents).exists() ? documents : QDir::homePath()).absolutePath());

    fs::create_directories(data);
    auto withEasyWorship = MakeDatabaseDialog(nullptr);
    EXPECT_EQ(withEasyWorship->directory().absolutePath(), QString::fromStdString(data));
    qunsetenv("WINEPREFIX");
}

TEST(WindowDialogs, TheFolderPickerShowsFoldersOnlyWithoutNewFolderButtonAtTheTypedFolderOrHome)
{
    TempFolder scratch;
    const QString existing = QString::fromStdString(scratch.Path().string());
    struct Case {
        QString typed, startsIn;
    };
    const Case cases[] = {{existing, existing}, {existing + "/missing", QDir::homePath()}, {"", QDir::homePath()}};
    for (const Case& c : cases) {
        auto picker = MakeFolderPicker(nullptr, c.typed);
        EXPECT_EQ(picker->directory().absolutePath(), QDir(c.startsIn).absolutePath()) << c.typed.toStdString();
        EXPECT_EQ(picker->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(picker->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_TRUE(picker->testOption(QFileDialog::ReadOnly));   // no "new folder" button
        EXPECT_EQ(picker->windowTitle(), "");
    }
}

TEST_F(WindowTest, BrowsingReplacesTheFolderTextUnlessCancelled)
{
    MakeWindow();
    window->ACEdit1->setText("/typed/folder");
    folderAnswer = "";
    window->btnBrowseClick();
    EXPECT_EQ(window->ACEdit1->text(), "/typed/folder");
    folderAnswer = "/picked";
    window->btnBrowseClick();
    EXPECT_EQ(window->ACEdit1->text(), "/picked");
    EXPECT_EQ(folderPickerStarts, (std::vector<QString>{"/typed/folder", "/typed/folder"}));
    EXPECT_TRUE(boxes.empty());
}
