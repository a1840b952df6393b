#pragma once
// Start-up of the program: reads the application files from the program
// directory, loads the UI language, refuses a second running copy (or hands
// it the files this start was given) and runs the main window.
#include "platform/InstanceLock.h"

#include <functional>
#include <string>
#include <vector>

namespace app {

class Reporter;

class ConverterApp {
public:
    // runMainWindow shows the main window and returns when it is closed.
    ConverterApp(std::string programDirectory, Reporter& reporter, std::function<void()> runMainWindow = {});

    // The whole start-up sequence; returns the process exit status:
    // 0 after the main window closed, 1 when the profile data cannot be
    // read or another copy is running. When another copy runs and files
    // (absolute paths) were given, they are handed to its window instead:
    // 0 once it took them; if it cannot, the refusal as without files.
    int Run(const std::vector<std::string>& files = {});

    // The steps of Run before the window, for a front end without one.
    // Reads the application names, the profile catalogue, the settings and
    // the language file; false when the profile data cannot be read.
    bool LoadApplicationFiles();
    // Holds the single-instance lock for the life of this object; false,
    // after telling the user, when another copy is running.
    bool AcquireSingleInstance();
    // Like AcquireSingleInstance, but waits while another copy runs:
    // keepWaiting is asked before every pause (first when the wait begins),
    // and false ends the wait without the lock, silently.
    bool WaitForSingleInstance(const std::function<bool()>& keepWaiting);
    // Whether this start holds the lock (and so owns the hand-over socket).
    bool HoldsSingleInstance() const { return instanceLock_.Held(); }

private:
    void ReadApplicationNames();
    bool LoadCatalogueAndSettings();
    void TakeInstallerLanguage();
    void LoadLanguage();
    // True when another copy holds the lock; a missing or unusable lock
    // file counts as none.
    bool OtherCopyRuns();

    std::string programDirectory_;
    Reporter& reporter_;
    std::function<void()> runMainWindow_;
    platform::InstanceLock instanceLock_;
};

// dataDirectory + "Languages/" + name + ".ini".
std::string LanguageFilePath(const std::string& dataDirectory, const std::string& languageName);

}  // namespace app
