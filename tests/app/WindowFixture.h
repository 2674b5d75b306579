// A main window with its dialogs answered by the test and its error boxes
// captured instead of shown.
#pragma once

#include "app/ErrorBoxDialog.h"
#include "app/SongGrid.h"
#include "app/SongGridModel.h"
#include "app/SongSortProxy.h"
#include "app/TdlImportAccess.h"
#include "controls/ACEdit.h"
#include "MemorySongTable.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

inline const std::string kSampleTable = TESSALINE_SOURCE "/samples/Songs.DB";
inline const std::filesystem::path kGolden = TESSALINE_SOURCE "/tests/golden/sample";

struct ShownBox {
    QString title, text;
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetErrorBoxHook([this](const QString& title, const QString& text) { boxes.push_back({title, text}); });
    }
    void TearDown() override
    {
        window.reset();
        SetErrorBoxHook({});
    }

    // The window over a TTable (the program's) or a MemorySongTable.
    void MakeWindow(bool overMemory = false)
    {
        WindowDialogs dialogs;
        dialogs.pickFolder = [this](QWidget*, const QString& typed) {
            folderPickerStarts.push_back(typed);
            return folderAnswer;
        };
        dialogs.pickDatabase = [this](QWidget*) { return databaseAnswer; };
        dialogs.confirmDelete = [this](QWidget*) {
            ++deleteQuestions;
            return deleteAnswer;
        };
        window = std::make_unique<TdlImportAccess>(overMemory ? MemoryComponent(memory) : MakeTableComponent(),
                                                   std::move(dialogs));
        window->show();
        QCoreApplication::processEvents();
    }

    void Open(const std::string& path)
    {
        databaseAnswer = QString::fromStdString(path);
        window->dxBarButton1Click();
    }

    int ShownRows() const { return window->SongsGrid->model()->rowCount(); }
    QString Shown(int row, int column) const
    {
        const QAbstractItemModel* model = window->SongsGrid->model();
        return model->data(model->index(row, column)).toString();
    }
    // What the user sees of the window's state after an error: still usable.
    void ExpectUsable() const
    {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(window->GoBtn->isEnabled(), !window->ACEdit1->text().isEmpty());
    }

    std::unique_ptr<TdlImportAccess> window;
    MemorySongTable* memory = nullptr;
    std::vector<ShownBox> boxes;
    QString folderAnswer, databaseAnswer;
    std::vector<QString> folderPickerStarts;
    bool deleteAnswer = false;
    int deleteQuestions = 0;
};
