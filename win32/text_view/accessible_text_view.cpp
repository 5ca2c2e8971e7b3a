#include "win32/text_view/accessible_text_view.h"

#include <string>

#include "win32/text_view/text_view.h"
#include "win32/text_view/window_label.h"

namespace pravex::win32 {

namespace {

// What a client holding on to the object hears once its window is gone.
constexpr HRESULT kGone = RPC_E_DISCONNECTED;

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

class AccessibleTextView final : public TextViewObject<kGone, IAccessible, IOleWindow> {
 public:
  AccessibleTextView(const AccessibilityLibraries& libraries, std::shared_ptr<TextViewLink> link,
                     ComRef<IAccessible> standard)
      : TextViewObject(std::move(link)), libraries_(libraries), standard_(std::move(standard)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == kIidAccessible) {
      return GiveOut(static_cast<IAccessible*>(this), out);
    }
    if (riid == __uuidof(IOleWindow)) return GiveOut(static_cast<IOleWindow*>(this), out);
    return E_NOINTERFACE;
  }

  // IDispatch: the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(riid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override {
    return standard_->Invoke(id, riid, lcid, flags, params, result, exception, argError);
  }

  // IAccessible: what makes it a text box.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    return Run([&](TextView&) {
      role->vt = VT_I4;
      role->lVal = ROLE_SYSTEM_TEXT;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    return Run(name, [&](TextView& view) -> HRESULT {
      // Not the window's text, as the standard object would have it: the report.
      const std::optional<std::wstring> label = LabelBefore(view.Window());
      if (!label) return S_FALSE;
      *name = AllocDisplayedString(libraries_, *label);
      return *name ? S_OK : E_OUTOFMEMORY;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!IsSelf(child)) return standard_->get_accValue(child, value);
    return Run(value, [&](TextView& view) {
      *value = AllocDisplayedString(libraries_, view.Text());
      return *value ? S_OK : E_OUTOFMEMORY;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!IsSelf(child)) return standard_->get_accState(child, state);
    if (!state) return E_POINTER;
    return Run([&](TextView& view) {
      const HWND hwnd = view.Window();
      LONG flags = 0;  // never read-only: the text box takes typing
      if (!::IsWindowVisible(hwnd)) flags |= STATE_SYSTEM_INVISIBLE;
      if (::IsWindowEnabled(hwnd)) {
        flags |= STATE_SYSTEM_FOCUSABLE;
      } else {
        flags |= STATE_SYSTEM_UNAVAILABLE;
      }
      if (view.HasFocus()) flags |= STATE_SYSTEM_FOCUSED;
      state->vt = VT_I4;
      state->lVal = flags;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    if (!IsSelf(child)) return standard_->put_accValue(child, value);
    return Run([&](TextView& view) {
      // As the edit control takes it: like WM_SETTEXT.
      view.SetText(value ? std::wstring(value, libraries_.SysStringLen(value)) : std::wstring());
      return S_OK;
    });
  }

  // IAccessible: the rest as for any window's client area.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
    return standard_->get_accChild(child, dispatch);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }

  // IOleWindow: which window this is, for WindowFromAccessibleObject.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
    return Run(hwnd, [&](TextView& view) {
      *hwnd = view.Window();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  const AccessibilityLibraries& libraries_;
  ComRef<IAccessible> standard_;
};

}  // namespace

ComRef<IAccessible> MakeAccessibleTextView(const AccessibilityLibraries& libraries,
                                           std::shared_ptr<TextViewLink> link) {
  if (!link->view) return {};
  ComRef<IAccessible> standard;
  if (FAILED(libraries.CreateStdAccessibleObject(link->view->Window(), OBJID_CLIENT, kIidAccessible,
                                                 reinterpret_cast<void**>(standard.Receive()))) ||
      !standard) {
    return {};
  }
  ComRef<AccessibleTextView> made =
      MakeCom<AccessibleTextView>(libraries, std::move(link), std::move(standard));
  return ComRef<IAccessible>(static_cast<IAccessible*>(made.Detach()));
}

}  // namespace pravex::win32
