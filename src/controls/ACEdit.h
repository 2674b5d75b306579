// TACEdit: a single-line edit that completes while the user types.
//
// It binds the completion engine (CLSID_AutoComplete) to itself when it gets
// its window, with a string source chosen by ACSource: its own list ACList, or
// one of the shell's lists (on Linux only the namespace list, acsShell, which
// completes file and folder paths). In list mode it keeps ACList up to date:
// the text is added when the focus leaves the field, and the Delete key
// removes the suggestion highlighted in the drop-down.
//
// "Window" here is the platform's notion: the control gets it when first shown
// (or when HandleNeeded asks for it), loses it when destroyed, and gets a new
// one when ACSource changes while it has one.
#pragma once

#include "controls/ACOptions.h"
#include "controls/TntStringList.h"
#include "platform/ComAutoComplete.h"
#include "platform/ComPtr.h"

#include <QLineEdit>

#include <functional>
#include <memory>

class TACEdit : public QLineEdit {
public:
    // ACList empty and ordered by the user's locale (Qt's collation, without
    // regard to case); ACEnabled true, ACOptions [acAutoSuggest,
    // acUseArrowKey], ACSource acsList, AutoAdd true; no engine, no source.
    explicit TACEdit(QWidget* owner = nullptr);
    ~TACEdit() override;

    // The control's own list; callers may add, delete or clear through it.
    TTntStringList& ACList() { return *acList_; }
    // Copies the strings of `list` into ACList by the list's rules (a null
    // list raises EConvertError and changes nothing).
    void SetACList(const TTntStringList* list) { acList_->Assign(list); }

    // While an engine is bound every write reaches it, equal value or not;
    // without one the value is only stored, for the next window to apply.
    bool ACEnabled() const { return acEnabled_; }
    void SetACEnabled(bool enabled);
    TACOptions ACOptions() const { return acOptions_; }
    void SetACOptions(TACOptions options);

    // A different kind is stored and, while the control has a window,
    // rebuilds the binding by making the window anew; an equal one does nothing.
    TACSource ACSource() const { return acSource_; }
    void SetACSource(TACSource source);

    bool AutoAdd() const { return autoAdd_; }
    void SetAutoAdd(bool autoAdd) { autoAdd_ = autoAdd; }

    bool HandleAllocated() const { return handleAllocated_; }
    // Makes the window now if the control has none; raises what window
    // creation raises.
    void HandleNeeded();

    // The bound engine and the string source handed to it; null when empty.
    IAutoComplete* ACObject() const { return acObject_.Get(); }
    IEnumString* ACSourceObject() const { return acSourceObject_.Get(); }

    // Raised when the focus moves from this control to another of the window,
    // after a list-mode text has been added to ACList.
    std::function<void()> OnExit;
    // Raised for every key pressed in the field; setting the key to 0 stops
    // the edit's own handling of it.
    std::function<void(int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;

protected:
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void DoExit();
    virtual void KeyDown(int& key, Qt::KeyboardModifiers modifiers);

    void showEvent(QShowEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RecreateWnd();
    void ApplySettings();
    void DeleteSuggestion();

    ComPtr<IEnumString> acSourceObject_;
    ComPtr<IAutoComplete> acObject_;
    std::shared_ptr<TTntStringList> acList_;
    bool acEnabled_ = true;
    TACOptions acOptions_ = kDefaultACOptions;
    TACSource acSource_ = acsList;
    bool autoAdd_ = true;
    bool handleAllocated_ = false;
};

// The exception TACEdit raises itself.
inline constexpr const char* kCouldNotInitializeAutoComplete = "Could not initialize AutoComplete";
