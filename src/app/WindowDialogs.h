// The dialogs the window's handlers open, behind functions so that tests can
// answer them. Each returns the user's answer; an empty text is a cancel.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

struct WindowDialogs {
    // The folder picker, starting at `typed` (the edit's text).
    std::function<QString(QWidget* owner, const QString& typed)> pickFolder;
    // The open dialog for EasyWorship's song table.
    std::function<QString(QWidget* owner)> pickDatabase;
    // Asks whether the focused record may be deleted.
    std::function<bool(QWidget* owner)> confirmDelete;
};

// The real dialogs.
WindowDialogs QtWindowDialogs();

// The dialogs as the real ones are set up, for showing and for tests that
// check their settings. The folder picker: no title, folders only, no button
// for new folders, at `typed` when it is an existing folder, else at home.
std::unique_ptr<QFileDialog> MakeFolderPicker(QWidget* owner, const QString& typed);
// The open dialog: the one filter "Easyworship Database (Songs.DB)", in
// EasyWorship's data folder inside the Wine prefix when there is one, else
// in the documents folder (at home when there is none); a name typed without extension gets ".mdb".
std::unique_ptr<QFileDialog> MakeDatabaseDialog(QWidget* owner);

// The delete confirmation's text.
inline constexpr const char* kDeleteRecordQuestion = "Delete record?";
