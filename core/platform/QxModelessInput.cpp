#include "core/platform/QxModelessInput.h"

#include <wx/toplevel.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

void qxAcceptInputBesideModal(wxTopLevelWindow* window)
{
#ifdef __WXGTK__
    if (!window || !window->GetHandle())
        return;
    // Looked up in the toolkit the framework has loaded, so that building
    // needs no toolkit headers.
    using GroupNew = void* (*)();
    using GroupAdd = void (*)(void*, void*);
    using Unref = void (*)(void*);
    static const auto groupNew = reinterpret_cast<GroupNew>(dlsym(RTLD_DEFAULT, "gtk_window_group_new"));
    static const auto groupAdd = reinterpret_cast<GroupAdd>(dlsym(RTLD_DEFAULT, "gtk_window_group_add_window"));
    static const auto unref = reinterpret_cast<Unref>(dlsym(RTLD_DEFAULT, "g_object_unref"));
    if (!groupNew || !groupAdd || !unref)
        return;
    void* group = groupNew();
    if (!group)
        return;
    groupAdd(group, window->GetHandle()); // the window keeps the group alive
    unref(group);
#else
    (void)window;
#endif
}
