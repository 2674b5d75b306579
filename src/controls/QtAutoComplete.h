// The completion engine (CLSID_AutoComplete) on Qt: what the shell's
// auto-complete object does on Windows, for a QLineEdit.
//
// Init binds it to the line edit (the HWND is the QLineEdit*) and a string
// source. While the user types, it reads the source (telling a source that
// offers IACList the folder part of the text first), keeps the strings that
// start with the typed text regardless of case, and according to its options
// shows them in a drop-down, appends the first one inline (selected, so typing
// on replaces it), or opens the drop-down on Up and Down. The strings are read
// once and kept until ResetEnumerator or, for an IACList source, until the
// folder part of the text changes.
#pragma once

#include "platform/ComAutoComplete.h"
#include "platform/ComPtr.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>

class QCompleter;
class QLineEdit;
class QStringListModel;

class TQtAutoComplete final : public QObject, public IAutoComplete2, public IAutoCompleteDropDown {
public:
    TQtAutoComplete();

    // IUnknown, IAutoComplete, IAutoComplete2 and IAutoCompleteDropDown.
    HRESULT QueryInterface(const GUID& iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // E_INVALIDARG without an edit or a source, E_NOINTERFACE for a source
    // without IEnumString, E_FAIL when already bound.
    HRESULT Init(HWND edit, IUnknown* source, const char16_t* registryKeyPath,
                 const char16_t* quickCompleteFormat) override;
    // Switched off, it offers nothing and closes an open drop-down.
    HRESULT Enable(BOOL enable) override;
    HRESULT SetOptions(DWORD flags) override;
    HRESULT GetOptions(DWORD* flags) override;

    HRESULT GetDropDownStatus(DWORD* flags, char16_t** highlighted) override;
    HRESULT ResetEnumerator() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ~TQtAutoComplete() override = default;

    void TextEdited(const QString& text);
    // Reads the source again when needed for `text`, and narrows the
    // completer to the strings that start with it.
    void Prepare(const QString& text);
    void ReadSource();
    bool ShowDropDown();

    std::atomic<ULONG> references_{0};
    ComPtr<IEnumString> source_;
    ComPtr<IACList> expander_;
    QPointer<QLineEdit> edit_;
    QCompleter* completer_ = nullptr;
    QStringListModel* strings_ = nullptr;
    bool enabled_ = true;
    DWORD options_ = ACO_AUTOSUGGEST;
    bool stale_ = true;
    QString expanded_;     // the folder part last told to an IACList source
    QString lastEdited_;   // to tell typing on from deleting
};

// A new engine with reference count 0, for the class registry.
IUnknown* NewQtAutoComplete();
