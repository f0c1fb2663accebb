#pragma once
// Whether a text found in the registry still refers to an existing file or folder. The rules
// lean towards valid: whatever cannot be checked reliably is never reported.
#include <string>

#include "registry/registry_view.h"

// True = valid. view is that of the program that wrote the text: to a 32-bit program
// "%ProgramFiles%" and "%CommonProgramFiles%" are the "(x86)" folders, "Sysnative" is system32,
// and a file missing under "system32" is judged again under "SysWOW64". A text whose expansion
// does not fit the 260-byte buffers cannot be judged whole and counts as valid.
bool FileReferenceExists(const std::string& text, RegistryView view);

// FileReferenceExists, or else an existing file or folder of exactly that name: the command-line
// rules read ";", "^" and the like as separators, which a real name may hold. The second look is
// answered without asking again when the rules have already asked about exactly that name.
bool FileOrFolderExists(const std::string& text, RegistryView view);

// A path possibly followed by arguments; valid when the path, or a prefix of it that ends before
// a blank, exists or is found on the search path. A prefix that is a folder does not validate a
// text that carries on its path ("C:\Program Files" does not make "C:\Program Files (x86)\x.exe"
// valid), while an existing program followed by any arguments stays valid.
bool CommandLineExists(const std::string& text);

// Expands %NAME% references in place, as the program of that view would; false, with the text
// unchanged, when the text or its expansion does not fit a 260-byte buffer or the expansion fails.
bool ExpandEnvironmentInPlace(std::string& text, RegistryView view = RegistryView::Bits64);

// The Windows folder, without a trailing backslash; empty if it cannot be read.
std::string WindowsFolder();

// Found on the search path: the system folder, the Windows folder and the folders of PATH.
// False for texts longer than 259 characters.
bool FoundOnSearchPath(const std::string& text);

// An existing folder (not a file) of that name.
bool FolderExists(const std::string& path);

// An existing file or folder, for texts of at most 259 characters; false for longer ones.
bool PathExists(const std::string& path);

// PathExists for a path a program of the view wrote: to a 32-bit program "Sysnative" is
// system32, and its "system32" is SysWOW64 as well.
bool PathExistsInView(const std::string& path, RegistryView view);
