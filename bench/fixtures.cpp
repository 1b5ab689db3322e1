#include "bench/fixtures.hpp"

#include <cstdio>
#include <cstring>

#include "bench/harness.hpp"

namespace ts::bench {
namespace {

constexpr unsigned kFormSizes[3] = {10, 100, 300};

INT_PTR CALLBACK RawDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;  // no focus on creation: the view sets none either
}

std::string LastError(const char* what) {
    char text[160];
    std::snprintf(text, sizeof text, "%s failed (error %lu)", what, GetLastError());
    return text;
}

// The folder of this program, with its trailing backslash.
std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n < sizeof path ? n : 0);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

int CountChildren(HWND parent) {
    int n = 0;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++n;
    return n;
}

std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

} // namespace

const FormsModule* FormsModule::get(std::string* error) {
    static std::unique_ptr<FormsModule> module;
    static std::string failure;
    if (!module && failure.empty()) {
        std::unique_ptr<FormsModule> m(new FormsModule);
        if (m->build(&failure)) module = std::move(m);
    }
    if (!module && error) *error = failure;
    return module.get();
}

bool FormsModule::build(std::string* error) {
    for (int i = 0; i < 3; ++i) forms_[i] = make_form(kFormSizes[i]);
    const std::string base = ProgramFolder() + "benchforms.dll";
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::snprintf(path_, sizeof path_, "%stsbench-%lu.dll", folder, GetCurrentProcessId());
    if (!CopyFileA(base.c_str(), path_, FALSE)) {
        *error = LastError(("copying " + base).c_str());
        path_[0] = '\0';
        return false;
    }
    HANDLE update = BeginUpdateResourceA(path_, FALSE);
    if (!update) {
        *error = LastError("BeginUpdateResource");
        return false;
    }
    const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    bool ok = true;
    for (Form& f : forms_) {
        ok = ok &&
             UpdateResourceA(update, RT_DIALOG, f.name.c_str(), neutral, f.viewTemplate.data(),
                             static_cast<DWORD>(f.viewTemplate.size())) &&
             UpdateResourceA(update, RT_RCDATA, f.name.c_str(), neutral, f.record.data(),
                             static_cast<DWORD>(f.record.size()));
    }
    if (!ok) {
        *error = LastError("UpdateResource");
        EndUpdateResourceA(update, TRUE);
        return false;
    }
    if (!EndUpdateResourceA(update, FALSE)) {
        *error = LastError("EndUpdateResource");
        return false;
    }
    instance_ = LoadLibraryA(path_);
    if (!instance_) *error = LastError("loading the forms module");
    return instance_ != nullptr;
}

FormsModule::~FormsModule() {
    if (instance_) FreeLibrary(instance_);
    if (path_[0]) DeleteFileA(path_);
}

const Form& FormsModule::form(unsigned fields) const {
    for (const Form& f : forms_)
        if (f.fields.size() == fields) return f;
    return forms_[2];
}

HVIEW create_view(const FormsModule& m, const Form& f) {
    return vwCreateView(m.instance(), f.name.c_str(), nullptr, nullptr, 0);
}

HWND create_raw_dialog(const FormsModule& m, const Form& f) {
    return CreateDialogIndirectParamA(m.instance(), reinterpret_cast<LPCDLGTEMPLATEA>(f.rawTemplate.data()),
                                      nullptr, RawDialogProc, 0);
}

ViewWindow::ViewWindow(const FormsModule& m, const Form& f) : view_(create_view(m, f)) {}

ViewWindow::~ViewWindow() {
    if (view_ && IsWindow(view_->hWnd)) DestroyWindow(view_->hWnd);
}

RawDialog::RawDialog(const FormsModule& m, const Form& f) : hwnd_(create_raw_dialog(m, f)) {}

RawDialog::~RawDialog() {
    if (hwnd_) DestroyWindow(hwnd_);
}

std::string compare_controls(HVIEW view, HWND dialog, const Form& f) {
    if (!view || !view->hWnd) return "the view was not built";
    if (!dialog) return "the raw dialog was not built";
    char text[200];
    const int viewChildren = CountChildren(view->hWnd), rawChildren = CountChildren(dialog);
    if (view->fieldCount != f.fields.size() || viewChildren != static_cast<int>(f.fields.size()) ||
        view->textFieldCount != f.labels || rawChildren != static_cast<int>(f.rawControls())) {
        std::snprintf(text, sizeof text,
                      "the view has %d fields, %d windows and %d text fields, the dialog %d windows (form: %zu "
                      "fields, %u labels)",
                      view->fieldCount, viewChildren, view->textFieldCount, rawChildren, f.fields.size(), f.labels);
        return text;
    }
    for (const FormField& field : f.fields) {
        HWND a = GetDlgItem(view->hWnd, field.id), b = GetDlgItem(dialog, field.id);
        if (!a || !b || ClassOf(a) != ClassOf(b)) {
            std::snprintf(text, sizeof text, "control %u: view %s, dialog %s", field.id, ClassOf(a).c_str(),
                          ClassOf(b).c_str());
            return text;
        }
    }
    return {};
}

ShownPair::ShownPair(unsigned fields) {
    const FormsModule* m = FormsModule::get(&failure_);
    if (!m) return;
    form_ = &m->form(fields);
    view_ = std::make_unique<ViewWindow>(*m, *form_);
    raw_ = std::make_unique<RawDialog>(*m, *form_);
    failure_ = compare_controls(view_->view(), raw_->hwnd(), *form_);
    if (!failure_.empty()) return;
    // the view's first showing runs its start-up (first field, WM_INITDIALOG)
    vwShowView(view_->view());
    ShowWindow(view_->hwnd(), SW_HIDE);
}

void ShownPair::front(bool lib) {
    HWND show = lib ? viewWindow() : dialog(), hide = lib ? dialog() : viewWindow();
    if (shown_ != static_cast<int>(lib)) {
        ShowWindow(hide, SW_HIDE);
        SetWindowPos(show, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        shown_ = lib;
    }
    UpdateWindow(show);
    pump_messages();
}

} // namespace ts::bench
