// TdlImportAccess: the main window. The user opens EasyWorship's song table,
// looks the songs over (and fixes them) in the grid, picks the output folder
// and presses the Go button, which runs the import.
//
// The window is a thin layer: the grid reads and writes through its model,
// the run is ImportSongs, the dialogs are WindowDialogs. Every handler runs
// inside RunGuarded, so an error shows in the error box and the window stays
// usable.
#pragma once

#include "app/TableComponent.h"
#include "app/WindowDialogs.h"
#include "platform/rtf/RichText.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;
class QPushButton;
class QToolBar;
class QWidget;
class SongGrid;
class SongGridModel;
class SongSortProxy;
class TACEdit;

class TdlImportAccess : public QMainWindow {
public:
    // The window with its Table1 closed and ACEdit1 holding the default
    // output folder.
    explicit TdlImportAccess(TableComponent table = MakeTableComponent(),
                             WindowDialogs dialogs = QtWindowDialogs(), QWidget* parent = nullptr);
    ~TdlImportAccess() override;

    // The handlers, named after their control and event.
    void FormCreate();
    void ACEdit1Change();
    void btnBrowseClick();
    void dxBarButton1Click();
    void GoBtnClick();
    // Ctrl+Del in the grid, for a row of the grid as it shows.
    void SongsGridDeleteKey(int shownRow);

    // The window's components. They live as long as the window.
    TableComponent table1_;   // owns Table1
    SongTable& Table1;
    RichTextConverter RichEdit1;   // the hidden rich edit control's role: lyrics to plain text
    WindowDialogs dialogs;
    QToolBar* CustomBar = nullptr;   // "Custom 1"
    QAction* dxBarButton1 = nullptr;
    SongGridModel* SongsGridView = nullptr;
    SongSortProxy* DataSource1 = nullptr;
    SongGrid* SongsGrid = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label11 = nullptr;
    TACEdit* ACEdit1 = nullptr;
    QPushButton* btnBrowse = nullptr;
    QPushButton* GoBtn = nullptr;
    QLabel* Label17 = nullptr;

private:
    void BuildToolbar();
    void BuildGrid();
    void BuildPanel();
    // Makes the grid's current row the table's current record.
    void FollowTableRecord();

    QString openedPath_;   // the file Table1 was opened with, empty while closed
};

// The caption, which names the version.
inline constexpr const char* kWindowCaption = "Tessaline 1.00";
