// Property pages bound to their objects, and the modal sheet that shows them.
#include "ui/framework/PropertyPage_win.h"

#include "ui/framework/CallbackGuard_win.h"
#include "ui/framework/ProgramInstance_win.h"

PROPSHEETPAGEA PropertyPage::Describe() const {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT | (OfferHelp() ? PSP_HASHELP : 0);
    page.hInstance = gInstance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = &PropertyPageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

void PropertyPage::SetWizardButtons(DWORD flags) const {
    PostMessageA(Sheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

INT_PTR PropertyPage::HandleNotify(const NMHDR& header) {
    LONG_PTR answer = 0;
    switch (header.code) {
        case PSN_SETACTIVE:
            answer = OnSetActive();
            break;
        case PSN_KILLACTIVE:
            answer = OnKillActive() ? FALSE : TRUE;
            break;
        case PSN_APPLY:
            answer = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            break;
        case PSN_WIZNEXT:
            answer = OnWizardNext();
            break;
        case PSN_WIZBACK:
            answer = OnWizardBack();
            break;
        case PSN_WIZFINISH:
            answer = OnWizardFinish() ? FALSE : TRUE;
            break;
        case PSN_HELP:
            OnHelp();
            break;
        default:
            return FALSE;
    }
    // A page's procedure answers notifications through DWLP_MSGRESULT and says it handled them.
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, answer);
    return TRUE;
}

INT_PTR CALLBACK PropertyPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback(
        [&]() -> INT_PTR {
            auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
            if (message == WM_INITDIALOG) {
                // lParam is the sheet's copy of the description; its lParam is the object.
                const auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
                page = description ? reinterpret_cast<PropertyPage*>(description->lParam) : nullptr;
                SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
                if (page == nullptr) {
                    return FALSE;
                }
                page->hwnd = hwnd;
                page->created = true;
                return page->OnInitDialog() ? TRUE : FALSE;
            }
            if (page == nullptr) {
                return FALSE;
            }
            if (message == WM_NOTIFY) {
                const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
                if (header.hwndFrom == page->Sheet()) {
                    return page->HandleNotify(header);
                }
            }
            return page->HandleMessage(message, wParam, lParam);
        },
        [] { return INT_PTR{FALSE}; });
}

INT_PTR RunPropertySheet(HWND owner,
                         const char* caption,
                         const std::vector<PropertyPage*>& pages,
                         DWORD flags,
                         int startPage) {
    std::vector<PROPSHEETPAGEA> descriptions;
    descriptions.reserve(pages.size());
    for (const PropertyPage* page : pages) {
        descriptions.push_back(page->Describe());
    }
    if (descriptions.empty()) {
        return -1;
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = flags | PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.hInstance = gInstance;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage =
        startPage >= 0 && static_cast<std::size_t>(startPage) < descriptions.size() ? static_cast<UINT>(startPage) : 0;
    header.ppsp = descriptions.data();
    return PropertySheetA(&header);
}
