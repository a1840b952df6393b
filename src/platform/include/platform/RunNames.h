#pragma once
// The names one run of the program shares with its engine tools: the status
// record in /dev/shm and the progress socket in the private temp folder.
// A run's record is "<sharedName>.<uid>-<pid>", or "<sharedName>.<uid>-<pid>-<tag>"
// for a further record of the process or when that name is taken, so users
// and runs never share a name. The tools are told the record name and find
// the socket from it.
#include <string>

namespace platform {

// attempt 0 gives the plain run name; later attempts add a random tag.
std::string RunRecordName(const std::string& sharedName, int attempt);

// The shared name a run record name was made from; a name of another form
// is its own shared name.
std::string SharedNameOfRecord(const std::string& recordName);

// Removes the records and progress sockets of sharedName that this user's
// runs left behind when their process died. Names of living processes and
// of other users are left alone.
void RemoveStaleRunFiles(const std::string& sharedName);

// Whether no process of that id exists any more: the run that named
// something after it has ended.
bool ProcessGone(long pid);

}  // namespace platform
