#include "core/platform/QxModelessInput.h"

#include <wx/toplevel.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#ifdef __WXGTK__
namespace {

// Looked up in the toolkit the framework has loaded, so that building needs
// no toolkit headers.
struct GroupCalls {
    void* (*groupNew)() = nullptr;
    void (*groupAdd)(void*, void*) = nullptr;
    void* (*windowGroup)(void*) = nullptr;
    void (*realize)(void*) = nullptr;
    void (*unref)(void*) = nullptr;
    void* (*getData)(void*, const char*) = nullptr;
    void (*setData)(void*, const char*, void*) = nullptr;
    bool ok() const { return groupNew && groupAdd && windowGroup && realize && unref && getData && setData; }
};

const GroupCalls& calls()
{
    static const GroupCalls c = [] {
        GroupCalls g;
        g.groupNew = reinterpret_cast<void* (*)()>(dlsym(RTLD_DEFAULT, "gtk_window_group_new"));
        g.groupAdd = reinterpret_cast<void (*)(void*, void*)>(dlsym(RTLD_DEFAULT, "gtk_window_group_add_window"));
        g.windowGroup = reinterpret_cast<void* (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_window_get_group"));
        g.realize = reinterpret_cast<void (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_widget_realize"));
        g.unref = reinterpret_cast<void (*)(void*)>(dlsym(RTLD_DEFAULT, "g_object_unref"));
        g.getData = reinterpret_cast<void* (*)(void*, const char*)>(dlsym(RTLD_DEFAULT, "g_object_get_data"));
        g.setData = reinterpret_cast<void (*)(void*, const char*, void*)>(dlsym(RTLD_DEFAULT, "g_object_set_data"));
        return g;
    }();
    return c;
}

// The group made for a window is remembered on it (it only compares: the
// window itself keeps the group alive while it is in it).
const char* const kOwnGroup = "trendoria-own-input-group";

} // namespace
#endif

bool qxHasOwnInputGroup(const wxTopLevelWindow* window)
{
#ifdef __WXGTK__
    const GroupCalls& c = calls();
    if (!window || !window->GetHandle() || !c.ok())
        return false;
    void* own = c.getData(window->GetHandle(), kOwnGroup);
    return own && c.windowGroup(window->GetHandle()) == own;
#else
    (void)window;
    return true;
#endif
}

void qxAcceptInputBesideModal(wxTopLevelWindow* window)
{
#ifdef __WXGTK__
    const GroupCalls& c = calls();
    if (!window || !window->GetHandle() || !c.ok())
        return;
    // Realized first: while a modal dialog runs, realizing moves the window
    // back into the shared group (with a grab), so the move below comes after.
    c.realize(window->GetHandle());
    if (qxHasOwnInputGroup(window))
        return;
    void* group = c.groupNew();
    if (!group)
        return;
    c.groupAdd(group, window->GetHandle()); // the window keeps the group alive
    c.setData(window->GetHandle(), kOwnGroup, group);
    c.unref(group);
#else
    (void)window;
#endif
}
