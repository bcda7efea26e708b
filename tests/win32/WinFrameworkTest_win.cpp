// The window and dialog framework against Wine's window manager and property sheets: when a
// window object is bound and released, what a dialog sees, how page notifications are answered,
// and that an exception stops at the callback boundary.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win32/FrameworkTestIds.h"
#include "ui/framework/Dialog_win.h"
#include "ui/framework/PropertyPage_win.h"
#include "ui/framework/Window_win.h"

namespace {

constexpr char kTestClass[] = "MxFrameworkTest";
constexpr UINT kThrowMessage = WM_APP + 1;

// Records the messages that reach it; throws on kThrowMessage; may refuse WM_CREATE.
class RecordingWindow : public Window {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        boundAtFirstMessage = boundAtFirstMessage || (messages.size() == 1 && hwnd != nullptr);
        if (message == kThrowMessage) {
            throw std::runtime_error("thrown inside a window procedure");
        }
        if (message == WM_CREATE && refuseCreate) {
            return -1;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    bool Saw(UINT message) const {
        for (UINT seen : messages) {
            if (seen == message) {
                return true;
            }
        }
        return false;
    }

    std::vector<UINT> messages;
    bool boundAtFirstMessage = false;
    bool refuseCreate = false;
    int destroyedCalls = 0;
    bool hwndClearedWhenDestroyed = false;
    bool deleteWhenDestroyed = false;
    bool* deletedFlag = nullptr;

    ~RecordingWindow() override {
        if (deletedFlag) {
            *deletedFlag = true;
        }
    }

protected:
    void OnDestroyed() override {
        ++destroyedCalls;
        hwndClearedWhenDestroyed = hwnd == nullptr;
        if (deleteWhenDestroyed) {
            delete this;  // an owner told of the end may drop the object at once
        }
    }
};

HWND CreateRecordingWindow(RecordingWindow& object) {
    return CreateWindowExA(0, kTestClass, "test", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), &object);
}

class WinFramework : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterObjectWindowClass(GetModuleHandleA(nullptr), kTestClass, 0,
                                  static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_F(WinFramework, WindowIsBoundFromNcCreateToNcDestroyAndToldWhenItIsGone) {
    RecordingWindow window;
    HWND handle = CreateRecordingWindow(window);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(window.hwnd, handle);
    ASSERT_FALSE(window.messages.empty());
    // WM_GETMINMAXINFO comes before WM_NCCREATE and goes to the default procedure.
    EXPECT_EQ(window.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(window.boundAtFirstMessage);
    EXPECT_TRUE(window.Saw(WM_NCCALCSIZE));
    EXPECT_TRUE(window.Saw(WM_CREATE));

    DestroyWindow(handle);
    EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_TRUE(window.Saw(WM_DESTROY));
    EXPECT_EQ(window.hwnd, nullptr);
    EXPECT_EQ(window.destroyedCalls, 1);
    EXPECT_TRUE(window.hwndClearedWhenDestroyed);
    EXPECT_EQ(GetWindowLongPtrA(handle, 0), 0);  // the stale handle is no window any more
}

TEST_F(WinFramework, RefusedCreationLeavesNoHandleAndAnObjectMayDeleteItselfWhenGone) {
    RecordingWindow refused;
    refused.refuseCreate = true;
    EXPECT_EQ(CreateRecordingWindow(refused), nullptr);
    EXPECT_EQ(refused.hwnd, nullptr);
    EXPECT_EQ(refused.destroyedCalls, 1);

    bool deleted = false;
    auto* dropped = new RecordingWindow;
    dropped->deleteWhenDestroyed = true;
    dropped->deletedFlag = &deleted;
    HWND handle = CreateRecordingWindow(*dropped);
    ASSERT_NE(handle, nullptr);
    DestroyWindow(handle);  // the framework must not touch the object after OnDestroyed
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WinFramework, AnExceptionStopsAtTheWindowProcedure) {
    RecordingWindow window;
    HWND handle = CreateRecordingWindow(window);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(SendMessageA(handle, kThrowMessage, 0, 0), 0);
    EXPECT_TRUE(window.Saw(kThrowMessage));
    // The window goes on working.
    SetWindowTextA(handle, "still here");
    char caption[32] = {};
    GetWindowTextA(handle, caption, sizeof caption);
    EXPECT_STREQ(caption, "still here");
    DestroyWindow(handle);
}

// Ends with 7 after a message whose handler throws; records what it saw at WM_INITDIALOG.
class ThrowingDialog : public Dialog {
public:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
        switch (message) {
            case WM_INITDIALOG:
                hwndAtInit = hwnd;
                PostMessageA(hwnd, kThrowMessage, 0, 0);
                PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                return TRUE;
            case kThrowMessage:
                ++thrown;
                throw std::runtime_error("thrown inside a dialog procedure");
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK) {
                    End(7);
                    return TRUE;
                }
                return FALSE;
        }
        return FALSE;
    }

    HWND hwndAtInit = nullptr;
    int thrown = 0;
};

TEST_F(WinFramework, DialogSeesItsHandleAtInitAndSurvivesAThrowingHandler) {
    ThrowingDialog dialog;
    EXPECT_EQ(RunModal(dialog, nullptr, IDD_FRAMEWORK_DIALOG), 7);
    EXPECT_NE(dialog.hwndAtInit, nullptr);
    EXPECT_EQ(dialog.hwndAtInit, dialog.hwnd);
    EXPECT_EQ(dialog.thrown, 1);

    ThrowingDialog missing;
    EXPECT_EQ(RunModal(missing, nullptr, 999), -1);  // no such template
    EXPECT_EQ(missing.hwnd, nullptr);
}

// A page that logs its notifications and can drive its sheet: what it posts when shown, whether
// it refuses to be left once, where the wizard goes next.
class LoggingPage : public PropertyPage {
public:
    explicit LoggingPage(int templateId) : PropertyPage(templateId) {}

    std::vector<std::string> log;
    std::vector<std::pair<UINT, WPARAM>> postWhenShown;  // to the sheet, at the first activation
    int refuseLeavingTimes = 0;
    int wizardNext = 0;
    DWORD wizardButtons = 0;

protected:
    int OnSetActive() override {
        log.push_back("SetActive");
        if (wizardButtons) {
            SetWizardButtons(wizardButtons);
        }
        for (const auto& [message, wParam] : postWhenShown) {
            PostMessageA(Sheet(), message, wParam, 0);
        }
        postWhenShown.clear();
        return 0;
    }
    bool OnKillActive() override {
        log.push_back("KillActive");
        if (refuseLeavingTimes > 0) {
            --refuseLeavingTimes;
            PostMessageA(Sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0);  // the user tries again
            return false;
        }
        return true;
    }
    bool OnApply() override {
        log.push_back("Apply");
        return true;
    }
    int OnWizardNext() override {
        log.push_back("WizardNext");
        return wizardNext;
    }
    bool OnWizardFinish() override {
        log.push_back("WizardFinish");
        return true;
    }
};

using Log = std::vector<std::string>;

TEST_F(WinFramework, SheetNotificationsReachTheirPagesAndARefusalIsAnswered) {
    LoggingPage first(IDD_FRAMEWORK_PAGE_1);
    LoggingPage second(IDD_FRAMEWORK_PAGE_2);
    LoggingPage never(IDD_FRAMEWORK_PAGE_3);
    // Show the second page, then press OK; the second page refuses to be left the first time.
    first.postWhenShown = {{PSM_SETCURSEL, 1}};
    second.postWhenShown = {{PSM_PRESSBUTTON, PSBTN_OK}};
    second.refuseLeavingTimes = 1;
    const INT_PTR result = RunPropertySheet(nullptr, "Sheet", {&first, &second, &never}, PSH_NOAPPLYNOW, 0);
    EXPECT_GT(result, 0);
    EXPECT_EQ(first.log, (Log{"SetActive", "KillActive", "Apply"}));
    EXPECT_EQ(second.log, (Log{"SetActive", "KillActive", "KillActive", "Apply"}));
    // A page that was never shown is never created and stores nothing.
    EXPECT_TRUE(first.Created());
    EXPECT_TRUE(second.Created());
    EXPECT_FALSE(never.Created());
    EXPECT_TRUE(never.log.empty());
}

TEST_F(WinFramework, WizardGoesWhereNextSaysAndFinishes) {
    LoggingPage start(IDD_FRAMEWORK_PAGE_1);
    LoggingPage skipped(IDD_FRAMEWORK_PAGE_2);
    LoggingPage last(IDD_FRAMEWORK_PAGE_3);
    start.wizardButtons = PSWIZB_NEXT;
    start.postWhenShown = {{PSM_PRESSBUTTON, PSBTN_NEXT}};
    start.wizardNext = IDD_FRAMEWORK_PAGE_3;  // straight to the last page
    last.wizardButtons = PSWIZB_BACK | PSWIZB_FINISH;
    last.postWhenShown = {{PSM_PRESSBUTTON, PSBTN_FINISH}};
    const INT_PTR result = RunPropertySheet(nullptr, "Wizard", {&start, &skipped, &last}, PSH_WIZARD, 0);
    EXPECT_NE(result, -1);
    EXPECT_EQ(start.log, (Log{"SetActive", "WizardNext"}));
    EXPECT_FALSE(skipped.Created());
    ASSERT_FALSE(last.log.empty());
    EXPECT_EQ(last.log.front(), "SetActive");
    EXPECT_EQ(last.log.back(), "WizardFinish");
}

}  // namespace
