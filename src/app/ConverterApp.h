#pragma once
// Start-up of the program: reads the application files from the program
// directory, loads the UI language, refuses a second running copy and runs
// the main window.
#include "platform/InstanceLock.h"

#include <functional>
#include <string>

namespace app {

class Reporter;

class ConverterApp {
public:
    // runMainWindow shows the main window and returns when it is closed.
    ConverterApp(std::string programDirectory, Reporter& reporter, std::function<void()> runMainWindow = {});

    // The whole start-up sequence; returns the process exit status:
    // 0 after the main window closed, 1 when the profile data cannot be
    // read or another copy is running.
    int Run();

    // The steps of Run before the window, for a front end without one.
    // Reads the application names, the profile catalogue, the settings and
    // the language file; false when the profile data cannot be read.
    bool LoadApplicationFiles();
    // Holds the single-instance lock for the life of this object; false,
    // after telling the user, when another copy is running.
    bool AcquireSingleInstance();

private:
    void ReadApplicationNames();
    bool LoadCatalogueAndSettings();
    void TakeInstallerLanguage();
    void LoadLanguage();

    std::string programDirectory_;
    Reporter& reporter_;
    std::function<void()> runMainWindow_;
    platform::InstanceLock instanceLock_;
};

// dataDirectory + "Languages/" + name + ".ini".
std::string LanguageFilePath(const std::string& dataDirectory, const std::string& languageName);

}  // namespace app
