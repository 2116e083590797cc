#include "win32/accessible.h"

#include <oleacc.h>

#include <atomic>
#include <unordered_map>
#include <utility>

#include "core/controls.h"
#include "win32/dialogtemplate.h"

namespace zerkan::win32 {
namespace {

// Not IID_IAccessible: MinGW's import library for oleacc offers it as a function of the DLL.
const IID kAccessibleId = __uuidof(IAccessible);

template <class Function>
Function Bind(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    // Through a generic function pointer, as GetProcAddress results are meant to be cast.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocString) allocString = nullptr;

    bool Loaded() const { return createStandard && lresultFromObject && allocString; }
};

const Oleacc& Library() {
    static const Oleacc library = [] {
        Oleacc l;
        const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        const HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
        l.createStandard =
            Bind<decltype(&CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
        l.lresultFromObject = Bind<decltype(&LresultFromObject)>(oleacc, "LresultFromObject");
        l.allocString = Bind<decltype(&SysAllocString)>(oleaut, "SysAllocString");
        return l;
    }();
    return library;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The name the main window's table gives the control with this identifier.
std::wstring TableName(HWND control) {
    const layout::Control* row = layout::FindMainControl(GetDlgCtrlID(control));
    return row != nullptr ? WideFromUtf8(row->accessible) : std::wstring();
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The system's object for the control, with the name, value, role and state that it lacks.
class CaptionedObject final : public IAccessible {
  public:
    CaptionedObject(IAccessible* standard, HWND control, AccessibleKind kind, std::wstring name)
        : standard_(standard), control_(control), kind_(kind), name_(std::move(name)) {}
    CaptionedObject(const CaptionedObject&) = delete;
    CaptionedObject& operator=(const CaptionedObject&) = delete;

    // IUnknown. Other interfaces of the system's object (IOleWindow, IEnumVARIANT) are its own.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
            IsEqualIID(id, kAccessibleId)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, params, result, exception, argument);
    }

    // IAccessible: what this object changes, for the control itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child))
            return standard_->get_accName(child, name);
        return Answer(name_, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || kind_ == AccessibleKind::Picture)
            return standard_->get_accValue(child, value);
        return Answer(TextOf(control_), value, true);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child))
            return standard_->get_accRole(child, role);
        if (role == nullptr)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = kind_ == AccessibleKind::Picker      ? ROLE_SYSTEM_COMBOBOX
                     : kind_ == AccessibleKind::ResultBox ? ROLE_SYSTEM_TEXT
                                                          : ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        if (!IsSelf(child) || FAILED(result) || state == nullptr || state->vt != VT_I4)
            return result;
        if (kind_ == AccessibleKind::Picture) {
            state->lVal |= STATE_SYSTEM_READONLY;
            return result;
        }
        state->lVal |= STATE_SYSTEM_FOCUSABLE;
        const HWND focus = GetFocus();
        if (focus != nullptr && (focus == control_ || IsChild(control_, focus)))
            state->lVal |= STATE_SYSTEM_FOCUSED;
        if (kind_ == AccessibleKind::ResultBox)
            state->lVal |= STATE_SYSTEM_READONLY;
        return result;
    }

    // IAccessible: the system's object answers the rest.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return standard_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_->get_accDefaultAction(child, text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~CaptionedObject() = default;

    // An empty name is no name; an empty value is still the control's value.
    static HRESULT Answer(const std::wstring& text, BSTR* out, bool emptyIsText = false) {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (text.empty() && !emptyIsText)
            return S_FALSE;
        *out = Library().allocString(text.c_str());
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    std::atomic<ULONG> references_{1};
    IAccessible* standard_;
    HWND control_;
    AccessibleKind kind_;
    std::wstring name_;
};

struct Subclass {
    WNDPROC original;
    AccessibleKind kind;
    std::wstring name;
};

// The subclassed windows of this thread's dialogs, a handful. Kept here rather than in window
// properties: under Wine every GetProp is a request to the server, and the pickers see many
// messages.
std::unordered_map<HWND, Subclass>& Subclasses() {
    static std::unordered_map<HWND, Subclass> subclasses;
    return subclasses;
}

LRESULT CALLBACK AnsweringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& subclasses = Subclasses();
    const auto found = subclasses.find(window);
    if (found == subclasses.end())
        return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC original = found->second.original;
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer =
                AnswerAccessibleObject(window, wParam, found->second.kind, found->second.name))
            return answer;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        subclasses.erase(found);
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
}

}  // namespace

LRESULT AnswerAccessibleObject(HWND control, WPARAM flags, AccessibleKind kind,
                               const std::wstring& name) {
    const Oleacc& library = Library();
    if (!library.Loaded())
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(library.createStandard(control, OBJID_CLIENT, kAccessibleId,
                                      reinterpret_cast<void**>(&standard))) ||
        standard == nullptr)
        return 0;
    auto* object =
        new CaptionedObject(standard, control, kind, name.empty() ? TableName(control) : name);
    const LRESULT answer = library.lresultFromObject(kAccessibleId, flags, object);
    object->Release();
    return answer > 0 ? answer : 0;
}

void GiveAccessibleObject(HWND control, AccessibleKind kind, std::wstring name) {
    if (control == nullptr || Subclasses().contains(control))
        return;
    Subclass& subclass = Subclasses()[control];
    subclass.kind = kind;
    subclass.name = std::move(name);
    subclass.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnsweringProc)));
}

}  // namespace zerkan::win32
