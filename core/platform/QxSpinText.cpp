#include "core/platform/QxSpinText.h"

#include <wx/spinctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace {

// What a watched control last took from its text.
struct Taken {
    wxString typed; // the text last turned into a number
    wxString shown; // what the control then showed in its place
    bool valid = false; // typed stands behind what the control shows
};

std::map<const wxWindow*, Taken>& watched()
{
    static std::map<const wxWindow*, Taken> controls;
    return controls;
}

wxString typedOr(const wxWindow* spin, const wxString& shown)
{
    const auto it = watched().find(spin);
    if (it == watched().end() || !it->second.valid || it->second.shown != shown)
        return shown;
    return it->second.typed;
}

#ifdef __WXGTK__
// Looked up in the toolkit the framework has loaded, so that building needs
// no toolkit headers.
using Callback = void (*)();
using Connect = unsigned long (*)(void*, const char*, Callback, void*, void*, int);
using EntryText = const char* (*)(void*);
using Digits = unsigned (*)(void*);
using Value = double (*)(void*);
using Range = void (*)(void*, double*, double*);

template <class F>
F toolkit(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

wxString entryText(void* spin)
{
    static const auto text = toolkit<EntryText>("gtk_entry_get_text");
    return text ? wxString::FromUTF8(text(spin)) : wxString();
}

// "input": the control turns its text into a number. The framework asks
// this too when its value is read; reading what the control showed from
// typed text again changes nothing.
int onInput(void* spin, double*, void* data)
{
    const auto it = watched().find(static_cast<wxWindow*>(data));
    if (it == watched().end())
        return 0;
    const wxString text = entryText(spin);
    if (!(it->second.valid && text == it->second.shown))
        it->second.typed = text;
    return 0; // the toolkit's own conversion
}

// "output": the control is about to show its number. When that number is
// what the toolkit makes of the text last taken (the number read from its
// start, held within the range), it stands for that text; a number set by
// code or the arrows does not.
int onOutput(void* spin, void* data)
{
    static const auto digits = toolkit<Digits>("gtk_spin_button_get_digits");
    static const auto value = toolkit<Value>("gtk_spin_button_get_value");
    static const auto range = toolkit<Range>("gtk_spin_button_get_range");
    const auto it = watched().find(static_cast<wxWindow*>(data));
    if (it == watched().end() || !digits || !value || !range)
        return 0;
    Taken& taken = it->second;
    double low = 0, high = 0;
    range(spin, &low, &high);
    const double shownValue = value(spin);
    const std::string typed(taken.typed.utf8_str());
    const double read = std::strtod(typed.c_str(), nullptr);
    const double expected = std::isnan(read) ? low : std::min(std::max(read, low), high);
    char text[64];
    std::snprintf(text, sizeof text, "%0.*f", static_cast<int>(digits(spin)), shownValue);
    taken.shown = wxString::FromUTF8(text); // as the toolkit writes it
    taken.valid = std::fabs(expected - shownValue) <= 1e-9 * std::max(1.0, std::fabs(shownValue)) &&
                  wxString(taken.typed).Trim(true).Trim(false) != taken.shown;
    return 0; // the toolkit's own text
}
#endif

} // namespace

void qxWatchSpinText(wxWindow* spin)
{
    if (!spin || watched().count(spin))
        return;
#ifdef __WXGTK__
    static const auto connect = toolkit<Connect>("g_signal_connect_data");
    if (!connect || !spin->GetHandle())
        return;
    watched()[spin];
    connect(spin->GetHandle(), "input", reinterpret_cast<Callback>(&onInput), spin, nullptr, 0);
    connect(spin->GetHandle(), "output", reinterpret_cast<Callback>(&onOutput), spin, nullptr, 0);
    spin->Bind(wxEVT_DESTROY, [spin](wxWindowDestroyEvent& event) {
        if (event.GetWindow() == spin)
            watched().erase(spin);
        event.Skip();
    });
#endif
}

wxString qxTypedSpinText(const wxSpinCtrl* spin)
{
    return spin ? typedOr(spin, spin->GetTextValue()) : wxString();
}

wxString qxTypedSpinText(const wxSpinCtrlDouble* spin)
{
    return spin ? typedOr(spin, spin->GetTextValue()) : wxString();
}

bool qxTypedSpinInteger(const wxSpinCtrl* spin, long& out)
{
    wxString text = qxTypedSpinText(spin);
    text.Trim(true).Trim(false);
    return !text.empty() && text.ToLong(&out, 10);
}
