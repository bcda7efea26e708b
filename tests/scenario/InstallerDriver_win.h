// Drives the real install.exe and Uninst.exe from a test program: the wizard's pages and
// buttons, the message boxes, and the machine state they leave (files, keys, shortcuts).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A top-level dialog window with this caption, of any process (the uninstaller hands over to a
// copy of itself); null when none appears within timeoutMs.
HWND WaitForDialog(const char* caption, DWORD timeoutMs = 15000);
// The text of a message box's static control, and pressing one of its buttons (IDOK, IDYES ...).
std::string MessageText(HWND box);
void PressBoxButton(HWND box, int buttonId);

class InstallerRun {
public:
    InstallerRun() = default;
    ~InstallerRun();
    InstallerRun(const InstallerRun&) = delete;
    InstallerRun& operator=(const InstallerRun&) = delete;

    // Starts install.exe from the distribution folder and waits for the wizard's first page.
    bool Start(const std::string& distFolder);
    // The wizard's page window now shown, and its template's page number (1 ... 4), 0 when none.
    HWND Page() const;
    int PageNumber() const;
    std::string ItemText(int controlId) const;
    void SetItemText(int controlId, const std::string& text) const;
    bool Checked(int controlId) const;
    void SetChecked(int controlId, bool checked) const;
    // Presses Next, Back or Finish (posted, since a message box may follow).
    void PressNext() const;
    void PressBack() const;
    void PressFinish() const;
    void PressCancel() const;
    // Waits until the page with this number is shown.
    bool WaitForPage(int number, DWORD timeoutMs = 60000) const;
    // The exit code after the program ended, -1 when it still runs after timeoutMs.
    long WaitForExit(DWORD timeoutMs = 15000);
    DWORD ProcessId() const { return info.dwProcessId; }
    HWND Wizard() const { return wizard; }

private:
    PROCESS_INFORMATION info = {};
    HWND wizard = nullptr;
};

// Runs an installer from distFolder through all four pages with the given program folder (empty:
// the proposed one) and returns the finishing page's text ("" when the wizard got stuck).
std::string InstallThroughWizard(const std::string& distFolder,
                                 const std::string& programFolder,
                                 double* installSeconds = nullptr);

// Files and folders.
bool FileThere(const std::string& path);
bool FolderThere(const std::string& path);
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& contents);
// Copies every file of from into a fresh folder to.
bool CopyFolder(const std::string& from, const std::string& to);
// Removes a folder and everything in it.
void RemoveTree(const std::string& path);
std::string WindowsFolder();

// Registry.
std::string RegText(HKEY root, const char* path, const char* name);
DWORD RegDword(HKEY root, const char* path, const char* name);
bool RegKeyThere(HKEY root, const char* path);
// Removes everything an installation writes to the registry, for a fresh start.
void ForgetInstallations();
