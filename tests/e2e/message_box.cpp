#include "message_box.h"

#include "window_query.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;

HWND VisibleDialogOf(DWORD processId) {
    for (HWND window : TopLevelWindowsOf(processId))
        if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) return window;
    return nullptr;
}

// An icon counts when a visible icon control holds one and has room to show
// it: Wine keeps its icon control in every box and only shrinks it to nothing.
bool ShowsIcon(HWND control) {
    if (ClassOf(control) != L"Static" || (StyleOf(control) & SS_TYPEMASK) != SS_ICON ||
        !IsWindowVisible(control))
        return false;
    RECT rect{};
    GetWindowRect(control, &rect);
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
    return icon != 0 && !IsRectEmpty(&rect);
}

}  // namespace

MessageBoxView WaitForMessageBox(DWORD processId) {
    HWND box = WaitFor([&] { return VisibleDialogOf(processId); }, kStepTimeout);
    return box ? ReadMessageBox(box) : MessageBoxView{};
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.title = TextOf(box);
    if (HWND text = GetDlgItem(box, kMessageTextId)) view.text = TextOf(text);
    for (HWND child : ChildWindowsOf(box)) {
        if (ClassOf(child) == L"Button" && IsWindowVisible(child))
            view.buttons.push_back(TextOf(child));
        view.hasIcon = view.hasIcon || ShowsIcon(child);
    }
    return view;
}

bool PressButton(HWND box, const std::wstring& caption) {
    for (HWND child : ChildWindowsOf(box)) {
        if (ClassOf(child) == L"Button" && IsWindowVisible(child) && TextOf(child) == caption) {
            PostMessageW(child, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}
