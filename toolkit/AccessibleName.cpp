#include "toolkit/AccessibleName.h"

#include "toolkit/CodePage.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {
// The import library's IID_IAccessible names the export, not the GUID: take it from the type.
const IID& AccessibleId()
{
    static const IID id = __uuidof(IAccessible);
    return id;
}

struct NameData {
    std::wstring Name;
    std::function<std::vector<AccessibleItem>()> Items;
};

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The platform's object of the control with our names laid over it.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* inner, const NameData& data) : inner_(inner), data_(data) {}
    virtual ~NamedAccessible() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == AccessibleId()) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            inner_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo** info) override
    {
        return inner_->GetTypeInfo(i, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override
    {
        return inner_->GetIDsOfNames(id, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                     UINT* argument) override
    {
        return inner_->Invoke(member, id, lcid, flags, params, result, info, argument);
    }

    // IAccessible: names, and the items where the control has them; the rest is the platform's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!name) return E_POINTER;
        if (IsSelf(child) && !data_.Name.empty()) {
            *name = SysAllocString(data_.Name.c_str());
            return S_OK;
        }
        if (const AccessibleItem* item = Item(child)) {
            *name = SysAllocString(
                (item->RealName.empty() ? WideOf(item->Name) : item->RealName).c_str());
            return S_OK;
        }
        return inner_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!data_.Items) return inner_->get_accChildCount(count);
        if (!count) return E_POINTER;
        items_ = data_.Items();
        *count = static_cast<long>(items_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (!Item(child)) return inner_->get_accChild(child, object);
        *object = nullptr;
        return S_FALSE; // an item is no object of its own
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return ItemNumber(child, role, &AccessibleItem::Role, &IAccessible::get_accRole);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return ItemNumber(child, state, &AccessibleItem::State, &IAccessible::get_accState);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        const AccessibleItem* item = Item(child);
        if (!item) return inner_->accLocation(left, top, width, height, child);
        *left = item->Screen.left;
        *top = item->Screen.top;
        *width = item->Screen.right - item->Screen.left;
        *height = item->Screen.bottom - item->Screen.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return inner_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return inner_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return inner_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return inner_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return inner_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return inner_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return inner_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return inner_->put_accValue(child, value);
    }

private:
    // An item's role or state; the platform answers for the control itself.
    HRESULT ItemNumber(VARIANT child, VARIANT* out, long AccessibleItem::*field,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*platform)(VARIANT, VARIANT*))
    {
        const AccessibleItem* item = Item(child);
        if (!item) return (inner_->*platform)(child, out);
        out->vt = VT_I4;
        out->lVal = item->*field;
        return S_OK;
    }

    // The item a child id names, read afresh: buttons come and go with their toolbar.
    const AccessibleItem* Item(const VARIANT& child)
    {
        if (!data_.Items || child.vt != VT_I4 || child.lVal <= 0) return nullptr;
        items_ = data_.Items();
        if (static_cast<size_t>(child.lVal) > items_.size()) return nullptr;
        return &items_[static_cast<size_t>(child.lVal) - 1];
    }

    IAccessible* inner_;
    NameData data_;
    std::vector<AccessibleItem> items_;
    LONG refs_ = 1;
};

const UINT_PTR NameSubclassId = 0x4E414D;
const char* const NameProperty = "VexilAccessibleName";

LRESULT CALLBACK NameSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR refData)
{
    auto* data = reinterpret_cast<NameData*>(refData);
    switch (message) {
    case WM_GETOBJECT: {
        if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) break;
        IAccessible* inner = nullptr;
        if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, AccessibleId(),
                                             reinterpret_cast<void**>(&inner))))
            break;
        auto* named = new NamedAccessible(inner, *data);
        LRESULT result = LresultFromObject(AccessibleId(), wParam, named);
        named->Release();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, NameSubclassProc, NameSubclassId);
        RemovePropA(hwnd, NameProperty);
        delete data;
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

NameData& DataOf(HWND control)
{
    if (auto* existing = static_cast<NameData*>(GetPropA(control, NameProperty))) return *existing;
    auto* data = new NameData;
    SetPropA(control, NameProperty, data);
    SetWindowSubclass(control, NameSubclassProc, NameSubclassId, reinterpret_cast<DWORD_PTR>(data));
    return *data;
}
} // namespace

void SetAccessibleName(HWND control, const std::string& name)
{
    if (control) DataOf(control).Name = WideOf(name);
}

void SetAccessibleItems(HWND control, std::function<std::vector<AccessibleItem>()> items)
{
    if (control) DataOf(control).Items = std::move(items);
}
