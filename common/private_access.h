// Who may open the files Pravex leaves in the root of drive C: (the report,
// with the customer's e-mail line, and the trace). That folder lets every
// user of the PC read and change the files made in it; these get their own
// permissions instead.
#pragma once

#include <string>
#include <string_view>

namespace pravex {

// A security descriptor, in the system's descriptor definition language,
// that lets only the user with the SID `userSid` ("S-1-5-21-..."), SYSTEM and
// the Administrators open the file, with all rights. The list is protected:
// nothing of the folder's permissions is inherited. Throws HostError 5 for
// text that is no SID, so nothing else can be slipped into the descriptor.
std::wstring PrivateFileDescriptor(std::wstring_view userSid);

}  // namespace pravex
