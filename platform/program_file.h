// The running program's own file, found the way the system knows it, so that the program can
// find what was installed beside it whatever the current folder; and the name of a file as
// the C library's narrow functions (fopen) open it.
#pragma once

#include <filesystem>
#include <string>

// Absolute; empty when the system cannot say. argv0 is main()'s argv[0], for systems that
// name the program no other way.
std::filesystem::path AfxProgramFile(const char* pszArgv0);

// A name for path that fopen and the standard library's narrow paths open. On POSIX systems
// its bytes; on Windows the name itself when it is plain ASCII, else the system's short
// name (ASCII on any volume that keeps short names); the UTF-8 name when there is none (the
// opening then fails and says so).
std::string AfxOpenableName(const std::filesystem::path& path);
