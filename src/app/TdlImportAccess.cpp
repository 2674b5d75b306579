#include "app/TdlImportAccess.h"

#include "app/AppIcons.h"
#include "app/HandlerGuard.h"
#include "app/ImportRun.h"
#include "app/SongGrid.h"
#include "app/SongGridModel.h"
#include "app/SongSortProxy.h"
#include "controls/ACEdit.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The window as it first appears: its client area and where it stands.
constexpr QSize kClientSize(775, 529);
constexpr QPoint kFirstPosition(209, 152);
// Text height of the window's and the toolbar's fonts (96 pixels per inch).
constexpr int kFontPixels = 11;
constexpr int kGlyphToolbarHeight = 26;

// Panel1 and its controls, at their designed places; they keep them when the
// window is resized, only the panel's width follows the window.
constexpr int kPanelHeight = 57;
constexpr QPoint kLabel11Position(8, 11);
constexpr QRect kACEdit1Geometry(88, 8, 460, 21);
constexpr QRect kBrowseGeometry(554, 8, 41, 21);
constexpr QRect kGoGeometry(608, 6, 161, 25);
constexpr QPoint kLabel17Position(8, 35);
constexpr int kLabel17Width = 761;

constexpr int kTitleWidth = 278;
constexpr int kAuthorWidth = 224;
constexpr int kCopyrightWidth = 271;

// The hourglass for as long as the run takes, however it ends.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Runs `follow` when the scope ends, by return or by exception.
template <class Follow>
class OnScopeEnd {
public:
    explicit OnScopeEnd(Follow follow) : follow_(std::move(follow)) {}
    ~OnScopeEnd() { follow_(); }
    OnScopeEnd(const OnScopeEnd&) = delete;
    OnScopeEnd& operator=(const OnScopeEnd&) = delete;

private:
    Follow follow_;
};

}  // namespace

TdlImportAccess::TdlImportAccess(TableComponent table, WindowDialogs dialogsToUse, QWidget* parent)
    : QMainWindow(parent), table1_(std::move(table)), Table1(*table1_.table), dialogs(std::move(dialogsToUse))
{
    setWindowTitle(kWindowCaption);
    setWindowIcon(ProgramIcon());
    QFont font = this->font();
    font.setPixelSize(kFontPixels);
    setFont(font);

    BuildToolbar();
    BuildGrid();
    BuildPanel();
    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(SongsGrid, 1);
    column->addWidget(Panel1);
    setCentralWidget(client);

    QWidget::setTabOrder(GoBtn, ACEdit1);
    QWidget::setTabOrder(ACEdit1, btnBrowse);
    QWidget::setTabOrder(btnBrowse, SongsGrid);
    GoBtn->setFocus();

    move(kFirstPosition);
    resize(kClientSize);
    FormCreate();
}

TdlImportAccess::~TdlImportAccess()
{
    // The grid and its model read Table1, which as a member goes before the
    // window's children would: they go first, and an open cell editor still
    // commits into a live table.
    delete SongsGrid;
    delete DataSource1;
    delete SongsGridView;
}

void TdlImportAccess::BuildToolbar()
{
    CustomBar = new QToolBar(QStringLiteral("Custom 1"), this);
    CustomBar->setObjectName(QStringLiteral("Custom1"));
    CustomBar->setMovable(true);
    CustomBar->setFloatable(true);
    CustomBar->setIconSize(QSize(kGlyphSize, kGlyphSize));
    CustomBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    CustomBar->setMinimumHeight(kGlyphToolbarHeight);
    dxBarButton1 = CustomBar->addAction(OpenDatabaseGlyph(), QStringLiteral("Open Database..."));
    // Qt drops a trailing "..." from the button's text unless told otherwise.
    dxBarButton1->setIconText(dxBarButton1->text());
    dxBarButton1->setToolTip(QStringLiteral("Open Database"));
    dxBarButton1->setStatusTip(QStringLiteral("Open Database"));
    connect(dxBarButton1, &QAction::triggered, this, [this] { dxBarButton1Click(); });
    addToolBar(Qt::TopToolBarArea, CustomBar);
}

void TdlImportAccess::BuildGrid()
{
    SongsGridView = new SongGridModel(Table1, this);
    DataSource1 = new SongSortProxy(this);
    DataSource1->setSourceModel(SongsGridView);
    SongsGrid = new SongGrid(this);
    SongsGrid->setModel(DataSource1);
    SongsGrid->setColumnWidth(SongGridModel::SongsGridViewTitle, kTitleWidth);
    SongsGrid->setColumnWidth(SongGridModel::SongsGridViewAuthor, kAuthorWidth);
    SongsGrid->setColumnWidth(SongGridModel::SongsGridViewCopyright, kCopyrightWidth);
    SongsGrid->OnDeleteKey = [this](int row) { SongsGridDeleteKey(row); };
}

void TdlImportAccess::BuildPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(kPanelHeight);

    Label11 = new QLabel(QStringLiteral("Output Folder:"), Panel1);
    Label11->move(kLabel11Position);
    Label11->adjustSize();

    ACEdit1 = new TACEdit(Panel1);
    ACEdit1->SetACSource(acsShell);
    ACEdit1->setGeometry(kACEdit1Geometry);
    connect(ACEdit1, &QLineEdit::textChanged, this, [this] { ACEdit1Change(); });

    btnBrowse = new QPushButton(QStringLiteral("..."), Panel1);
    btnBrowse->setGeometry(kBrowseGeometry);
    connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });

    GoBtn = new QPushButton(QStringLiteral("Create SNG Files!"), Panel1);
    GoBtn->setGeometry(kGoGeometry);
    GoBtn->setDefault(false);
    connect(GoBtn, &QPushButton::clicked, this, [this] { GoBtnClick(); });

    Label17 = new QLabel(QStringLiteral("Careful: Existing songs in the output folder will be overwritten!"), Panel1);
    QFont bold = Label17->font();
    bold.setBold(true);
    Label17->setFont(bold);
    QPalette red = Label17->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label17->setPalette(red);
    Label17->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label17->setGeometry(QRect(kLabel17Position, QSize(kLabel17Width, Label17->sizeHint().height())));
}

void TdlImportAccess::FormCreate()
{
    RunGuarded([&] { ACEdit1->setText(QString::fromStdString(DefaultOutputFolder())); });
}

void TdlImportAccess::ACEdit1Change()
{
    RunGuarded([&] { GoBtn->setEnabled(!ACEdit1->text().isEmpty()); });
}

void TdlImportAccess::btnBrowseClick()
{
    RunGuarded([&] {
        const QString picked = dialogs.pickFolder(this, ACEdit1->text());
        if (!picked.isEmpty()) ACEdit1->setText(picked);
    });
}

void TdlImportAccess::dxBarButton1Click()
{
    RunGuarded([&] {
        const QString path = dialogs.pickDatabase(this);
        if (path.isEmpty()) return;
        // Refused (another file while one is open) or unreadable: Open throws
        // and the grid stays as it was.
        table1_.open(path.toStdString());
        if (path == openedPath_) return;
        openedPath_ = path;
        SongsGridView->Reload();
    });
}

void TdlImportAccess::GoBtnClick()
{
    RunGuarded([&] {
        WaitCursor busy;
        // The edit in progress belongs to the table before the run reads it;
        // a refused edit ends the run before it starts (the refusal is shown).
        const unsigned refused = SongsGridView->RefusedEdits();
        SongsGrid->PostPendingEdit();
        if (SongsGridView->RefusedEdits() != refused) return;
        // The grid follows the table through the run, to where it stopped.
        OnScopeEnd follow([this] { FollowTableRecord(); });
        // The folder is a native path: never squeezed through the ANSI page.
        ImportSongs(ACEdit1->text().toStdString(), Table1, RichEdit1);
    });
}

void TdlImportAccess::SongsGridDeleteKey(int shownRow)
{
    RunGuarded([&] {
        if (!dialogs.confirmDelete(this)) return;
        const QModelIndex record = DataSource1->mapToSource(DataSource1->index(shownRow, 0));
        if (record.isValid()) SongsGridView->DeleteRecord(record.row());
    });
}

void TdlImportAccess::FollowTableRecord()
{
    const size_t record = Table1.RecNo();
    if (record >= static_cast<size_t>(SongsGridView->rowCount())) return;
    const QModelIndex shown = DataSource1->mapFromSource(SongsGridView->index(static_cast<int>(record), 0));
    SongsGrid->setCurrentIndex(shown);
    SongsGrid->scrollTo(shown);
}
