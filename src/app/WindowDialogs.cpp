#include "app/WindowDialogs.h"

#include "util/DUtil.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

constexpr const char* kDatabaseFilter = "Easyworship Database (Songs.DB)";
// What a name typed without extension gets, as EasyWorship's dialog did.
constexpr const char* kDatabaseDefaultSuffix = "mdb";
// EasyWorship's data folder ("C:\Program Files\Softouch\EasyWorship\data")
// below the C: drive of a Wine prefix, where a Linux user who ran it keeps it.
constexpr const char* kEasyWorshipDataInDriveC = "drive_c/Program Files/Softouch/EasyWorship/data";
constexpr const char* kConfirmTitle = "Confirm";

QString WinePrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + "/.wine" : prefix;
}

QString DatabaseStartFolder()
{
    const QString data = WinePrefix() + "/" + kEasyWorshipDataInDriveC;
    if (QFileInfo(data).isDir()) return data;
    const QString documents = QString::fromStdString(GetMyDocumentsPath());
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString Answer(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFolderPicker(QWidget* owner, const QString& typed)
{
    auto dialog = std::make_unique<QFileDialog>(owner);
    dialog->setWindowTitle(QString());
    dialog->setFileMode(QFileDialog::Directory);
    // ReadOnly is what takes the "new folder" button away (and renaming and
    // deleting with it, which a folder picker has no business doing either).
    dialog->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
    dialog->setDirectory(QFileInfo(typed).isDir() && !typed.isEmpty() ? typed : QDir::homePath());
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setSizeGripEnabled(true);
    return dialog;
}

std::unique_ptr<QFileDialog> MakeDatabaseDialog(QWidget* owner)
{
    auto dialog = std::make_unique<QFileDialog>(owner);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    // Qt's filters match without regard to case, so SONGS.DB shows as well.
    dialog->setNameFilter(kDatabaseFilter);
    dialog->setDefaultSuffix(kDatabaseDefaultSuffix);
    dialog->setDirectory(DatabaseStartFolder());
    dialog->setWindowModality(Qt::WindowModal);
    return dialog;
}

WindowDialogs QtWindowDialogs()
{
    WindowDialogs dialogs;
    dialogs.pickFolder = [](QWidget* owner, const QString& typed) {
        return Answer(*MakeFolderPicker(owner, typed));
    };
    dialogs.pickDatabase = [](QWidget* owner) { return Answer(*MakeDatabaseDialog(owner)); };
    dialogs.confirmDelete = [](QWidget* owner) {
        return QMessageBox::question(owner, kConfirmTitle, kDeleteRecordQuestion,
                                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
    };
    return dialogs;
}
