#include "controls/ACEdit.h"

#include "controls/EnumString.h"
#include "controls/ExceptionHandler.h"
#include "controls/QtTextComparer.h"
#include "controls/ShellClasses.h"
#include "platform/ComErrors.h"
#include "platform/ComMemory.h"
#include "platform/ComRuntime.h"
#include "platform/SysUtils.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

// Program load: the engine needs COM in apartment mode on the main thread,
// which start-up initialises; the stand-ins for the shell's classes are
// registered for every program that has this control.
const bool unitInitialised = [] {
    ChooseCoInitMode(COINIT_APARTMENTTHREADED);
    RegisterShellClasses();
    return true;
}();

// Runs an event's work; Qt's event loop must not see an exception.
template <class Work>
void Guarded(Work work)
{
    try {
        work();
    } catch (const std::exception& error) {
        HandleApplicationException(error);
    }
}

}  // namespace

TACEdit::TACEdit(QWidget* owner)
    : QLineEdit(owner), acList_(std::make_shared<TTntStringList>(QtCaseInsensitiveComparer()))
{
    (void)unitInitialised;
}

TACEdit::~TACEdit()
{
    acObject_.Clear();
    acSourceObject_.Clear();
    acList_.reset();
}

void TACEdit::SetACEnabled(bool enabled)
{
    if (acObject_) acObject_->Enable(enabled ? 1 : 0);
    acEnabled_ = enabled;
}

void TACEdit::SetACOptions(TACOptions options)
{
    ComPtr<IAutoComplete2> withOptions;
    if (acObject_ && acObject_.As(withOptions) == S_OK) withOptions->SetOptions(ACOptionFlags(options));
    acOptions_ = options;
}

void TACEdit::SetACSource(TACSource source)
{
    if (source == acSource_) return;
    acSource_ = source;
    if (HandleAllocated()) RecreateWnd();
}

void TACEdit::HandleNeeded()
{
    if (!handleAllocated_) CreateWnd();
}

void TACEdit::RecreateWnd()
{
    DestroyWnd();
    CreateWnd();
}

void TACEdit::CreateWnd()
{
    acObject_.Clear();  // left from an earlier window; the source is kept
    handleAllocated_ = true;
    if (Failed(CoCreateInstance(CLSID_AutoComplete, nullptr, CLSCTX_INPROC_SERVER, IID_IAutoComplete,
                                acObject_.PutVoid())))
        return;  // no engine: a plain edit
    if (!acSourceObject_) {
        const ComPtr<IUnknown> source = acSource_ == acsList
                                            ? ComPtr<IUnknown>(static_cast<IEnumString*>(new TEnumString(acList_)))
                                            : CreateComObject(ACSourceClass(acSource_));
        acSourceObject_ = CastInterface<IEnumString>(source);
    }
    if (Failed(acObject_->Init(static_cast<QLineEdit*>(this), acSourceObject_.Get(), nullptr, nullptr))) {
        acObject_.Clear();
        throw Exception(kCouldNotInitializeAutoComplete);
    }
    ApplySettings();
}

void TACEdit::ApplySettings()
{
    SetACEnabled(acEnabled_);
    SetACOptions(acOptions_);
}

void TACEdit::DestroyWnd()
{
    if (acObject_) {
        acObject_.Clear();
        acSourceObject_.Clear();
    }
    handleAllocated_ = false;
}

void TACEdit::DoExit()
{
    const QString typed = text();
    if (acSource_ == acsList && autoAdd_ && !typed.isEmpty())
        acList_->Add(std::u16string_view(reinterpret_cast<const char16_t*>(typed.utf16()),
                                         static_cast<std::size_t>(typed.size())));
    if (OnExit) OnExit();
}

void TACEdit::KeyDown(int& key, Qt::KeyboardModifiers modifiers)
{
    if (acSource_ == acsList && key == Qt::Key_Delete) DeleteSuggestion();
    if (OnKeyDown) OnKeyDown(key, modifiers);
}

void TACEdit::DeleteSuggestion()
{
    const TTntStringList& list = *acList_;
    bool anyText = false;
    for (int i = 0; i < list.Count() && !anyText; ++i) anyText = !list.Strings(i).empty();
    if (!anyText || !acObject_) return;
    ComPtr<IAutoCompleteDropDown> dropDown;
    if (Failed(acObject_.As(dropDown))) return;
    DWORD flags = 0;
    char16_t* highlighted = nullptr;
    if (Succeeded(dropDown->GetDropDownStatus(&flags, &highlighted)) && flags == ACDD_VISIBLE) {
        int index = 0;
        if (acList_->Find(highlighted ? std::u16string_view(highlighted) : std::u16string_view(), index))
            acList_->Delete(index);
        dropDown->ResetEnumerator();
    }
    CoTaskMemFree(highlighted);
}

void TACEdit::showEvent(QShowEvent* event)
{
    Guarded([this] { HandleNeeded(); });
    QLineEdit::showEvent(event);
}

void TACEdit::focusOutEvent(QFocusEvent* event)
{
    // Only a move to another control is an exit: not the window losing
    // activation, nor a popup (the drop-down, a context menu) opening.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Guarded([this] { DoExit(); });
    QLineEdit::focusOutEvent(event);
}

void TACEdit::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    Guarded([&] { KeyDown(key, event->modifiers()); });
    if (key == 0) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
