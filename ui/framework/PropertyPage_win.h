// Root of every property-sheet and wizard page. The sheet's notifications arrive as virtual
// operations and their answers go back through DWLP_MSGRESULT, so a page only says what it does.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

class PropertyPage {
public:
    explicit PropertyPage(int templateId) : templateId(templateId) {}
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;
    virtual ~PropertyPage() = default;

    // The page's description for PropertySheetA: its template from the program's module, this
    // object, the shared page procedure, and a help button when the page offers help.
    PROPSHEETPAGEA Describe() const;
    int TemplateId() const { return templateId; }
    // True once the sheet has created the page's window; pages never shown stay false.
    bool Created() const { return created; }

    // Set when the page initialises, never cleared.
    HWND hwnd = nullptr;

protected:
    // WM_INITDIALOG: fill the controls. True lets the system set the default focus.
    virtual bool OnInitDialog() { return true; }
    // Every other message that is not one of the sheet notifications below.
    virtual INT_PTR HandleMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }
    // PSN_SETACTIVE: 0 to show the page, -1 to skip it, or the template id of another page.
    virtual int OnSetActive() { return 0; }
    // PSN_KILLACTIVE: false keeps the user on the page (its input is not valid).
    virtual bool OnKillActive() { return true; }
    // PSN_APPLY (OK or Apply): false keeps the sheet open on this page.
    virtual bool OnApply() { return true; }
    // PSN_WIZNEXT and PSN_WIZBACK: 0 for the neighbouring page, -1 to stay, or a template id.
    virtual int OnWizardNext() { return 0; }
    virtual int OnWizardBack() { return 0; }
    // PSN_WIZFINISH: false keeps the wizard open.
    virtual bool OnWizardFinish() { return true; }
    // PSN_HELP: the page's help button; pages that override OfferHelp get the button.
    virtual void OnHelp() {}
    virtual bool OfferHelp() const { return false; }

    HWND Item(int controlId) const { return GetDlgItem(hwnd, controlId); }
    LRESULT SendItem(int controlId, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageA(hwnd, controlId, message, wParam, lParam);
    }
    HWND Sheet() const { return GetParent(hwnd); }
    // The wizard's Back, Next and Finish buttons (PSWIZB_ flags).
    void SetWizardButtons(DWORD flags) const;

private:
    friend INT_PTR CALLBACK PropertyPageProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR HandleNotify(const NMHDR& header);

    int templateId;
    bool created = false;
};

// The dialog procedure of every PropertyPage; the object lives in DWLP_USER.
INT_PTR CALLBACK PropertyPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs a modal property sheet (or a wizard, with PSH_WIZARD in flags) over the pages in order,
// starting at startPage. Answers what PropertySheetA answers: positive after OK or Finish, 0
// after Cancel, -1 when the sheet could not be made.
INT_PTR RunPropertySheet(HWND owner,
                         const char* caption,
                         const std::vector<PropertyPage*>& pages,
                         DWORD flags,
                         int startPage);
