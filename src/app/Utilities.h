#pragma once
// File, path and time helpers shared by the whole program. Folder paths
// returned here end with '/'. Results of 1/0 mean success/failure.
#include <cstdint>
#include <string>

namespace app {

// The folder of the executables: the portable marker and old settings lie here.
std::string ProgramDirectory();
// The folder of the read-only data (app.ini, dsp_data.dll, Languages/, Help/,
// the icon maps, system/fonts/) and the folder of the engine tools. Both are
// the program directory when it holds app.ini (a build folder, a portable
// copy). An installed copy keeps them apart from its executables, in
// <program>/../share/<package>/ and <program>/../libexec/<package>/; these are
// used when the program directory holds no app.ini but that data folder does.
std::string DataDirectory();
std::string ToolDirectory();
// name with '/' replaced and cut to leave room for suffixes such as
// "-<uid>-<run>" or ".lock", usable as one file-name component.
std::string FileNameSafe(std::string name);
// The private per-user temp folder; "" when no safe folder can be had.
std::string TempDirectory();
// Stand-in of the Windows folder, in the data folder: holds system/fonts/ for subtitles.
std::string WindowsDirectory();
// Stand-in of the system folder: the private temp folder.
std::string SystemDirectory();

int FileExists(const std::string& path);
int DirectoryExists(const std::string& path);
int CreateDirectoryPath(const std::string& path);

// Free space of the file system holding path in MB; -1 on failure.
std::int64_t FreeSpaceMB(const std::string& path);
// Size of a file in bytes; -1 when it is not a readable file.
std::int64_t FileSize(const std::string& path);
// "%.2f MB" below 1024 MB, else "%.2f GB".
std::string FileSizeText(const std::string& path);

// A job's working folder is always a new one: parent + the stem + the
// user and process ids + six random letters or digits + '/', e.g.
// "/out/__tempFolder__1000-4242-a8Zq3x/". The ids let a later start remove
// the folder a killed run left.
inline constexpr char kWorkingFolderStem[] = "__tempFolder__";
inline constexpr std::size_t kWorkingFolderSuffixLength = 6;
// Creates a working folder (mode 0700) in parent, which ends with '/';
// "" when none can be made. Never returns a folder that existed before.
std::string MakeWorkingFolder(const std::string& parent);
// Whether path is a working folder: absolute, named as above, ending with
// '/', and a real folder (not a link) of this user.
bool IsWorkingFolder(const std::string& path);
// The process that made the working folder of this user named name; 0 when
// name is not such a folder's name.
long WorkingFolderMaker(const std::string& name);
// Deletes a working folder and all in it. Refuses any other path, the
// empty one included.
int DeleteFolder(const std::string& path);

std::string SecondsToClock(double seconds);         // "%02d:%02d:%02d"
std::string SecondsToCompactClock(double seconds);  // "%02d%02d%02d"
int CompactClockToSeconds(const std::string& text);

std::string DirectoryOfPath(const std::string& path);
std::string DoubleBackslashes(const std::string& text);

}  // namespace app
