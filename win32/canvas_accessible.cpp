#include "canvas_accessible.h"

#include "form1_texts.h"
#include "wide_text.h"

#include <new>
#include <utility>

namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT text(const std::wstring& value, BSTR* out) {
    if (out == nullptr) {
        return E_INVALIDARG;
    }
    *out = SysAllocString(value.c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

constexpr wchar_t copyAction[] = L"Copy";

} // namespace

IAccessible* CanvasAccessible::create(HWND canvas, std::function<std::wstring()> description,
                                      std::function<void()> copy) {
    auto* accessible = new (std::nothrow) CanvasAccessible;
    if (accessible == nullptr) {
        return nullptr;
    }
    if (FAILED(CreateStdAccessibleObject(canvas, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&accessible->m_system)))) {
        accessible->Release();
        return nullptr;
    }
    accessible->m_description = std::move(description);
    accessible->m_copy = std::move(copy);
    return accessible;
}

CanvasAccessible::~CanvasAccessible() {
    if (m_system != nullptr) {
        m_system->Release();
    }
}

void CanvasAccessible::disconnect() {
    m_description = nullptr;
    m_copy = nullptr;
}

// What the canvas says of itself; everything else is the system's.

HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accName(VARIANT child, BSTR* name) {
    return isSelf(child) ? text(wide(texts::picture1AccessibleName), name)
                         : m_system->get_accName(child, name);
}

HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (!isSelf(child)) {
        return m_system->get_accDescription(child, description);
    }
    return m_description ? text(m_description(), description) : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!isSelf(child) || role == nullptr) {
        return m_system->get_accRole(child, role);
    }
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_GRAPHIC;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return isSelf(child) ? text(copyAction, action) : m_system->get_accDefaultAction(child, action);
}

HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return isSelf(child) ? text(L"Ctrl+C", shortcut)
                         : m_system->get_accKeyboardShortcut(child, shortcut);
}

HRESULT STDMETHODCALLTYPE CanvasAccessible::accDoDefaultAction(VARIANT child) {
    if (!isSelf(child)) {
        return m_system->accDoDefaultAction(child);
    }
    if (!m_copy) {
        return CO_E_OBJNOTCONNECTED;
    }
    m_copy();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CanvasAccessible::GetTypeInfoCount(UINT* count) {
    return m_system->GetTypeInfoCount(count);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return m_system->GetTypeInfo(index, locale, info);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count,
                                                          LCID locale, DISPID* ids) {
    return m_system->GetIDsOfNames(id, names, count, locale, ids);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::Invoke(DISPID member, REFIID id, LCID locale,
                                                   WORD flags, DISPPARAMS* parameters,
                                                   VARIANT* result, EXCEPINFO* exception,
                                                   UINT* argumentError) {
    return m_system->Invoke(member, id, locale, flags, parameters, result, exception,
                            argumentError);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accParent(IDispatch** parent) {
    return m_system->get_accParent(parent);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accChildCount(long* count) {
    return m_system->get_accChildCount(count);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    return m_system->get_accChild(child, dispatch);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accValue(VARIANT child, BSTR* value) {
    return m_system->get_accValue(child, value);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accState(VARIANT child, VARIANT* state) {
    return m_system->get_accState(child, state);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return m_system->get_accHelp(child, help);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accHelpTopic(BSTR* file, VARIANT child,
                                                             long* topic) {
    return m_system->get_accHelpTopic(file, child, topic);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accFocus(VARIANT* child) {
    return m_system->get_accFocus(child);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::get_accSelection(VARIANT* children) {
    return m_system->get_accSelection(children);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::accSelect(long flags, VARIANT child) {
    return m_system->accSelect(flags, child);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::accLocation(long* left, long* top, long* width,
                                                        long* height, VARIANT child) {
    return m_system->accLocation(left, top, width, height, child);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::accNavigate(long direction, VARIANT start,
                                                        VARIANT* end) {
    return m_system->accNavigate(direction, start, end);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::accHitTest(long left, long top, VARIANT* child) {
    return m_system->accHitTest(left, top, child);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::put_accName(VARIANT child, BSTR name) {
    return m_system->put_accName(child, name);
}
HRESULT STDMETHODCALLTYPE CanvasAccessible::put_accValue(VARIANT child, BSTR value) {
    return m_system->put_accValue(child, value);
}
