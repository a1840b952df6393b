#pragma once
// The decode script handed to the encoder instead of a source it cannot
// read itself: it names the source and asks for a constant 30 fps. The
// encoder takes a file for a script only where DecodeScriptPath() puts it:
// in the private temp folder of the run's shared name.
#include <string>

namespace engine {

// SystemDirectory() + "temp_0000_" + the last five characters of the
// product's order page + ".qvz"; the same for every source.
std::string DecodeScriptPath();

// The script of a probe run on the record recordName: DecodeScriptPath()
// with the record's run part ("<uid>-<pid>[-<tag>]") before ".qvz", so
// probes running at once on records of their own never share one.
std::string ProbeScriptPath(const std::string& recordName);

// Whether the script can name the source: its lines end at line breaks,
// so a path holding one is read directly instead.
bool ScriptCanName(const std::string& sourcePath);

// The two-line script text for a source path.
std::string DecodeScriptText(const std::string& sourcePath);

// Writes the script for sourcePath to scriptPath as a new file open only
// to this user, replacing any earlier one; 1 on success, 0 on any file error.
int WriteDecodeScript(const std::string& sourcePath, const std::string& scriptPath);

}  // namespace engine
