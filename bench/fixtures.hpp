// What the rows build on: the generated forms written into a module's
// resources, views and raw dialogs made from them, and a check that both
// made the same controls.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "bench/forms.hpp"
#include "tscore32.h"

namespace ts::bench {

// The forms of 10, 100 and 300 fields as resources of a module: a copy of
// benchforms.dll (beside this program) in the temporary folder, with every
// form's template and record added, loaded for the life of the process.
class FormsModule {
public:
    // The module, built on first use; null with `error` set when it cannot be.
    static const FormsModule* get(std::string* error);

    HINSTANCE instance() const { return instance_; }
    // The form of 10, 100 or 300 fields (the largest for other counts).
    const Form& form(unsigned fields) const;

    FormsModule(const FormsModule&) = delete;
    FormsModule& operator=(const FormsModule&) = delete;
    ~FormsModule();

private:
    FormsModule() = default;
    bool build(std::string* error);

    HINSTANCE instance_ = nullptr;
    char path_[MAX_PATH] = {};
    Form forms_[3];
};

// A view made from a form, destroyed with its window.
class ViewWindow {
public:
    ViewWindow(const FormsModule& m, const Form& f);
    ~ViewWindow();
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;
    HVIEW view() const { return view_; }
    HWND hwnd() const { return view_ ? view_->hWnd : nullptr; }

private:
    HVIEW view_ = nullptr;
};

// The raw dialog of a form: CreateDialogIndirectParam of its raw template.
class RawDialog {
public:
    RawDialog(const FormsModule& m, const Form& f);
    ~RawDialog();
    RawDialog(const RawDialog&) = delete;
    RawDialog& operator=(const RawDialog&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

HVIEW create_view(const FormsModule& m, const Form& f);
HWND create_raw_dialog(const FormsModule& m, const Form& f);

// Empty when the view and the dialog hold the same controls: one field per
// field of the form (a window of the same class and identifier in both), a
// text field per label in the view where the dialog has a static.
std::string compare_controls(HVIEW view, HWND dialog, const Form& f);

// A view and the raw dialog of the same form, both at the top-left of the
// screen; one of them is shown at a time, so that each paints the same
// screen area with nothing above it.
class ShownPair {
public:
    explicit ShownPair(unsigned fields);
    const std::string& failure() const { return failure_; }
    const Form& form() const { return *form_; }
    HVIEW view() const { return view_->view(); }
    HWND viewWindow() const { return view_->hwnd(); }
    HWND dialog() const { return raw_->hwnd(); }
    // Shows the view (lib) or the dialog, hides the other, lets it paint.
    void front(bool lib);

private:
    std::string failure_;
    const Form* form_ = nullptr;
    std::unique_ptr<ViewWindow> view_;
    std::unique_ptr<RawDialog> raw_;
    int shown_ = -1;
};

} // namespace ts::bench
