#include "controls/QtAutoComplete.h"

#include "platform/ComMemory.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

#include <cstring>

namespace {

// How many strings one Next asks for while reading a source.
constexpr ULONG kReadBatch = 64;

// The folder part of a typed path: up to and including its last "/".
QString FolderPart(const QString& text)
{
    return text.left(text.lastIndexOf(u'/') + 1);
}

}  // namespace

TQtAutoComplete::TQtAutoComplete() = default;

HRESULT TQtAutoComplete::QueryInterface(const GUID& iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IAutoComplete || iid == IID_IAutoComplete2)
        *object = static_cast<IAutoComplete2*>(this);
    else if (iid == IID_IAutoCompleteDropDown)
        *object = static_cast<IAutoCompleteDropDown*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG TQtAutoComplete::AddRef()
{
    return ++references_;
}

ULONG TQtAutoComplete::Release()
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT TQtAutoComplete::Init(HWND edit, IUnknown* source, const char16_t*, const char16_t*)
{
    if (!edit || !source) return E_INVALIDARG;
    if (completer_) return E_FAIL;
    ComPtr<IEnumString> strings;
    if (source->QueryInterface(IID_IEnumString, strings.PutVoid()) != S_OK) return E_NOINTERFACE;
    source_ = strings;
    source->QueryInterface(IID_IACList, expander_.PutVoid());  // optional

    edit_ = static_cast<QLineEdit*>(edit);
    strings_ = new QStringListModel(this);
    completer_ = new QCompleter(strings_, this);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setWidget(edit_);
    QObject::connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) { TextEdited(text); });
    // Like the shell's drop-down: the highlighted item shows in the edit, and
    // picking one puts it there.
    const auto take = [this](const QString& text) {
        if (edit_) edit_->setText(text);
    };
    QObject::connect(completer_, qOverload<const QString&>(&QCompleter::highlighted), this, take);
    QObject::connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, take);
    edit_->installEventFilter(this);
    return S_OK;
}

HRESULT TQtAutoComplete::Enable(BOOL enable)
{
    enabled_ = enable != 0;
    if (!enabled_ && completer_) completer_->popup()->hide();
    return S_OK;
}

HRESULT TQtAutoComplete::SetOptions(DWORD flags)
{
    options_ = flags;
    return S_OK;
}

HRESULT TQtAutoComplete::GetOptions(DWORD* flags)
{
    if (!flags) return E_POINTER;
    *flags = options_;
    return S_OK;
}

HRESULT TQtAutoComplete::GetDropDownStatus(DWORD* flags, char16_t** highlighted)
{
    const bool visible = completer_ && completer_->popup()->isVisible();
    if (flags) *flags = visible ? ACDD_VISIBLE : 0;
    if (!highlighted) return S_OK;
    *highlighted = nullptr;
    const QModelIndex current = visible ? completer_->popup()->currentIndex() : QModelIndex();
    if (!current.isValid()) return S_OK;
    const QString text = current.data().toString();
    const std::size_t bytes = (static_cast<std::size_t>(text.size()) + 1) * sizeof(char16_t);
    auto* block = static_cast<char16_t*>(CoTaskMemAlloc(bytes));
    if (!block) return E_OUTOFMEMORY;
    std::memset(block, 0, bytes);
    std::memcpy(block, text.utf16(), static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    *highlighted = block;
    return S_OK;
}

HRESULT TQtAutoComplete::ResetEnumerator()
{
    stale_ = true;
    if (completer_ && completer_->popup()->isVisible() && edit_) {
        Prepare(edit_->text());
        if (!ShowDropDown()) completer_->popup()->hide();
    }
    return S_OK;
}

bool TQtAutoComplete::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress && enabled_ && (options_ & ACO_UPDOWNKEYDROPSLIST) &&
        !completer_->popup()->isVisible()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Prepare(edit_->text());
            ShowDropDown();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TQtAutoComplete::TextEdited(const QString& text)
{
    const bool typedOn = text.size() > lastEdited_.size();
    lastEdited_ = text;
    if (!enabled_ || !edit_) return;
    if (text.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    Prepare(text);
    if (options_ & ACO_AUTOSUGGEST) {
        if (!ShowDropDown()) completer_->popup()->hide();
    }
    if ((options_ & ACO_AUTOAPPEND) && typedOn && completer_->completionCount() > 0) {
        const QString first = completer_->currentCompletion();
        if (first.size() > text.size()) {
            // The typed part stays as typed; the rest is selected.
            edit_->setText(text + first.mid(text.size()));
            edit_->setSelection(static_cast<int>(text.size()), static_cast<int>(first.size() - text.size()));
        }
    }
}

void TQtAutoComplete::Prepare(const QString& text)
{
    if (expander_) {
        const QString folder = FolderPart(text);
        if (folder != expanded_ || stale_) {
            expander_->Expand(reinterpret_cast<const char16_t*>(folder.utf16()));
            expanded_ = folder;
            stale_ = true;
        }
    }
    if (stale_) ReadSource();
    completer_->setCompletionPrefix(text);
}

void TQtAutoComplete::ReadSource()
{
    QStringList all;
    source_->Reset();
    char16_t* blocks[kReadBatch];
    for (;;) {
        ULONG fetched = 0;
        const HRESULT result = source_->Next(kReadBatch, blocks, &fetched);
        if (Failed(result)) break;
        for (ULONG i = 0; i < fetched; ++i) {
            all.append(QString::fromUtf16(blocks[i]));
            CoTaskMemFree(blocks[i]);
        }
        if (result != S_OK) break;
    }
    strings_->setStringList(all);
    stale_ = false;
}

bool TQtAutoComplete::ShowDropDown()
{
    if (completer_->completionCount() == 0) return false;
    completer_->complete();
    return true;
}

IUnknown* NewQtAutoComplete()
{
    return static_cast<IAutoComplete2*>(new TQtAutoComplete());
}
