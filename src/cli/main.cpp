// diziv-cli: the converter without a window, for terminals and scripts.
#include "CliOptions.h"
#include "CliRun.h"
#include "ProfileListing.h"
#include "TerminalDialogs.h"
#include "app/ConverterApp.h"
#include "app/SettingsStore.h"
#include "platform/FileSystem.h"

#include <iostream>

int main(int argc, char* argv[])
{
    const cli::ParseResult parsed = cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << cli::UsageErrorText(parsed.error);
        return cli::kExitUsage;
    }
    const cli::CliOptions& options = parsed.options;
    if (options.action == cli::CliOptions::Action::Help) {
        std::cout << cli::HelpText();
        return cli::kExitSuccess;
    }
    if (options.action == cli::CliOptions::Action::Version) {
        std::cout << cli::VersionText();
        return cli::kExitSuccess;
    }

    cli::TerminalDialogs dialogs(std::cerr, options.yes);
    app::ConverterApp application(platform::ExecutableDirectory(), dialogs);
    if (!application.LoadApplicationFiles())
        return cli::kExitFailure;
    if (options.action == cli::CliOptions::Action::ListProfiles) {
        const std::string listing =
            cli::ProfileListing(app::Settings().catalogue, app::Settings().OutputFormat, options.profileFilter);
        if (listing.empty()) {
            std::cerr << "diziv-cli: no profile's name holds '" << options.profileFilter << "'\n";
            return cli::kExitFailure;
        }
        std::cout << listing;
        return cli::kExitSuccess;
    }
    return cli::RunConversion(options, application, dialogs);
}
