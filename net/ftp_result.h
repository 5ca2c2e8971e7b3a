// The upload of the report file to the support FTP drop.
#pragma once

namespace pravex {

class Module1;

// Uploads `m.sResultFile` to the support FTP drop and tells the user how it
// went; the library calls run off the window thread, and the call returns
// once the upload has ended.
void FTPResult(Module1& m);

}  // namespace pravex
