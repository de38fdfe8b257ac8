#pragma once
#include <string>

namespace sektra {

// Deletes the folder with everything in it. Nothing happens when it does not exist; a file
// that cannot be deleted (read-only, in use) stays, and with it the folders above it.
// A junction or symbolic link inside is removed as a link: what it points to is left alone.
void DeleteFolder(const std::wstring& path);

}  // namespace sektra
